// Rz731p: the main program of the accounting suite.
#include "ArchivoIni.h"
#include "DialogosQt.h"
#include "Presentacion.h"
#include "UtilidadesVentanas.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "EstadoGlobal.h"
#include "LineaComandos.h"
#include "Utilidades.h"
#include "FrmInterface.h"
#include "VentanasBienes.h"
#include "VentanasCCosto.h"
#include "VentanasEjercicios.h"
#include "LBF_DBPWD.h"
#include "VentanasAsientos.h"
#include "VentanasSeguridad.h"
#include "VentanasReferencia.h"
#include "VentanasCotizacion.h"
#include "frmMDI.h"
#include "frmperscampos.h"
#include "frmMA_INDAJUSTE.h"

#include <QApplication>

using namespace vexa;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    IdentificarAplicacion();

    registrarVentanasVentanaPrincipal();
    recepcion::registrarVentanasRecepcion();
    registrarVentanasEjercicios();
    registrarVentanasAsientos();
    registrarVentanasNucleo();
    registrarVentanasSeguridad();
    registrarVentanasBienes();
    registrarVentanasReferencia();
    registrarVentanasCotizacion();
    registrarVentanasAjuste();
    registrarVentanasCCosto();

    EstadoInicio inicio;
    inicio.carpetaPrograma = Utilidades::AgregaBarra(plataforma::carpetaPrograma());
    inicio.lineaComandos = textoLineaComandos(app.arguments());
    const bool presentacion = !sinPresentacion(inicio.lineaComandos);

    plataforma::usarPlataformaQt();
    if (presentacion) {
        MostrarPresentacion(VersionPrograma());
        RefrescarPresentacion();
    }
    inicio.archivoAyuda = ArchivoIni::LeerIni(ArchivoIniPrograma, QStringLiteral("Inicio"), QStringLiteral("HelpFile"),
                                              inicio.carpetaPrograma + QStringLiteral("Manual.chm"));

    frmMDI w(std::move(inicio));
    plataforma::setVentanaPrincipal(&w);
    ventanas::CursorEspera(true);
    if (!w.MDIForm_Load()) {
        // Without the company database the program does not go on.
        ventanas::CursorEspera(false);
        CerrarPresentacion();
        return 1;
    }
    w.MostrarAlIniciar();
    if (presentacion) CerrarPresentacion();
    return app.exec();
}
