// Rz731p: the main program of the accounting suite.
#include "ArchivoIni.h"
#include "Configuracion.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "EstadoGlobal.h"
#include "LineaComandos.h"
#include "Utilidades.h"
#include "frmMDI.h"

#include <QApplication>

using namespace vexa;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    IdentificarAplicacion();

    CarpetaPrograma = Utilidades::AgregaBarra(plataforma::carpetaPrograma());
    LineaComandosPrograma = textoLineaComandos(app.arguments());
    const bool presentacion = !sinPresentacion(LineaComandosPrograma);

    Configuracion& cfg = Configuracion::instancia();
    cfg.Version = VersionPrograma();
    if (presentacion) {
        cfg.MostrarPresentacion();
        cfg.RefrescarPresentacion();
    }
    ArchivoAyuda = ArchivoIni::instancia().LeerIni(ArchivoIniPrograma, QStringLiteral("Inicio"), QStringLiteral("HelpFile"),
                                                   CarpetaPrograma + QStringLiteral("Manual.chm"));

    frmMDI w;
    plataforma::setVentanaPrincipal(&w);
    Utilidades::instancia().CursorEspera(true);
    if (!w.MDIForm_Load()) {
        // Without the company database the program does not go on.
        Utilidades::instancia().CursorEspera(false);
        cfg.CerrarPresentacion();
        return 1;
    }
    w.show();
    if (presentacion) cfg.CerrarPresentacion();
    return app.exec();
}
