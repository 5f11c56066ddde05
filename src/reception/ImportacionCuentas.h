#pragma once
// Receiving new accounts from an interface file: each line becomes a
// sub-account under the definition's parent account, or a message.
//
// DefinicionImportacion is an account-import definition as stored in
// TA_IMPORTACUENTAS / TA_IMPORTACUENTASDETALLE with its lookups (the field of a
// name, the VAT-condition equivalence, the account an origin code already got).
//
// RecibirCuentas is the run, without any window:
//
//   ProgresoNulo progreso;
//   ResultadoCorrida r = RecibirCuentas(ctx, "CLIENTES", "/ruta/clientes.txt", progreso, {});
//
// Each accepted line writes its MA_CUENTAS, MA_CUENTASADIC and
// TESTIGO_EXPORTACION rows in a savepoint of a batch that commits about four
// times a second; a line is listed (OpcionesCuentas::alConfirmar) only after its
// batch committed. A line whose work fails is rolled back alone and its number
// is given back; before anyone is asked (the error box, the cancel question)
// the batch's earlier lines are committed, so no write transaction waits for
// the operator. New codes: the first number above the run's counter whose code
// (parent + number zero-filled to the width of the level below the parent) is
// neither in MA_CUENTAS nor in MA_CUENTASADIC; the parent's taken numbers are
// read once per run, and a code another station takes meanwhile is skipped when
// its insert clashes.
#include "CorridaRecepcion.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace vexa {
class Conexion;
}

namespace vexa::recepcion {

struct CampoImportacion {
    QString Nombre;   // as stored in Nombre_CAMPO
    QString Valor;    // the field's value in the line at hand
    qint16 Longitud = 0;
};

class DefinicionImportacion {
public:
    explicit DefinicionImportacion(Conexion& con) : con_(con) {}

    // Loads the definition named (trimmed). False when it has no header row (the
    // header values then stay as they were). Throws on a database error.
    bool ObtieneDatosImp(const QString& nombre);

    // The value of the first field named so (trimmed, ignoring case); empty when none.
    QString ValorCampo(const QString& nombre) const;
    // Its place in Campos, from 1; 0 when none.
    qint16 PosicionCampo(const QString& nombre) const;
    // The system VAT condition of an origin condition under this definition: the
    // first equivalence row (in entry order) whose origin equals it, trimmed and
    // ignoring case; the value unchanged when none. Rows read once per load.
    QString BuscaEquivalenciaCONDIVA(const QString& codigo);
    // True when the origin code was not received under the parent account yet;
    // else false with the account it got. Throws on a database error.
    bool Valida_Codigo(const QString& codigo, QString& cuentaAsignada);

    // Splits a line into the fields' values. Each line starts empty: a field the
    // line does not reach is empty.
    void dividir(const QString& linea);

    QString Nombre;
    QString CuentaMadre, TipoArchivo, Separador, Calificador;
    QString CampoCodigo, CampoDescripcion, CampoCuit, CampoCondIva;
    std::vector<CampoImportacion> Campos; // in SECUENCIA order; one empty entry without field rows

private:
    Conexion& con_;
    std::vector<std::pair<QString, QString>> equivalencias_; // origin (trimmed) -> system code
    bool equivalenciasLeidas_ = false;
};

// A definition of that name exists: names are matched trimmed, without regard
// to case (one written by hand with a trailing blank is found).
bool ExisteDefinicion(Conexion& con, const QString& nombre);

// True when every character of the origin code is a letter (Ñ included), a
// digit or a point.
bool CodigoOrigenValido(const QString& codigo);
// A VAT condition as stored: trimmed and zero-filled to 4 ("1" -> "0001",
// "ZZ" -> "00ZZ"); a longer whole number loses leading zeros down to 4.
QString CondicionIvaNormalizada(const QString& condicion);

struct OpcionesCuentas {
    // Hears of every line of a committed batch (in file order).
    AlConfirmarLote alConfirmar;
    AlLeer alLeer;
    // The operator asked to stop: true to stop (asked with no transaction open).
    std::function<bool()> confirmarCancelar;
    // An unexpected error inside a line (its work already rolled back, no
    // transaction open): plataforma::vbRetry runs the line again, anything else
    // lists it among the errors with the error's text. Without it: listed.
    std::function<int(int numero, const QString& descripcion)> alFallar;
};

// The run. Refused (Fin::Rechazada) when another run holds the station, or when
// the definition's parent account is not in the chart (before the file is read).
ResultadoCorrida RecibirCuentas(ContextoEmpresa& ctx, const QString& definicion, const QString& archivo,
                                Progreso& progreso, const OpcionesCuentas& opciones);


} // namespace vexa::recepcion
