// A reception run in a process of its own, for the tests that stop a run
// half-way or run two at once:
//   recepcion_hija <server or ""> <database> <user> <password> <definition> <file> [rejections file]
// Opens the company database and receives the file (RecibirInterface).
// Exit code 0 when the run ended whole; otherwise the error goes to stderr.
// The rejections file, when given, receives "line<TAB>message" for every rejected line.
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "CorridaRecepcion.h"
#include "Dialogos.h"
#include "Progreso.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 7) {
        std::fprintf(stderr, "uso: recepcion_hija server base usuario password definicion archivo\n");
        return 2;
    }
    // Any box shown on the way is answered with OK and reported.
    vexa::plataforma::DialogosGuion respuestas;
    vexa::plataforma::instalarDialogos(&respuestas);
    vexa::Conexion& c = vexa::Conexion::instancia();
    c.setDatos({QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4])});
    if (!c.Abrir()) {
        std::fprintf(stderr, "%s\n", qPrintable(c.ultimoError()));
        return 3;
    }
    vexa::ContextoEmpresa ctx(c);
    vexa::CargarValoresContables(ctx);
    ctx.seccionEquipo = QStringLiteral("HIJA|%1").arg(QCoreApplication::applicationPid());
    vexa::ProgresoNulo progreso;
    QFile rechazos(argc > 7 ? QString::fromLocal8Bit(argv[7]) : QString());
    if (argc > 7 && !rechazos.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 4;
    const auto r = vexa::recepcion::RecibirInterface(
        ctx, QString::fromLocal8Bit(argv[5]), QString::fromLocal8Bit(argv[6]), progreso, [&](const auto& lote) {
            if (!rechazos.isOpen()) return;
            for (const auto& l : lote)
                if (!l.mensaje.isEmpty()) rechazos.write((QString::number(l.numero) + u'\t' + l.mensaje + u'\n').toUtf8());
        });
    rechazos.close();
    for (const auto& m : respuestas.mostrados) std::fprintf(stderr, "%s\n", qPrintable(m.texto));
    if (!r.completa()) std::fprintf(stderr, "%s\n", qPrintable(r.error));
    return r.completa() ? 0 : 1;
}
