#pragma once
// Grid viewer: shows the rows of a query in a window of its own, sortable by
// clicking a column header. Modeless; the rows are read once when it opens.
#include "Conexion.h"

#include <QString>

class QWidget;

namespace vexa {

class VisorConsulta {
public:
    // Opens the viewer over the rows of the query (parent: the main window).
    // Returns the window, or nullptr when the query failed (the error has been shown).
    static QWidget* Mostrar(Conexion& con, const QString& sql, const Params& p, const QString& titulo);
};

} // namespace vexa
