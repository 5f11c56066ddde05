// Opening a SQLite company: the demo company (with its journal) and the same
// company with 1,000,000 more journal lines. For each it prints the median of
// several runs of
//   opening <company> <journal lines> <step> ms=<T> mb=<size of the file>
// step: "abrir" (the connection opened and the schema checked, as start-up does
// before the main window: the file's check only started), "verificacion" (the
// whole file's check, PRAGMA quick_check, which the first write waits for) and
// "arranque" (the main window's whole load from the command line, offscreen).
// Bar: the demo's "arranque" under 150 ms on a quiet machine.
// VEXA_BENCH_LINEAS=N changes the size of the large journal (0 leaves it out).
#include "Esquema.h"
#include "BaseBench.h"
#include "Conexion.h"
#include "EstadoGlobal.h"
#include "frmMDI.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace vexa;

namespace {

double ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

void medir(const QString& nombre, const QString& archivo, qint64 lineas, int veces)
{
    std::vector<double> abrir, verificar, arranque;
    for (int i = 0; i < veces; ++i) {
        Conexion c;
        c.setDatos({QString(), archivo, QString(), QString()});
        QElapsedTimer t;
        t.start();
        if (!c.Abrir() || !EsquemaEmpresa(c).verificarEsquema().isEmpty()) {
            std::fprintf(stderr, "no se pudo abrir %s: %s\n", qPrintable(archivo), qPrintable(c.ultimoError()));
            return;
        }
        abrir.push_back(ms(t));
        t.restart();
        const QString m = c.verificarArchivo();
        verificar.push_back(ms(t));
        if (!m.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(m));
    }
    for (int i = 0; i < veces; ++i) {
        EstadoInicio inicio;
        inicio.lineaComandos = QStringLiteral("/NoMostrarSlash;@Server=;@DbName=%1;@Usuario=;@Password=;ADMIN").arg(archivo);
        QElapsedTimer t;
        t.start();
        {
            frmMDI w(inicio);
            if (!w.MDIForm_Load()) return;
            arranque.push_back(ms(t));
        }
        Conexion::instancia().Cerrar();
    }
    const double mb = double(QFileInfo(archivo).size()) / (1024.0 * 1024.0);
    const QByteArray nb = nombre.toUtf8();
    const char* n = nb.constData();
    std::printf("opening %s %lld abrir ms=%.2f mb=%.1f\n", n, lineas, bench::mediana(abrir), mb);
    std::printf("opening %s %lld verificacion ms=%.2f mb=%.1f\n", n, lineas, bench::mediana(verificar), mb);
    std::printf("opening %s %lld arranque ms=%.2f mb=%.1f\n", n, lineas, bench::mediana(arranque), mb);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("VEXA_CONFIG_DIR", dir.path().toUtf8());
    QApplication app(argc, argv);
    const qint64 grande = qEnvironmentVariableIsSet("VEXA_BENCH_LINEAS") ? qEnvironmentVariable("VEXA_BENCH_LINEAS").toLongLong()
                                                                          : 1000000;
    DatosConexion d;
    d.dbName = dir.filePath(QStringLiteral("demo.db"));
    QString e;
    if (!crearEmpresa(d, true, true, &e, true)) {
        std::fprintf(stderr, "no se pudo crear la base: %s\n", qPrintable(e));
        return 1;
    }
    qint64 lineas = 0;
    {
        Conexion c;
        if (!c.Abrir(d)) return 1;
        lineas = c.Escalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toLongLong();
    }
    medir(QStringLiteral("demo"), d.dbName, lineas, 11);
    if (grande <= 0) return 0;

    // Three lines per entry, a sale: the columns a reception fills.
    {
        Conexion c;
        if (!c.Abrir(d)) return 1;
        Transaccion t(c);
        c.EjecutarSQL(QStringLiteral(
                          "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?) "
                          "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TIPO_REG, FECHA, CUENTA, "
                          "[DEBE-HABER], IMPORTE, DETALLE, TC, SUCURSAL, NUMERO, LETRA) "
                          "SELECT 2, 1 + (i / 3) % 12, 100000 + i / 3, 1 + i % 3, '', "
                          "printf('2026-%02d-15', 1 + (i / 3) % 12), CASE i % 3 WHEN 0 THEN '1101' WHEN 1 THEN '4101' ELSE '2103' END, "
                          "CASE i % 3 WHEN 0 THEN 'D' ELSE 'H' END, 1210000 + i, 'Venta ' || i, 'FC', '0001', "
                          "printf('%08d', i / 3), 'A' FROM n"),
                      {grande});
        t.confirmar();
        lineas = c.Escalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toLongLong();
    }
    medir(QStringLiteral("grande"), d.dbName, lineas, 5);
    return 0;
}
