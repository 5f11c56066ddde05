#pragma once
// The commercial system's transfer file: fixed-width lines, one per entry line
// of a voucher, grouped into vouchers by a numeric key. Pure: no database.
//
//   AgrupadorVexa g;
//   for each line read:  if (auto c = g.ProcesaLinea(texto, numero, posicion, largo)) handle(*c);
//   at the end of file:  if (auto c = g.Fin()) handle(*c);
//
// Columns (from 1): key 1-10, sub-journal 11-14, date 15-22, account 23-37,
// amount 38-52, side 53, main account 54-68, total 69-83, voucher type 84-87,
// voucher number 88-100, net kind 101, VAT book 102, detail 103-142 (the
// customer's or supplier's name is its characters 8 to 37, columns 110-139),
// due date 143-150, tax number 153-167, VAT condition 168-171. A short line
// leaves the missing fields blank.
#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace vexa::recepcion {

// One line of a voucher, each field cut to its width (trimmed where the file's
// layout says so).
struct LineaRecepcionVexa {
    QString Subdiario, Fecha, Cuenta, Importe, DebeHaber, CabCuenta, CabImporte, TC, NroComprobante, TipoNeto,
        LibroIva, CabNombre, FechaVto, CabCUIT, CabCondIVA, Detalle;
};

// Texts a file repeats line after line (its accounts, dates, codes and
// customers), handed out again instead of copied: the last text met in each
// place of a small table, so it never holds more than that.
class TextosRepetidos {
public:
    QString de(QStringView texto);

private:
    std::array<QString, 512> lugares_;
};

// Cuts one line of the file into its fields. With 'repetidos' the fields that
// repeat from line to line share the text met before.
LineaRecepcionVexa CortaLineaVexa(const QString& linea, TextosRepetidos* repetidos = nullptr);

// The key of a line (columns 1-10, trimmed) and its numeric value: the leading
// whole number of the text, 0 when it has none ("007" and "7.0" are 7).
QString ClaveVexa(const QString& linea);
qint64 ValorClaveVexa(const QString& clave);

// The entry date of the file, day first: DDMMAAAA (the year as written) or
// DDMMAA (the century by AplicaSiglo). Invalid for any other text.
QDate ConvierteFecha(const QString& fecha);

// The lines of one voucher, in file order, and where they lie in the file.
struct ComprobanteVexa {
    QString clave;          // key of its first line, trimmed
    qint64 valorClave = 0;
    qint64 primeraLinea = 0; // line number of its first line, from 1
    qint64 posicion = 0;     // byte offset of its first line and length up to the end of its last
    qint64 largo = 0;
    std::vector<LineaRecepcionVexa> lineas;
    QStringList textos;     // the lines as read
    QString problema;       // a line the reader could not use (the first one's message); empty when none
};

// Gathers the lines of the voucher being read; a line whose key has another
// numeric value completes it.
class AgrupadorVexa {
public:
    // Stores the line; returns the voucher it completed, if any (the line then
    // begins the next one). 'problema' is the reader's message for a line it
    // could not use (the voucher it belongs to is to be rejected with it).
    std::optional<ComprobanteVexa> ProcesaLinea(const QString& linea, qint64 numero = 0, qint64 posicion = 0,
                                                qint64 largo = 0, const QString& problema = QString());
    // The end of the file completes the voucher being read, whatever its key.
    std::optional<ComprobanteVexa> Fin();
    // Drops the voucher being read.
    void LimpiaRegistros() { actual_.reset(); }
    bool hayComprobante() const { return actual_.has_value(); }
    const QString& ClaveActual() const { return claveActual_; }

private:
    std::optional<ComprobanteVexa> actual_;
    QString claveActual_;
    TextosRepetidos repetidos_;
};

} // namespace vexa::recepcion
