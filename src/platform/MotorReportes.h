#pragma once
// The report engine: reports defined in code and registered by name, run with
// a selection built from the operator's criteria, to the screen, the printer
// or a PDF file through the report mechanism (Reportes.h). The rules build the
// report (ArmaReporte); printing it (GeneraReporte) is defined with the report
// seam, which only the window level links.
//
//   MotorReportes motor;
//   motor.Destino = MotorReportes::DestinoPantalla;
//   FormulaReporte f; QString error;
//   if (!motor.ArmaFormula(criterios, f, error)) { ...show error...; return; }
//   motor.GeneraReporte(con, "rp_x", {}, f, {{"EMPRESA", nombre}});
//
// A selection never carries a typed value in its text: each criterion becomes
// a condition on a checked field name with '?' placeholders, and the values
// travel as bound parameters.
#include "Conexion.h"
#include "Reporte.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace vexa {

// Type codes a criterion carries (the data-type codes of the original engine).
inline constexpr qint16 CRITERIO_TEXTO = 129; // adChar (also 200, 202: adVarChar, adVarWChar)
inline constexpr qint16 CRITERIO_FECHA = 7;   // adDate (also 133, 135: adDBDate, adDBTimeStamp)

// One range of the selection: from and to values (an empty end is open) over a
// report field written "{Tabla.Campo}" (in parentheses or not).
struct CriterioReporte {
    QString desde;
    QString hasta;
    QString campo;
    qint16 tipo = 0;
};

// A selection: conditions over the report's fields ("TABLA.CAMPO"), with their
// bound values. Empty: every row.
struct FormulaReporte {
    QString condicion;
    Params parametros;
    QStringList campos; // the fields it refers to, upper case
    bool vacia() const { return condicion.trimmed().isEmpty(); }
    // Adds a condition joined with AND.
    void agregar(const QString& cond, const Params& p, const QStringList& camposUsados = {});
};

// What a report definition receives for one run.
struct PedidoReporte {
    Conexion* con = nullptr;
    QString nombre;
    QStringList parametros;
    FormulaReporte seleccion;
    QHash<QString, QString> formulas; // named header values ("EMPRESA"), upper-case names
};

// A report defined in code: the fields a selection may use ("TABLA.CAMPO",
// compared without regard to case) and how its pages are built. The Reporte's
// row source runs its query when the mechanism asks for the rows.
struct DefinicionReporte {
    QStringList campos;
    std::function<plataforma::Reporte(const PedidoReporte&)> armar;
};
void registrarReporte(const QString& nombre, DefinicionReporte definicion);
bool existeReporte(const QString& nombre);

// The name written "{Tabla.Campo}" or "({Tabla.Campo})" as "TABLA.CAMPO"; empty
// when it is not one.
QString CampoDeReporte(const QString& campo);

class MotorReportes {
public:
    enum Destinos { DestinoPantalla = 0, DestinoImpresora = 1, DestinoArchivo = 2 };
    int Destino = DestinoPantalla;
    QString ArchivoDestino; // the PDF written for DestinoArchivo

    // The criteria as one selection. Text ranges compare the field with the
    // given ends; date ranges take whole days, both ends included. False with
    // the operator's message when a criterion cannot be used (a field that is not
    // "{Tabla.Campo}", an unknown type, a text that is not a date, an inverted
    // date range); the formula is then left empty.
    bool ArmaFormula(const QList<CriterioReporte>& criterios, FormulaReporte& formula, QString& error) const;

    // The named report with the selection, ready to print. Throws ErrorVexa for
    // an unknown report or a field the report does not have (no statement runs
    // then).
    plataforma::Reporte ArmaReporte(Conexion& con, const QString& nombre, const QStringList& parametros,
                                    const FormulaReporte& seleccion, const QHash<QString, QString>& formulas = {}) const;
    // Prints a report to the engine's destination. Throws ErrorVexa for the
    // printer's failure. Defined with the report seam.
    plataforma::ResultadoReporte EmiteReporte(const plataforma::Reporte& reporte) const;
    // ArmaReporte, then EmiteReporte; ErrorBD for the database's failure.
    // Defined with the report seam.
    plataforma::ResultadoReporte GeneraReporte(Conexion& con, const QString& nombre, const QStringList& parametros,
                                               const FormulaReporte& seleccion, const QHash<QString, QString>& formulas = {});
};

} // namespace vexa
