#pragma once
// The database engine's own bulk path for some rows: what a run that writes
// the same rows can at best approach. A company of its own is created (the same
// schema and demo data as the run's, its journal empty as the run's was at its
// start), the rows are written into the given table and all its indexes, and
// the time from the start of the transaction to the end of its commit is
// returned (0 when it failed, the reason on stderr).
//   SQLite: one INSERT prepared on the engine's own handle, the values bound
//           typed, one transaction.
//   PostgreSQL: COPY ... FROM STDIN (text format) through libpq, one transaction.
// The rows are made one at a time by 'fila' (none is held), so the path adds
// nothing to the process's peak memory.
#include "MotorBD.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <vector>

namespace vexa {
class Conexion;
}

namespace vexa::bench {

struct ValorMotor {
    enum class Tipo { Nulo, Entero, Importe, Texto };
    Tipo tipo = Tipo::Nulo;
    qint64 entero = 0; // Entero: the number; Importe: whole ten-thousandths
    QByteArray texto;  // Texto: UTF-8

    void nulo() { tipo = Tipo::Nulo; }
    void numero(qint64 n) { tipo = Tipo::Entero; entero = n; }
    void importe(qint64 diezMilesimos) { tipo = Tipo::Importe; entero = diezMilesimos; }
    void fijarTexto(const char* s) { tipo = Tipo::Texto; texto = QByteArray(s); }
    void fijarTexto(QByteArray s) { tipo = Tipo::Texto; texto = std::move(s); }
};
using FilaMotor = std::vector<ValorMotor>;

// 'columnas': the column names as the database knows them, without brackets
// ("NUMERO ASIENTO"); 'fila(i, valores)' fills row i (0 .. filas-1), one value
// per column; 'antes', when given, runs on the new company's connection before
// the timed part (to change its indexes, for one); 'cpu', when given, receives
// the processor time this process spent in the timed part (SQLite's whole work,
// far less disturbed by a loaded machine than the elapsed time).
double limiteMotor(Motor motor, const QString& tabla, const QStringList& columnas, qint64 filas,
                   const std::function<void(qint64, FilaMotor&)>& fila,
                   const std::function<void(Conexion&)>& antes = {}, double* cpu = nullptr);

} // namespace vexa::bench
