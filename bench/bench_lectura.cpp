// Memory of reading an interface file and keeping a run's results: writes a
// file of N lines for the demo definition "VENTAS" (line ends CR LF, LF and a
// lone CR in turn, one line of M MiB among them), reads it with LectorInterfaz
// and fills ResultadosRecepcion (every third line rejected with one of three
// messages), then prints
//
//   lectura <lines> lines/s=<N> rss_mb_inicio=<A> rss_mb_pico=<P> almacen_bytes_por_linea=<B>
//
// rss_mb_pico is the process's peak resident memory (VmHWM): it must stay
// near rss_mb_inicio whatever the number of lines and the long line's length.
#include "LectorInterfaz.h"
#include "ResultadosRecepcion.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace vexa::recepcion;

namespace {
double picoMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:")) return l.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const qint64 lineas = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    const qint64 largaMb = argc > 2 ? QByteArray(argv[2]).toLongLong() : 64;
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("ventas.txt"));
    {
        QFile f(ruta);
        if (!f.open(QIODevice::WriteOnly)) return 1;
        const char* fines[] = {"\r\n", "\n", "\r"};
        for (qint64 n = 1; n <= lineas; ++n) {
            if (n == lineas / 2 && largaMb > 0) {
                const QByteArray trozo(1024 * 1024, 'x');
                for (qint64 i = 0; i < largaMb; ++i) f.write(trozo);
                f.write("\r\n");
                continue;
            }
            f.write(QByteArray("01/03/2026;FC;0001-") + QByteArray::number(n).rightJustified(8, '0')
                    + "-A;CLI001;1000.00;210.00;1210.00;31/03/2026;\"Mercadería según remito\"" + fines[n % 3]);
        }
    }
    const double inicio = picoMb();
    const QString mensajes[] = {
        QStringLiteral("El campo fecha no contiene datos validos"),
        QStringLiteral("El importe debe ser mayor a cero"),
        QStringLiteral("El comprobante ya existe!!! "),
    };
    QElapsedTimer reloj;
    reloj.start();
    ResultadosRecepcion resultados;
    LectorInterfaz lector(ruta);
    if (!lector.abrir()) {
        std::fprintf(stderr, "%s\n", qPrintable(lector.error()));
        return 1;
    }
    resultados.fijarTextoLinea([&](qint64 p, qint64 n) { return lector.lineaEn(p, n); });
    std::vector<ResultadosRecepcion::Fila> lote;
    LineaLeida l;
    while (lector.siguiente(l)) {
        QString m = l.problema;
        if (m.isEmpty() && l.numero % 3 == 0) m = mensajes[l.numero % 9 / 3];
        lote.push_back({l.numero, l.posicion, l.largo, m});
        if (lote.size() == 1000) {
            resultados.agregar(lote);
            lote.clear();
        }
    }
    resultados.agregar(lote);
    const double seg = reloj.elapsed() / 1000.0;
    const auto total = resultados.cantidad(ResultadosRecepcion::Lista::Grabados) + resultados.cantidad(ResultadosRecepcion::Lista::Rechazados);
    if (total != lineas || !lector.error().isEmpty()) {
        std::fprintf(stderr, "listed %lld of %lld lines %s\n", qlonglong(total), qlonglong(lineas), qPrintable(lector.error()));
        return 1;
    }
    // Rows shown on demand, as a list view asks for them.
    auto* m = resultados.modeloGrabados();
    for (int i = m->rowCount() - 20; i < m->rowCount(); ++i) m->data(m->index(i));
    std::printf("lectura %lld lines/s=%.0f rss_mb_inicio=%.0f rss_mb_pico=%.0f almacen_bytes_por_linea=%.1f\n", qlonglong(lineas),
                lineas / std::max(seg, 0.001), inicio, picoMb(), double(resultados.bytesOcupados()) / double(lineas));
    return 0;
}
