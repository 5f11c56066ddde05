#pragma once
// The checks of the adjustment entry's header fields, one entry per data field
// of the window: how the field's text is read, its check (the value read and
// the header's state -> the operator's message or nothing) and what it
// recomputes. The window shows the messages and applies what a check
// recomputes; the checks show nothing and ask the company through
// ConsultasCabecera (the window answers through the entry rules, a test from a
// table).
//
//   ajuste::EstadoCabecera estado{{"TC", "AJUS"}, {"LETRA", "A"}};
//   ajuste::ResultadoCampo r = ajuste::ValidarCampo("NUMERO", " 12", estado, consultas);
//   // r.mensaje empty: right; r.textos["NUMERO"] == "00000012"
#include "Lectores.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vexa::ajuste {

// What the header's checks ask of the company.
class ConsultasCabecera {
public:
    virtual ~ConsultasCabecera() = default;
    virtual bool existeCuenta(const QString& codigo) = 0;
    virtual QString descripcionCuenta(const QString& codigo) = 0;
    // The voucher type's letters (blank when it has none or does not exist);
    // 'soloContable': of the accounting system's types only.
    virtual QString letras(const QString& tc, bool soloContable) = 0;
    virtual QString descripcionComprobante(const QString& tc) = 0;
    // True when the type does not number its own vouchers.
    virtual bool comprobanteEntrada(const QString& tc) = 0;
    // The type's default branch and last number for the letter (which it may change).
    virtual void datosComprobante(const QString& tc, QString& sucursal, QString& numero, QString& letra) = 0;
    // Whether the voucher may be used ('numero' may move on); false with the message.
    virtual bool validaComprobante(const QString& tc, const QString& sucursal, QString& numero, const QString& letra,
                                   QString& mensaje) = 0;
    // Whether the entry date is accepted; false with the message (which may be blank).
    virtual bool fechaValida(const QString& fecha, QString& mensaje) = 0;
    // The next entry number of the date's month, and as the header shows it.
    virtual QString numeroAsiento(const QDate& fecha, QString& numero) = 0;
    // The active fiscal year's first and last days (invalid when not known).
    virtual QDate ejercicioDesde() = 0;
    virtual QDate ejercicioHasta() = 0;
    // The voucher type typed is proposed the next time.
    virtual void recordarComprobante(const QString& tc) = 0;
};

// The header's fields as the window holds them: data field -> text, trimmed.
using EstadoCabecera = QHash<QString, QString>;

// How a field's text is read before its check (the readers of Lectores.h).
enum class Lectura {
    Texto,   // the text, trimmed
    Codigo,  // a code (account, voucher type, letter), trimmed
    Numero,  // a number as amounts are written (lectura::importe)
    Fecha,   // a date (lectura::fecha)
    Periodo  // a month "MM/AAAA", whose check reads it itself
};
// A field's text as its entry's reader found it.
struct ValorCampo {
    QString texto; // trimmed
    lectura::Estado estado = lectura::Estado::Vacio;
    Moneda numero; // Numero
    QDate fecha;   // Fecha
    bool vacio() const { return texto.isEmpty(); }
    bool valido() const { return estado == lectura::Estado::Valido; }
};
ValorCampo LeerCampo(Lectura lectura, const QString& texto);

struct ResultadoCampo {
    // How the message is shown.
    enum class Caja {
        Campo,    // "Aviso al Operador" (exclamation), when the caller asks for it
        Inmediata // at once, without a title, OK only
    };
    QString mensaje; // empty: the field is right; blank: wrong, nothing to show
    Caja caja = Caja::Campo;
    QString aviso;                  // a notice shown at once (no title) though the field is right
    QHash<QString, QString> textos; // fields recomputed: data field -> text
    std::optional<QString> descripcionCuenta, descripcionComprobante;
    bool comprobanteBloqueado = false; // branch and number are the type's own
    bool cuentaIngresada = false;      // the result account was accepted: the entry has data
    bool cabeceraCompleta = false;     // the voucher was accepted: the header locks, generation may start
    std::optional<QString> fechaDesde, fechaHasta; // the periods' first days ("01/MM/AAAA")
    std::optional<QString> nroAsiento;             // the entry number of the date's month
    bool error() const { return !mensaje.isEmpty(); }
};

struct ReglaCampo {
    QString campo; // the data field
    Lectura lectura;
    ResultadoCampo (*comprobar)(const ValorCampo& valor, const EstadoCabecera& estado, ConsultasCabecera& consultas);
    QStringList recalcula; // the fields (and descriptions) the check may set
};

// Every header field that has a check.
const std::vector<ReglaCampo>& ReglasCabecera();
// The check of a data field (case aside); nullptr for a field without one.
const ReglaCampo* ReglaDe(const QString& campo);
// Reads the text and checks it; a field without a check is right. A database
// error throws.
ResultadoCampo ValidarCampo(const QString& campo, const QString& texto, const EstadoCabecera& estado,
                            ConsultasCabecera& consultas);

// The messages.
inline const QString kMensajeSinCuentaRei = QStringLiteral("Debe ingresar un código de Cuenta R.E.I.");
inline const QString kMensajeCodigoInexistente = QStringLiteral("Código inexistente");
inline const QString kMensajeTCSinLetras =
    QStringLiteral("El tipo de comprobante ingresado no es valido o no tiene asignada ninguna letra");
inline const QString kMensajeSucursalNumerica = QStringLiteral("El campo debe ser numérico ");
inline const QString kMensajeSinLetras = QStringLiteral("El comprobante no tiene letras asignadas");
inline const QString kMensajeNumerico = QStringLiteral("El campo debe ser numérico");
inline const QString kAvisoNoCorrelativo = QStringLiteral("El numero no es correlativo al último informado en configuracion");
inline const QString kMensajeLetras = QStringLiteral("Debe ingresar A,B,C,X,E");
inline const QString kMensajeLetraAjena =
    QStringLiteral("La letra Informada no forma parte de las informadas en la configuracion");
inline const QString kMensajeSinConcepto = QStringLiteral("Debe ingresar el Concepto");
inline const QString kMensajeSinPeriodo = QStringLiteral("Debe Informar el Periodo!");
inline const QString kMensajeFormatoPeriodo = QStringLiteral("Debe informar los periodos en formato MM/AAAA");
inline const QString kMensajePeriodoInvalido = QStringLiteral("Los datos ingresados no representan un periodo válido");
inline const QString kMensajeDesdeFuera = QStringLiteral("El Periodo Desde no pertenece al rango del Ejercicio");
inline const QString kMensajeHastaFuera = QStringLiteral("El Periodo Hasta no pertenece al rango del Ejercicio");

} // namespace vexa::ajuste
