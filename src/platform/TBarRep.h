#pragma once
// The report toolbar of the report windows (each one's TBarRep1): the keys
// PANTALLA, IMPRESORA, CERRAR and CONSULTAR, shortcuts F7 PANTALLA,
// F8 IMPRESORA, F10 CERRAR and F6 CONSULTAR.
#include "UtilTeb.h"

namespace vexa {

class TBarRep : public BarraBotones {
    Q_OBJECT
public:
    explicit TBarRep(QWidget* parent = nullptr);
    static const QStringList& claves();
    // The first state: CONSULTAR is offered (the field in the focus has a lookup).
    void setEstado1(bool consultar);
    bool estado1() const;
};

} // namespace vexa
