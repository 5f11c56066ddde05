// Receptions in other processes: one killed half-way, two at once on one
// database. Afterwards every voucher is whole or absent, every entry balances
// and every posted line carries the identifier of a log row that counts it.
#include "AyudaRecepcion.h"
#include "BaseDePrueba.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <map>

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
    std::unique_ptr<QProcess> lanzar(const QString& ruta, const QString& rechazos = QString())
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList args{datos().server, datos().dbName, datos().usuario, datos().password, QStringLiteral("VENTAS"), ruta};
        if (!rechazos.isEmpty()) args << rechazos;
        p->start(QStringLiteral(VEXA_RECEPCION_HIJA), args);
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
            // A finished run's total is its lines; a killed run's stays empty.
            if (!rs.esNulo("TOTAL_LINEAS"))
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
    // The row shows the run did not finish, and counts what it committed.
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION WHERE TOTAL_LINEAS IS NULL"), 1);
    EXPECT_GT(contar(con(), "SELECT REGISTROS_LEIDOS FROM TESTIGO_RECEPCION"), 0);
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

// Four stations receive at once: the same file, overlapping files, files whose
// vouchers span every month (each station visits the months in another order,
// so a batch needs the numbering locks of several months in different orders).
// No voucher is posted twice, no valid voucher is rejected because another
// station was busy, and every log row counts exactly what its run did.
TEST_P(RecepcionEnOtroProceso, CuatroCorridasALaVez)
{
    struct Caso {
        const char* nombre;
        std::function<int(int estacion, int i)> numero; // voucher number of line i of a station
        std::function<int(int estacion, int i)> mes;
    };
    constexpr int lineas = 150, estaciones = 4;
    const Caso casos[] = {
        {"mismo archivo", [](int, int i) { return i + 1; }, [](int, int i) { return 1 + i % 12; }},
        {"archivos solapados", [](int e, int i) { return e * 50 + i + 1; }, [](int e, int i) { return 1 + (e * 50 + i) % 12; }},
        {"varios meses por lote", [](int e, int i) { return e * 100000 + i + 1; }, [](int e, int i) { return 1 + (i * 5 + e * 7) % 12; }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        con().EjecutarSQL("DELETE FROM MV_ASIENTOS");
        con().EjecutarSQL("DELETE FROM TESTIGO_RECEPCION");
        std::map<int, bool> validos; // voucher number -> valid (known customer)
        std::vector<std::unique_ptr<QProcess>> hijos;
        std::vector<QString> rechazos;
        for (int e = 0; e < estaciones; ++e) {
            const QString ruta = dir.filePath(QStringLiteral("%1_%2.txt").arg(&c - casos).arg(e));
            QFile f(ruta);
            f.open(QIODevice::WriteOnly);
            for (int i = 0; i < lineas; ++i) {
                const int n = c.numero(e, i);
                const bool valido = n % 10 != 7; // one voucher in ten names an unknown customer
                validos[n] = valido;
                const QString fecha = QStringLiteral("10/%1/2026").arg(c.mes(e, i), 2, 10, QLatin1Char('0'));
                const QString linea = QStringList{fecha, "FC", QStringLiteral("0001-%1-A").arg(n, 8, 10, QLatin1Char('0')),
                                                  valido ? "CLI001" : "CLI999", "100", "21", "121", "28/12/2026", "Venta"}
                                          .join(u';');
                f.write((linea + "\r\n").toUtf8());
            }
            f.close();
            rechazos.push_back(dir.filePath(QStringLiteral("rechazos_%1_%2.txt").arg(&c - casos).arg(e)));
        }
        for (int e = 0; e < estaciones; ++e)
            hijos.push_back(lanzar(dir.filePath(QStringLiteral("%1_%2.txt").arg(&c - casos).arg(e)), rechazos[size_t(e)]));
        for (auto& h : hijos) {
            ASSERT_TRUE(h->waitForFinished(300000));
            EXPECT_EQ(h->exitCode(), 0);
        }
        int validosDistintos = 0;
        for (const auto& [n, v] : validos) validosDistintos += v ? 1 : 0;
        // Every valid voucher posted once.
        EXPECT_EQ(contar(con(), "SELECT COUNT(DISTINCT NUMERO) FROM MV_ASIENTOS"), validosDistintos);
        EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS"), 3 * validosDistintos);
        // Rejected only for the unknown customer or because another station had it already.
        int rechazadas = 0;
        for (const QString& r : rechazos) {
            QFile f(r);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            for (const QByteArray& l : f.readAll().split('\n')) {
                if (l.isEmpty()) continue;
                ++rechazadas;
                const QString m = QString::fromUtf8(l);
                EXPECT_TRUE(m.contains("CLI999") || m.contains("ya existe!!!")) << m.toStdString();
            }
        }
        EXPECT_EQ(rechazadas, estaciones * lineas - validosDistintos);
        EXPECT_EQ(contar(con(), "SELECT SUM(REGISTROS_LEIDOS) FROM TESTIGO_RECEPCION"), validosDistintos);
        EXPECT_EQ(contar(con(), "SELECT SUM(TOTAL_LINEAS) FROM TESTIGO_RECEPCION"), estaciones * lineas);
        EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM TESTIGO_RECEPCION WHERE TOTAL_LINEAS IS NULL"), 0);
        verificar();
    }
}

VEXA_AMBOS_MOTORES(RecepcionEnOtroProceso);

} // namespace
