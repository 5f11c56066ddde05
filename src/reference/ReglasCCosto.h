#pragma once
// An account's standing distribution over cost centres (MA_CUENTASCCOSTO): its
// rows, the checks of a centre and of a share, the sum of the shares, the
// replacement of the rows in one transaction and the movement test that guards
// their deletion. No window: errors are thrown, messages returned.
#include "Conexion.h"

#include <QString>

#include <optional>
#include <vector>

namespace vexa::ccosto {

// One row of the distribution as the window holds it (texts as shown).
struct RegCentroCosto {
    QString CCosto;      // cost-centre code
    QString Descripcion; // the centre's DESCRIPCION
    QString Porcentaje;  // the share as typed
};

inline constexpr int AnchoCCosto = 4;      // TA_CCOSTO.CODIGO, MA_CUENTASCCOSTO.CCOSTO
inline constexpr int AnchoPorcentaje = 6;  // characters a share keeps
inline constexpr qint64 Cien = 1000000;    // 100 % in ten-thousandths of a percent

// The operator's messages.
QString MensajeCodigoInexistente();       // "Codigo_Inexistente"
QString MensajeCentroRepetido();
QString MensajePorcentajeFueraDeRango();
QString MensajeSumaFueraDeRango();        // while a share is entered
QString MensajeSumaAlGrabar();            // while saving
QString MensajeDebeIngresarCuenta();
QString MensajeCuentaInexistente();
QString MensajeCuentaNoImputable();
QString MensajeTieneMovimientos(const QString& cuenta);

// A cost-centre code as stored and looked up: trimmed and zero-filled to the
// column's width ("1" -> "0001"); an empty text stays empty.
QString CodigoCentro(const QString& texto);

// A share typed by the operator in ten-thousandths of a percent: digits with
// ',' or '.' as decimal mark, at most four decimals, from 0 to 100, within six
// characters. nullopt for anything else (letters, a sign, more decimals).
// An empty text is 0.
std::optional<qint64> LeerPorcentaje(const QString& texto);
// A stored share as the row shows it: the figure rounded to what six
// characters can show, without trailing zeros ("12.5", "33.333", "100").
QString TextoPorcentaje(double porcentaje);

// The exact sum of the shares of the rows 1..n that hold a code (row 0 is not
// used); nullopt when one of them cannot be read.
std::optional<qint64> SumaPorcentajes(const std::vector<RegCentroCosto>& filas);
// The sum lies from 0 to 100 %; otherwise false and 'mensaje' gets why.
bool SumaPorcentajesValida(const std::vector<RegCentroCosto>& filas, QString& mensaje);

// Where a check of the whole distribution failed: the row (1..n), the column
// of the grid (1 code, 3 share) and the message.
struct FalloFila {
    int fila = 0;
    int columna = 0;
    QString mensaje;
};
// Checks every row that holds a code as a save needs it: the centre exists and
// no other row holds it (in any letter case), the share reads as a share, and
// the sum lies from 0 to 100 %. The first failure, or nullopt.
std::optional<FalloFila> RevisarFilas(Conexion& con, const std::vector<RegCentroCosto>& filas);

// The centre exists in TA_CCOSTO (the code zero-filled first); its code as
// stored and its description, or nullopt.
struct Centro {
    QString codigo;
    QString descripcion;
};
std::optional<Centro> BuscarCentro(Conexion& con, const QString& codigo);
// Another row than 'fila' holds the code (zero-filled, any letter case).
bool CentroRepetido(const std::vector<RegCentroCosto>& filas, int fila, const QString& codigo);

// The account as the window accepts it.
struct Cuenta {
    enum class Estado { Vacia, Inexistente, Titulo, Imputable } estado = Estado::Vacia;
    QString descripcion;
};
Cuenta BuscarCuenta(Conexion& con, const QString& codigo);

// The account's rows ordered by centre, with each centre's description; row 0
// is the unused empty row, so the vector is never empty.
std::vector<RegCentroCosto> Generar(Conexion& con, const QString& cuenta);

// A share that cannot be stored as a number (the save's data-type failure).
class ErrorConversion : public ErrorVexa {
public:
    using ErrorVexa::ErrorVexa;
};

// Replaces the account's rows: in one transaction under the account's writer
// lock, deletes them and, unless 'borrar', inserts each row 1..n that holds a
// code (zero-filled) with its share. Any failure rolls everything back and is
// thrown (ErrorConversion for a share that is not a number).
void Actualizar_Datos(Conexion& con, const QString& cuenta, const std::vector<RegCentroCosto>& filas, bool borrar);

// The account has a cost-centre movement with an amount (MV_ASIENTOSCCOSTO),
// the stored account compared trimmed and without regard to case.
// A database error is thrown, never read as "no movements".
bool TieneMov(Conexion& con, const QString& cuenta);

// The query and title of the whole distribution's sheet.
QString ConsultaPlanilla();
QString TituloPlanilla();

} // namespace vexa::ccosto
