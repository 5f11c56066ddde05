#include "FrmInterface.h"

#include "FrmAnulRecep.h"
#include "FrmDatosVexa.h"
#include "FrmImportacion.h"

#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "CorridaRecepcion.h"
#include "Dialogos.h"
#include "RegistroVentanas.h"
#include "Utilidades.h"

#include <QAction>
#include <QLineEdit>

namespace vexa::recepcion {

using plataforma::dialogos;
using plataforma::vbInformation;

namespace {
VentanaRecepcion::Definicion definicion()
{
    return {QStringLiteral("FrmInterface"), QStringLiteral("Recepción de Subdiario desde Interface"), {},
            QStringLiteral("SELECT NOMBRE FROM TA_INTERFACES GROUP BY NOMBRE ORDER BY NOMBRE"),
            QStringLiteral("MostrarListaInterfaces")};
}
} // namespace

FrmInterface::FrmInterface(ContextoEmpresa& ctx, QWidget* parent) : VentanaRecepcion(ctx, definicion(), parent) {}

QAction* FrmInterface::boton(const QString& clave) const { return UtilTeb1->findChild<QAction*>(clave.toUpper()); }

bool FrmInterface::existeDefinicion(Conexion& con, const QString& nombre)
{
    return con.ExisteRegistro(QStringLiteral("TA_INTERFACES"), nombre, QStringLiteral("NOMBRE"));
}

void FrmInterface::definicionValida(Conexion& con, const QString& nombre)
{
    TxtFields[1]->setText(Utilidades::NuloATexto(
        con.BuscaValor(QStringLiteral("TA_INTERFACES"), nombre, QStringLiteral("NOMBRE_ARCHIVO"), QStringLiteral("NOMBRE"))));
}

void FrmInterface::Procesa_Archivo(const QString& archivo)
{
    ResultadoCorrida r;
    correr(
        [&] {
            ProgresoRecepcion progreso(*this);
            r = RecibirInterface(
                ctx_, TxtFields[0]->text(), archivo, progreso, [this](const auto& rs) { listarLote(rs); },
                [this](std::shared_ptr<const LectorInterfaz> lector) { leerCon(std::move(lector)); });
        },
        &ctx_.con());
    if (r.idRecepcion != 0) IdRecepcion = r.idRecepcion;
    // The run has ended its transactions: a box may wait for the operator now.
    if (r.fin == ResultadoCorrida::Fin::Error)
        Utilidades::ManejaError(r.errorNumero, r.error, QStringLiteral("Procesa_Archivo"));
    else if (r.fin == ResultadoCorrida::Fin::Rechazada)
        dialogos().MsgBox(r.error, vbInformation, QStringLiteral("Aviso al operador..."));
    else
        dialogos().MsgBox(QStringLiteral("Proceso Finalizado"), vbInformation, QStringLiteral("Aviso al operador"));
}

void FrmInterface::CmdPrintGrabados_Click() { Frame1->imprimir(ResultadosRecepcion::Lista::Grabados); }

void FrmInterface::CmdPrintErrores_Click() { Frame1->imprimir(ResultadosRecepcion::Lista::Rechazados); }

void registrarVentanasRecepcion()
{
    registrarVentana(QStringLiteral("FrmInterface"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* { return new FrmInterface(ctx); });
    registrarVentana(QStringLiteral("frmDatosVexa"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* { return new frmDatosVexa(ctx); });
    registrarVentana(QStringLiteral("FrmAnulRecep"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* { return new FrmAnulRecep(ctx); });
    registrarVentana(QStringLiteral("FrmImportacion"), [](ContextoEmpresa& ctx, const OpcionesVentana&) -> QWidget* { return new FrmImportacion(ctx); });
}

} // namespace vexa::recepcion
