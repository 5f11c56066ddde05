#pragma once
// Splitting of one line of an interface text file into the values of its
// fields, by the layout of a stored definition. Pure: no database, no window.
// Used by the voucher reception and by the account reception alike.
//
// Fixed width ("F"): each field takes its width of characters from where the
// previous one ended; the line is used as read (not trimmed), a width of 0 or
// less gives an empty value, fields past the end of the line are empty.
//
// Delimited ("D"): the line is trimmed of blanks (a tab is data), one leading
// and one trailing separator are dropped, and the line is cut at each separator
// that does not stand inside a qualified value; the qualifier's characters are
// removed from every value. Missing fields are empty; surplus text is ignored.
// Values are not trimmed.
//
// Any other kind of file leaves every value empty.
#include <QList>
#include <QString>
#include <QStringList>

namespace vexa::recepcion {

class DivisorLineas {
public:
    DivisorLineas() = default;
    // tipoArchivo and separador are trimmed of blanks here; calificador is used as given.
    DivisorLineas(const QString& tipoArchivo, const QString& separador, const QString& calificador);

    bool esAnchoFijo() const { return tipo_ == Tipo::AnchoFijo; }
    bool esDelimitado() const { return tipo_ == Tipo::Delimitado; }

    // One value per entry of 'anchos' (the widths only matter for fixed-width lines).
    QStringList dividir(const QString& linea, const QList<int>& anchos) const;

private:
    enum class Tipo { Ninguno, AnchoFijo, Delimitado };
    QStringList dividirAnchoFijo(const QString& linea, const QList<int>& anchos) const;
    QStringList dividirDelimitado(const QString& linea, qsizetype campos) const;
    // Position of the first separator outside a qualified value, from 'desde'; -1 when none.
    qsizetype buscarSeparador(const QString& s, qsizetype desde) const;
    QString limpiar(const QString& valor) const;

    Tipo tipo_ = Tipo::Ninguno;
    QString separador_, calificador_;
};

} // namespace vexa::recepcion
