#pragma once
// Field lists of the additional-data views (TA_VISTAS), which other programs
// of the suite read: for each view name, the offered fields chosen in order and
// the view's type. One row per field, in the order of ID; a view without fields
// keeps one row with an empty CAMPO so that its name and type stay stored.
#include "Conexion.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vexa::vistas {

struct TipoVista {
    QString Titulo;   // the option's caption
    QString Etiqueta; // what TIPOVISTA stores
};
// "Cliente" CL, "Proveedor" PR, "Banco" BN, "Ninguno" NN, in the window's order.
const std::vector<TipoVista>& TiposVista();
// The fields a view can offer, in their order.
const QStringList& CamposOfrecidos();

// "Clientes", "Proveedores" and "Bancos" (any case) are predefined views: not saved here.
bool EsVistaPredefinida(const QString& nombre);
QString MensajeVistaPredefinida();
QString MensajeVistaNueva(); // the question for a name not yet in the list
// Widest view name TA_VISTAS keeps.
int AnchoNombre();

// The view names stored, each once, in name order.
QStringList NombresVistas(Conexion& con);

struct DefinicionVista {
    QStringList campos; // in stored order; the empty field of a view without fields left out
    QString tipo;       // the stored tag; empty when the view has no rows
};
DefinicionVista LeerVista(Conexion& con, const QString& nombre);

// The offered fields not among 'seleccionados' (compared without regard to case,
// within the selected fields joined by "|"), in the offered order.
QStringList CamposDisponibles(const QStringList& seleccionados);

// Replaces the view's stored definition with these fields (blank ones left out)
// and type, in one transaction: a failure leaves the stored one as it was. An
// empty name does nothing; a predefined one or a name wider than the column is
// refused (ErrorVexa with the message) and nothing is written.
void GuardarVista(Conexion& con, const QString& nombre, const QStringList& campos, const QString& tipo);

} // namespace vexa::vistas
