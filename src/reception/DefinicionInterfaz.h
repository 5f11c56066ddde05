#pragma once
// A stored interface definition as the voucher reception uses it: the header
// of TA_INTERFACES (which field of the file carries each datum of a voucher),
// the ordered fields of TA_INTERFACES_DETALLE with the values of the current
// line, and the definition's code equivalences and entry-line rules.
#include "DivisorLineas.h"

#include <QHash>
#include <QString>

#include <vector>

namespace vexa {
class Conexion;
}

namespace vexa::recepcion {

struct CampoInterfaz {
    QString Nombre;   // field name (trimmed)
    QString Valor;    // value in the current line, as cut from it
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

class DefinicionInterfaz {
public:
    DefinicionInterfaz(); // one empty field, as a definition without detail rows
    // Call after setting cabecera or campos by hand (ObtieneDatosInterface does it).
    void Prepara();

    // Reads the definition by name (header, fields, equivalences and rules).
    // False when TA_INTERFACES has no row of that name: nothing is changed then.
    // A database error throws (ErrorBD) and leaves the loaded definition as it was.
    bool ObtieneDatosInterface(Conexion& con, const QString& nombre);

    CabeceraInterfaz cabecera;
    // Fields in line order; never empty.
    std::vector<CampoInterfaz> campos;
    Equivalencias equivalenciasTc, equivalenciasCta;
    std::vector<ReglaCuenta> reglas; // in SECUENCIA order

    // Fills the value of every field from the line (previous values are dropped).
    void DivideLinea(const QString& linea);
    // Value of the first field of that name (trimmed, any case), as cut; "" when none.
    QString ValorCampo(const QString& nombre) const;
    // Index from 1 of that field; 0 when none.
    int PosicionCampo(const QString& nombre) const;
    // The field at a position from PosicionCampo (1-based).
    CampoInterfaz& campo(int posicion) { return campos.at(posicion - 1); }
    void LimpiaValores();

    const DivisorLineas& divisor() const { return divisor_; }

private:
    DivisorLineas divisor_;
    QList<int> anchos_;
    QHash<QString, int> posiciones_; // upper-cased trimmed name -> index from 1 (first wins)
};

} // namespace vexa::recepcion
