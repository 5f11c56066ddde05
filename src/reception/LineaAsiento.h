#pragma once
// One line of a journal entry being built in memory before it is posted.
// The reception fills the account and one amount; the adjustment entry also
// the check digit, the account name and the due date. Amounts stay texts as
// they were obtained and are converted with Utilidades::TextoAMoneda (an empty
// text is zero) where they are summed or stored.
#include "Utilidades.h"

#include <QString>

namespace vexa {

struct LineaAsiento {
    static constexpr int kLargoCuenta = 15;

    QString Cuenta;      // up to 15 characters
    QString Dv;          // check digit, up to 3
    QString Descripcion; // account name, up to 50
    QString Debe;        // debit amount text; empty on a credit line
    QString Haber;       // credit amount text; empty on a debit line
    QString Vencimiento; // due date dd/mm/yyyy, up to 10

    // A line without an account adds nothing to the sums and is not posted.
    bool enBlanco() const { return Utilidades::EsVacio(Cuenta); }
};

} // namespace vexa
