// Rz731p: the main program of the accounting suite.
#include "Conexion.h"
#include "Dialogos.h"
#include "LineaComandos.h"
#include "frmMDI.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rz731p"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vexa Gestión Contable"));
    const QString linea = vexa::textoLineaComandos(app.arguments());
    const vexa::ClavesConexion k = vexa::cortarClaves(linea);
    vexa::Conexion& con = vexa::Conexion::instancia();
    con.Usuario = k.usuario;
    con.DbName = k.dbName;
    con.Password = k.password;
    con.Server = k.server;
    if (!con.Abrir()) {
        const QString motivo = QStringLiteral("No se pudo conectar con la base de datos: ") + con.ultimoError();
        QTextStream(stderr) << motivo << "\n";
        vexa::plataforma::dialogos().MsgBox(motivo, vexa::plataforma::vbCritical, QStringLiteral("Aviso al operador"));
        return 1;
    }
    vexa::frmMDI w;
    vexa::plataforma::setVentanaPrincipal(&w);
    w.show();
    const int r = app.exec();
    con.Cerrar();
    return r;
}
