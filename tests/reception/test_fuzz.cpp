// Thousands of random and malformed lines through the reception window: the run
// never crashes, every line is listed once (recorded, or rejected with a
// message) and the journal only holds whole, balanced entries.
#include "AyudaRecepcion.h"
#include "BaseDePrueba.h"
#include "ContextoEmpresa.h"
#include "CorridaRecepcion.h"
#include "Progreso.h"

#include <QFile>
#include <QTemporaryDir>

#include <random>

using namespace vexa;
using namespace vexa::recepcion;
using namespace vexa::prueba;

namespace {

class RecepcionAlAzar : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
};

QString basura(std::mt19937& r, int largo)
{
    static const QString letras = QStringLiteral("0123456789;;\"\"--//..,, ABCxyzñÑé\t-+eE") + QChar(0) + QChar(0xFF);
    QString s;
    for (int i = 0; i < largo; ++i) s += letras[int(r() % letras.size())];
    return s;
}

QString lineaAlAzar(std::mt19937& r, int i)
{
    auto uno = [&](std::initializer_list<const char*> v) { return QString::fromUtf8(*(v.begin() + r() % v.size())); };
    switch (r() % 8) {
    case 0: return basura(r, int(r() % 200));
    case 1: return QString();
    case 2: { // a sales line with one field replaced by garbage
        QStringList f = lineaVenta(1000 + int(r() % 300)).split(u';');
        f[int(r() % f.size())] = basura(r, int(r() % 15));
        return f.join(u';');
    }
    case 3: { // fields dropped or added
        QStringList f = lineaVenta(1000 + int(r() % 300)).split(u';');
        if (r() % 2) f = f.mid(0, int(r() % f.size()));
        else f << basura(r, 5) << basura(r, 5);
        return f.join(u';');
    }
    case 4: // amounts of every kind, balanced or not
        return lineaVenta(1000 + int(r() % 300), uno({"100", "0", "-100", "1e3", "100,5", "99999999999999", "abc", ""}),
                          uno({"21", "0", "-21", "21.00001", " 21 ", "\"21\""}),
                          uno({"121", "0", "-121", "121.0", "1O0", "", "121,5", "000121"}),
                          uno({"CLI001", "CLI002", "CF", "cli001", "XXX", ""}), uno({"FC", "NC", "ND", "fc", "ZZ", ""}),
                          uno({"15/03/2026", "31/02/2026", "15/03/2030", "1/3/26", "", "2026-03-15", "15/13/2026"}));
    case 5: return lineaVenta(1000 + int(r() % 300)) + QString(int(r() % 3000), QChar(u'x'));
    default: return lineaVenta(1000 + i % 300);
    }
}

TEST_P(RecepcionAlAzar, LineasAleatoriasNoRompenNada)
{
    std::mt19937 r(20261210);
    const int total = 3000;
    QStringList lineas;
    for (int i = 0; i < total; ++i) lineas << lineaAlAzar(r, i);
    QTemporaryDir dir;
    const QString ruta = dir.filePath("azar.txt");
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        // Lines are joined by LF only.
        f.write((lineas.join(u'\n') + u'\n').toUtf8());
    }
    ContextoEmpresa ctx(con());
    CargarValoresContables(ctx);
    ProgresoNulo progreso;
    std::vector<LoteRecepcion::Resultado> resultados;
    const ResultadoCorrida corrida = RecibirInterface(ctx, "VENTAS", ruta, progreso, [&](const auto& lote) {
        resultados.insert(resultados.end(), lote.begin(), lote.end());
    });
    ASSERT_TRUE(corrida.completa()) << corrida.error.toStdString();

    // An empty line is passed by: it is neither listed nor counted, and keeps its number.
    std::vector<int> numeros;
    for (int i = 0; i < total; ++i)
        if (!lineas[i].isEmpty()) numeros.push_back(i + 1);
    ASSERT_EQ(resultados.size(), numeros.size());
    ASSERT_LT(int(numeros.size()), total);
    int grabadas = 0, errores = 0;
    QString ultimoError;
    for (size_t i = 0; i < resultados.size(); ++i) {
        ASSERT_EQ(resultados[i].numero, numeros[i]);
        if (resultados[i].mensaje.isEmpty()) {
            ++grabadas;
        } else {
            ++errores;
            ultimoError = resultados[i].mensaje;
            EXPECT_FALSE(resultados[i].mensaje.trimmed().isEmpty());
        }
    }
    EXPECT_EQ(grabadas + errores, int(numeros.size()));
    EXPECT_EQ(corrida.grabados, grabadas);
    EXPECT_EQ(corrida.rechazados, errores);
    EXPECT_GT(grabadas, 100) << ultimoError.toStdString();
    EXPECT_GT(errores, 100);
    const auto t = con().PrimeraFila("SELECT * FROM TESTIGO_RECEPCION WHERE ID = ?", {corrida.idRecepcion});
    ASSERT_TRUE(t);
    EXPECT_EQ(t->entero("REGISTROS_LEIDOS"), grabadas);
    EXPECT_EQ(t->entero("REGISTROS_IGNORADOS"), errores);
    EXPECT_EQ(t->entero("TOTAL_LINEAS"), int(numeros.size()));
    EXPECT_EQ(asientosRotos(con()), 0);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION <> ? OR IMPORTE <= 0", {corrida.idRecepcion}), 0);
    // One entry per voucher: replacements reused their entry, withdrawals left none.
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM (SELECT TC, SUCURSAL, NUMERO, LETRA FROM MV_ASIENTOS GROUP BY TC, SUCURSAL, "
                            "NUMERO, LETRA HAVING COUNT(DISTINCT [NUMERO ASIENTO]) <> 1) X"),
              0);
}

// A run stopped by an error keeps its log row open: the counts of what was
// committed, and no total, so it is never taken for a complete run of a
// shorter file.
TEST_P(RecepcionAlAzar, UnaCorridaCortadaPorUnErrorNoPareceCompleta)
{
    class ProgresoQueFalla : public ProgresoNulo {
    public:
        bool Actualizar(qint64, const QString&) override
        {
            if (++vistas == 3) throw ErrorBD(28, QStringLiteral("Espacio en disco agotado"));
            return true;
        }
        int vistas = 0;
    };
    QTemporaryDir dir;
    const QString ruta = dir.filePath("cortada.txt");
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int n = 1; n <= 6; ++n) f.write((lineaVenta(700 + n) + u'\n').toUtf8());
    }
    ContextoEmpresa ctx(con());
    CargarValoresContables(ctx);
    ProgresoQueFalla progreso;
    const ResultadoCorrida corrida = RecibirInterface(ctx, "VENTAS", ruta, progreso);
    EXPECT_EQ(corrida.fin, ResultadoCorrida::Fin::Error);
    EXPECT_EQ(corrida.error, "Espacio en disco agotado\n" + MensajeCorridaDetenida(corrida.grabados, corrida.rechazados));
    const auto t = con().PrimeraFila("SELECT * FROM TESTIGO_RECEPCION WHERE ID = ?", {corrida.idRecepcion});
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->esNulo("TOTAL_LINEAS"));
    EXPECT_EQ(t->entero("REGISTROS_LEIDOS") + t->entero("REGISTROS_IGNORADOS"), corrida.grabados + corrida.rechazados);
    EXPECT_EQ(contar(con(), "SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?", {corrida.idRecepcion}) > 0,
              corrida.grabados > 0);
}

VEXA_AMBOS_MOTORES(RecepcionAlAzar);

} // namespace
