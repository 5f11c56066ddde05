#pragma once
// Which columns a lookup list shows for a table or view of the suite: the
// description, the code (the value handed back) and an extra column, by the
// table's name. Pure rules: no database, no window (DefinirConsulta.h shows
// the list).
#include <QString>

namespace vexa {

struct ColumnasConsulta {
    QString descripcion;
    QString codigo;
    QString extra;
};

// The columns for 'tabla' (compared without regard to case; the first rule
// that matches decides). A name no rule knows keeps 'previas', whose empty
// description and code become "Descripcion" and "codigo".
ColumnasConsulta ReglasConsulta(const QString& tabla, const ColumnasConsulta& previas = {});

// The key derived from part of a table name: "ID" followed by that part as
// written, less a final "S" or "s" ("Bancos" -> "IDBanco", "Rubros" -> "IDRubro").
QString ClaveDerivada(const QString& parte);

} // namespace vexa
