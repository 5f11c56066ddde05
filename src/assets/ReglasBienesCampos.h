#pragma once
// The per-field rules of the two asset windows as tables, without a window:
// one entry per data field, naming the field, the reader its text goes
// through, and its check. A check takes the value read and the form's state
// and answers the refusal's message (empty: the value passes) with the boxes
// it recomputes and what the window does next (a mode, the sheet's refresh,
// a load). The window applies the recomputed boxes whether the value passed
// or not, then shows the message or takes the next steps.
//
//   const ReglaCampo* r = BuscaRegla(TablaBien(), Arreglo::Bien, campo);
//   const Resultado res = Aplica(*r, caja->text(), estado);
#include "Lectores.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace vexa {
class Conexion;
class Configuracion;
}

namespace vexa::bienes {

// The windows' box arrays: the asset (txtbuso), the improvement (txtNov),
// the depreciation sheet (txtCalculo).
enum class Arreglo { Bien, Mejora, Planilla };

// What the rules ask of the database: one implementation over the company
// (ConsultasEmpresa), another in the tests.
class Consultas {
public:
    virtual ~Consultas() = default;
    virtual bool existeBien(qint64 codigo) = 0;
    virtual bool existeMejora(qint64 codigo, qint64 id) = 0;
    virtual bool existeSerie(const QString& serie) = 0;
    // The two depreciation accounts of an asset account ("" where none).
    virtual std::pair<QString, QString> cuentasDepreciacion(const QString& cuenta) = 0;
    // Whether the account exists, and whether it is an asset account.
    virtual bool existeCuenta(const QString& cuenta, bool& esBien) = 0;
    virtual qint64 ultimoEjercicio() = 0;
    // The purchase date against the typed year: the refusal's message or "".
    virtual QString ejercicioCompra(const QDate& compra, qint64 periodo, bool esNovedad) = 0;
};
class ConsultasEmpresa : public Consultas {
public:
    ConsultasEmpresa(Conexion& con, Configuracion& cfg) : con_(con), cfg_(cfg) {}
    bool existeBien(qint64 codigo) override;
    bool existeMejora(qint64 codigo, qint64 id) override;
    bool existeSerie(const QString& serie) override;
    std::pair<QString, QString> cuentasDepreciacion(const QString& cuenta) override;
    bool existeCuenta(const QString& cuenta, bool& esBien) override;
    qint64 ultimoEjercicio() override;
    QString ejercicioCompra(const QDate& compra, qint64 periodo, bool esNovedad) override;

private:
    Conexion& con_;
    Configuracion& cfg_;
};

// The form's state a rule reads.
struct EstadoFormulario {
    Consultas* consultas = nullptr;
    // Another box's text, trimmed, by array and data field.
    std::function<QString(Arreglo, const QString&)> texto;
    QDate hoy;
    QDate desdeEjercicio, hastaEjercicio; // the active year's dates (invalid: unknown)
    bool alta = false;           // a new asset
    bool novedad = false;        // an existing asset, or an improvement loaded
    bool cargaInicial = false;   // the register's initial load
    bool validandoTodo = false;  // the Accept's check of every box
    bool mejorasOcultas = false; // the improvement frame is hidden
    bool baja = false;           // a retirement
    bool cambio = false;         // the change window (else the register window)
    bool modificacion = false;   // the change window: the code and number checked
    QString codigoPropuesto;     // the new asset number the window proposed
};

// What the window does after a box's check.
enum class Modo { Ninguno, Alta, Existente, Baja, PorCodigo };
struct Resultado {
    QString mensaje;  // the refusal; empty: passes
    // Applied whatever the answer: boxes of the same array recomputed (data
    // field, text), a new asset number proposed, the purchase and additional
    // frames opened or closed.
    std::vector<std::pair<QString, QString>> cajas;
    bool proponerCodigo = false;
    std::optional<bool> marcosBien;
    // Applied when the value passed:
    Modo modo = Modo::Ninguno;
    bool codigo = false;         // the asset number passed
    bool planilla = false;       // the sheet's refresh runs (it may refuse)
    bool cargar = false;         // the typed asset or improvement is loaded
    bool residual = false;       // the residual value is recomputed
    bool depEjercicio = false;   // the year's depreciation is recomputed
    std::optional<QString> descripcionPeriodo; // the months' name beside them
    bool pasa() const { return mensaje.isEmpty(); }
};

enum class Lector { Texto, Importe, Decimal, Entero, Fecha };
// A box's text read by its entry's reader.
struct Valor {
    QString texto; // trimmed
    lectura::Estado estado = lectura::Estado::Vacio;
    Moneda importe;
    double decimal = 0;
    qint64 entero = 0;
    QDate fecha;
    bool vacio() const { return texto.isEmpty(); }
    bool valido() const { return estado == lectura::Estado::Valido; }
};
Valor Leer(Lector l, const QString& texto);

struct ReglaCampo {
    Arreglo arreglo;
    const char* campo; // data field (case ignored)
    Lector lector;
    Resultado (*verifica)(const Valor& v, const EstadoFormulario& e);
};

// The register window's boxes (FrmMA_BienesUso: txtbuso and txtCalculo).
std::span<const ReglaCampo> TablaBien();
// The change window's boxes (FrmMa_BienesUsoModif: txtbuso, txtNov, txtCalculo).
std::span<const ReglaCampo> TablaModificacion();
// The entry of that box; nullptr when its data field has no rule (it passes).
const ReglaCampo* BuscaRegla(std::span<const ReglaCampo> tabla, Arreglo a, const QString& campo);
// Reads the text by the entry's reader and runs its check.
Resultado Aplica(const ReglaCampo& r, const QString& texto, const EstadoFormulario& e);

// An amount box's text as the windows show it: two decimals.
QString FormatoImporte(const QString& texto);

} // namespace vexa::bienes
