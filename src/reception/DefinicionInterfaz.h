#pragma once
// A stored interface definition as the voucher reception uses it: the header
// of TA_INTERFACES (which field of the file carries each datum of a voucher),
// the ordered fields of TA_INTERFACES_DETALLE, and the definition's code
// equivalences and entry-line rules. A definition does not change once built;
// the values of each line are cut into a ValoresLinea of their own.
#include "DivisorLineas.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vexa {
class Conexion;
}

namespace vexa::recepcion {

struct CampoInterfaz {
    QString Nombre;   // field name (trimmed)
    QString TIPO_DATO;
    QString Formato;  // date layout of a date field
    int Longitud = 0; // width in a fixed-width file
};

// Header values, each read as text, NULL as "", trimmed of blanks.
struct CabeceraInterfaz {
    QString Nombre;
    QString Subdiario;
    QString TipoArchivo, Separador, Calificador;
    QString FechaBasicos, TcBasicos, SucBasicos, NumBasicos, LetBasicos;
    QString SucNumLetBasicos, FormatoSucNumLet;
    QString ImporteTotalBasicos, VencimientoBasicos, CuentaPrincipalBasicos;
    QString LivaTipo; // a constant: "COMPRAS" for a purchases book, any other text for sales
    // Field names of the VAT-book amounts.
    QString LivaNeto, LivaNetoN, LivaCfri, LivaRetGanancias, LivaDfri, LivaDfrni, LivaImpIvaRec,
        LivaRetIbtos, LivaRetPerc, LivaRm, LivaCf, LivaExento;
    QString NombreArchivo;
};

// One row of EQ_COND_INTERFACES.
struct ReglaCuenta {
    int Secuencia = 0;
    QString Operador, CampoOrigen, ValorCampoOrigen, AsignadoACuenta, AlDebeOHaber, ValorCampo;
};

// Translation of the other system's codes (EQ_TC_INTERFACE, EQ_CTA_INTERFACE):
// matched trimmed and without regard to case; the first row (in the order the
// rows were entered) wins; an unknown code comes back unchanged.
class Equivalencias {
public:
    void agregar(const QString& origen, const QString& sistema);
    QString buscar(const QString& codigo) const;
    bool vacia() const { return mapa_.isEmpty(); }

private:
    static QString clave(const QString& codigo);
    QHash<QString, QString> mapa_;
};

// The values of one line, as cut from it, one per field of the definition that
// cut it and in the same order.
class ValoresLinea {
public:
    ValoresLinea() = default;
    explicit ValoresLinea(QStringList valores) : valores_(std::move(valores)) {}
    // Value at a position from DefinicionInterfaz::PosicionCampo (1-based); "" when none.
    QString valor(int posicion) const;
    // Replaces the value at a position (a code translated by the equivalences).
    void fijar(int posicion, const QString& valor);
    void LimpiaValores() { valores_.clear(); }

private:
    QStringList valores_;
};

class DefinicionInterfaz {
public:
    DefinicionInterfaz(); // one empty field, as a definition without detail rows
    // 'campos' empty stands for one field without a name.
    DefinicionInterfaz(CabeceraInterfaz cabecera, std::vector<CampoInterfaz> campos, Equivalencias equivalenciasTc = {},
                       Equivalencias equivalenciasCta = {}, std::vector<ReglaCuenta> reglas = {});

    // Reads the definition by name (header, fields, equivalences and rules).
    // Nothing when TA_INTERFACES has no row of that name; a database error throws (ErrorBD).
    static std::optional<DefinicionInterfaz> Obtiene(Conexion& con, const QString& nombre);

    const CabeceraInterfaz cabecera;
    // Fields in line order; never empty.
    const std::vector<CampoInterfaz> campos;
    const Equivalencias equivalenciasTc, equivalenciasCta;
    const std::vector<ReglaCuenta> reglas; // in SECUENCIA order

    // The values of every field in the line.
    ValoresLinea DivideLinea(const QString& linea) const;
    // Value in the line of the first field of that name (trimmed, any case), as cut; "" when none.
    QString ValorCampo(const ValoresLinea& valores, const QString& nombre) const;
    // Index from 1 of that field; 0 when none.
    int PosicionCampo(const QString& nombre) const;

    const DivisorLineas& divisor() const { return divisor_; }

private:
    DivisorLineas divisor_;
    QList<int> anchos_;
    QHash<QString, int> posiciones_; // upper-cased trimmed name -> index from 1 (first wins)
};

} // namespace vexa::recepcion
