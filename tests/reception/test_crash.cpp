// Receptions in other processes: one killed half-way, two at once on one
// database. Afterwards every voucher is whole or absent, every entry balances
// and every posted line carries the identifier of a log row that counts it.
#include "AyudaRecepcion.h"
#include "BaseDePrueba.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

using namespace vexa;
using namespace vexa::prueba;

namespace {

class RecepcionEnOtroProceso : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }

    QString archivo(const QString& nombre, int desde, int cantidad)
    {
        const QString ruta = dir.filePath(nombre);
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        for (int i = 0; i < cantidad; ++i) {
            // One line in ten is rejected (unknown customer).
            const QString l = (i % 10 == 7) ? lineaVenta(desde + i, "100", "21", "121", "CLI999") : lineaVenta(desde + i);
            f.write((l + QStringLiteral("\r\n")).toUtf8());
        }
        return ruta;
    }
    std::unique_ptr<QProcess> lanzar(const QString& ruta)
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(VEXA_RECEPCION_HIJA),
                 {datos().server, datos().dbName, datos().usuario, datos().password, QStringLiteral("VENTAS"), ruta});
        EXPECT_TRUE(p->waitForStarted(10000));
        return p;
    }
    // The journal and the log agree, whatever point the runs reached.
    void verificar()
    {
        EXPECT_EQ(asientosRotos(con()), 0);
        // Whole or absent: each voucher has its three rows, in one entry.
        EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM (SELECT NUMERO FROM MV_ASIENTOS GROUP BY TC, SUCURSAL, NUMERO, LETRA "
                                "HAVING COUNT(*) <> 3 OR COUNT(DISTINCT [NUMERO ASIENTO]) <> 1) X"),
                  0);
        // No entry number is shared by two vouchers of one family.
        EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM (SELECT [NUMERO ASIENTO] FROM MV_ASIENTOS "
                                "GROUP BY PERIODO, MES_OPERATIVO, FAMILIA, [NUMERO ASIENTO] HAVING COUNT(DISTINCT NUMERO) > 1) X"),
                  0);
        // Every posted line belongs to a log row, and each row counts exactly its vouchers.
        EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION IS NULL OR NRO_TRANSMISION NOT IN "
                                "(SELECT ID FROM TESTIGO_RECEPCION)"),
                  0);
        Recordset rs = con().ObtenerRecordset("SELECT * FROM TESTIGO_RECEPCION ORDER BY ID");
        for (; !rs.eof(); rs.siguiente()) {
            const qint64 id = rs.entero("ID");
            SCOPED_TRACE(id);
            EXPECT_EQ(rs.entero("REGISTROS_LEIDOS"),
                      contar(con(), "SELECT COUNT(DISTINCT NUMERO) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {id}));
            EXPECT_EQ(rs.entero("REGISTROS_LEIDOS") + rs.entero("REGISTROS_IGNORADOS"), rs.entero("TOTAL_LINEAS"));
        }
    }
    QTemporaryDir dir;
};

TEST_P(RecepcionEnOtroProceso, MatadaAMitadDeCorrida)
{
    const int lineas = 60000;
    auto p = lanzar(archivo("grande.txt", 1, lineas));
    // Wait until some vouchers are in, then kill it without warning.
    QElapsedTimer t;
    t.start();
    while (contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS") < 600 && t.elapsed() < 60000 && p->state() != QProcess::NotRunning)
        QThread::msleep(5);
    ASSERT_EQ(p->state(), QProcess::Running) << "the run ended before it could be stopped";
    p->kill();
    p->waitForFinished(10000);

    ASSERT_EQ(contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION"), 1);
    const int vouchers = contar(con(), "SELECT COUNT(DISTINCT NUMERO) FROM MV_ASIENTOS");
    EXPECT_GT(vouchers, 0);
    EXPECT_LT(vouchers, lineas * 9 / 10);
    verificar();
}

TEST_P(RecepcionEnOtroProceso, DosCorridasALaVez)
{
    const int lineas = 400;
    auto a = lanzar(archivo("a.txt", 1, lineas));
    auto b = lanzar(archivo("b.txt", 100001, lineas));
    ASSERT_TRUE(a->waitForFinished(120000));
    ASSERT_TRUE(b->waitForFinished(120000));
    EXPECT_EQ(a->exitCode(), 0);
    EXPECT_EQ(b->exitCode(), 0);

    ASSERT_EQ(contar(con(), "SELECT COUNT(DISTINCT ID) FROM TESTIGO_RECEPCION"), 2);
    Recordset rs = con().ObtenerRecordset("SELECT * FROM TESTIGO_RECEPCION ORDER BY ID");
    for (; !rs.eof(); rs.siguiente()) {
        EXPECT_EQ(rs.entero("REGISTROS_LEIDOS"), lineas * 9 / 10);
        EXPECT_EQ(rs.entero("TOTAL_LINEAS"), lineas);
    }
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM (SELECT DISTINCT PERIODO, MES_OPERATIVO, FAMILIA, [NUMERO ASIENTO] FROM MV_ASIENTOS) X"),
              2 * lineas * 9 / 10);
    verificar();
}

VEXA_AMBOS_MOTORES(RecepcionEnOtroProceso);

} // namespace
