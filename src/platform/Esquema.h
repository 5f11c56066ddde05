#pragma once
// The company schema over an open connection: creating it, its version and
// the steps that bring an older company up to the version this program knows
// (db/schema, described in db/README.md).
#include "Conexion.h"

namespace vexa {

// The open database against the schema this program knows.
enum class EstadoEsquema {
    Actual,     // same version
    Antiguo,    // an older company: actualizarEsquema() brings it up to date
    Nuevo,      // written by a newer program: not to be used
    SinEmpresa  // no company tables (an empty file, another database)
};

class EsquemaEmpresa {
public:
    explicit EsquemaEmpresa(Conexion& c) : c_(c) {}

    // Applies the schema (every step, or those up to hastaVersion; optionally the
    // demo data) to the open, empty database and records its version.
    void aplicarEsquema(bool conDemo, int hastaVersion = 0);
    // The demo company's journal (opening entry and some months of the active
    // year), in one transaction; for a company just created with its demo data.
    void cargarAsientosDemo();
    // Schema version: of the open database (0 when it holds no company), and the
    // latest this program knows (the highest step under db/schema).
    int versionEsquema();
    static int versionEsquemaPrograma();
    EstadoEsquema comprobarEsquema();
    // Applies the missing steps in one transaction. On SQLite a copy of the file
    // as it was is kept beside it first ("empresa.db.v1.bak"): returns its path.
    // Throws ErrorBD (the database is then left as it was).
    QString actualizarEsquema();
    // What start-up calls right after opening: checks a SQLite file's integrity
    // (verificarArchivo), brings an older company up to date and returns "" when
    // the database can be used, else the message for the operator (damaged, not
    // a company, newer than the program, the update failed).
    QString verificarEsquema();

private:
    bool existeTabla(const QString& tabla);
    void aplicarPasos(int desde, int hasta, bool conDemo);
    void correrArchivoSql(const QString& archivo, bool esDatos, int paso = 0);
    Conexion& c_;
};

// Pieces of the loader that tests reach directly.

// "NAME TEXTO(n)" in a schema step from 004 on: the backend's case-insensitive
// text type and a CHECK named "largo NAME n" that refuses a longer value.
QString sustituirTextosConAncho(const QString& sql, Motor m);

// "NAME MONEDA" in a schema step after 012, on SQLite: the column also gets the
// CHECK named "importe entero NAME" that refuses anything but an integer (whole
// ten-thousandths) or NULL. PostgreSQL's NUMERIC needs none: unchanged.
QString sustituirImportesEnteros(const QString& sql, Motor m);

} // namespace vexa
