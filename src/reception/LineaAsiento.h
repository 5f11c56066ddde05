#pragma once
// One line of a journal entry being built in memory before it is posted.
// The reception fills the account and one amount; the adjustment entry also
// the check digit, the account name and the due date. Amounts are read once,
// where the line is built (a blank amount is zero): the side a line is not on
// holds zero.
#include "Moneda.h"
#include "RegBienUso.h"
#include "Utilidades.h"

#include <QString>

namespace vexa {

struct LineaAsiento {
    static constexpr int kLargoCuenta = 15;

    QString Cuenta;      // up to 15 characters
    QString Dv;          // check digit, up to 3
    QString Descripcion; // account name, up to 50
    Moneda Debe;         // debit amount; zero on a credit line
    Moneda Haber;        // credit amount; zero on a debit line
    QString Vencimiento; // due date dd/mm/yyyy, up to 10
    RegBienUso BienUso;  // the asset the line carries; empty: none

    // A line without an account adds nothing to the sums and is not posted.
    bool enBlanco() const { return Utilidades::EsVacio(Cuenta); }
};

} // namespace vexa
