// A reception run in a process of its own, for the tests that stop a run
// half-way or run two at once:
//   recepcion_hija <server or ""> <database> <user> <password> <definition> <file>
// Opens the company database, fills the reception window's fields and presses
// GRABAR, answering every message box with OK. Exit code 0 when the run ended.
#include "Conexion.h"
#include "Dialogos.h"
#include "EstadoGlobal.h"
#include "FrmInterface.h"

#include <QApplication>
#include <QLineEdit>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 7) {
        std::fprintf(stderr, "uso: recepcion_hija server base usuario password definicion archivo\n");
        return 2;
    }
    vexa::plataforma::DialogosGuion respuestas;
    vexa::plataforma::instalarDialogos(&respuestas);
    vexa::Conexion& c = vexa::Conexion::instancia();
    c.Server = QString::fromLocal8Bit(argv[1]);
    c.DbName = QString::fromLocal8Bit(argv[2]);
    c.Usuario = QString::fromLocal8Bit(argv[3]);
    c.Password = QString::fromLocal8Bit(argv[4]);
    if (!c.Abrir()) {
        std::fprintf(stderr, "%s\n", qPrintable(c.ultimoError()));
        return 3;
    }
    vexa::SeccionEquipo = QStringLiteral("HIJA|%1").arg(QCoreApplication::applicationPid());
    vexa::recepcion::FrmInterface w;
    w.TxtFields[0]->setText(QString::fromLocal8Bit(argv[5]));
    w.Campo_Valida(0);
    w.TxtFields[1]->setText(QString::fromLocal8Bit(argv[6]));
    w.UtilTeb1_ButtonClick(QStringLiteral("GRABAR"));
    for (const auto& m : respuestas.mostrados)
        if (m.texto != QLatin1String("Proceso Finalizado")) std::fprintf(stderr, "%s\n", qPrintable(m.texto));
    return respuestas.ultimo() == QLatin1String("Proceso Finalizado") ? 0 : 1;
}
