#include "FrmImportacion.h"

#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "Utilidades.h"
#include "ImportacionCuentas.h"
#include "LBM_Common.h"

#include <QLineEdit>

namespace vexa::recepcion {

using plataforma::dialogos;

namespace {
// The lists as the interface reception's, but for the error list's button; the
// run shows its box, and Tab checks the definition's name.
VentanaRecepcion::Definicion definicion()
{
    ListasRecepcion::Textos textos;
    textos.botonErrores = QStringLiteral("Imprimir &Errores Detectados");
    return {QStringLiteral("FrmImportacion"), QStringLiteral("Recepción de Cuentas desde Interfaz"), textos,
            QStringLiteral("SELECT NOMBRE FROM TA_IMPORTACUENTAS GROUP BY NOMBRE ORDER BY NOMBRE"),
            QStringLiteral("ListaInterfaces"), true, true};
}
} // namespace

FrmImportacion::FrmImportacion(ContextoEmpresa& ctx, QWidget* parent) : VentanaRecepcion(ctx, definicion(), parent) {}

bool FrmImportacion::existeDefinicion(Conexion& con, const QString& nombre) { return ExisteDefinicion(con, nombre); }

void FrmImportacion::Procesa_ArchivoCuentas(const QString& archivo)
{
    OpcionesCuentas op;
    op.alConfirmar = [this](const std::vector<LoteRecepcion::Resultado>& rs) { listarLote(rs); };
    op.alLeer = [this](std::shared_ptr<const LectorInterfaz> lector) { leerCon(std::move(lector)); };
    ProgresoRecepcion* progreso = nullptr;
    op.confirmarCancelar = [&progreso] {
        return progreso && ventanas::ConfirmarCancelar(*progreso, QStringLiteral("Desea cancelar el proceso?"),
                                                       plataforma::vbYesNo | plataforma::vbExclamation,
                                                       QStringLiteral("CANCELADO POR EL USUARIO"), false);
    };
    op.alFallar = [](int numero, const QString& descripcion) {
        return dialogos().MsgBox(QStringLiteral("Error: ") + texto::str(qint64(numero)) + QLatin1Char(' ') + descripcion,
                                 plataforma::vbAbortRetryIgnore | plataforma::vbCritical, QStringLiteral("Error de datos!"));
    };
    ResultadoCorrida r;
    correr(
        [&] {
            ProgresoRecepcion p(*this);
            progreso = &p;
            r = RecibirCuentas(ctx_, TxtFields[0]->text(), archivo, p, op);
            progreso = nullptr;
        },
        &ctx_.con());
    if (r.fin == ResultadoCorrida::Fin::Error)
        dialogos().MsgBox(r.error, plataforma::vbOKOnly, windowTitle());
    else if (r.fin == ResultadoCorrida::Fin::Rechazada)
        dialogos().MsgBox(r.error, plataforma::vbInformation, QStringLiteral("Aviso al operador..."));
    else
        dialogos().MsgBox(QStringLiteral("Ha finalizado el proceso con éxito"), plataforma::vbInformation,
                          QStringLiteral("Aviso al operador"));
}

} // namespace vexa::recepcion
