#include "AnalisisSQL.h"

#include <gtest/gtest.h>

using namespace vexa;

// Which column each placeholder is bound for: what decides whether a bound value
// is converted to the stored form of an amount or a key.
TEST(AnalisisSQL, ColumnaDeCadaMarca)
{
    struct Caso { const char* sql; std::vector<QString> columnas; };
    const Caso casos[] = {
        {"INSERT INTO T (A, [NUMERO ASIENTO], IMPORTE) VALUES (?, ?, ?)", {"A", "NUMERO ASIENTO", "IMPORTE"}},
        {"INSERT INTO T (A, B) VALUES (?, UPPER(?))", {"A", ""}},
        {"UPDATE T SET IMPORTE = ?, CUENTA = ? WHERE ID = ?", {"IMPORTE", "CUENTA", "ID"}},
        {"SELECT 1 FROM T t WHERE ? < t.IMPORTE AND x.FECHA >= ?", {"IMPORTE", "FECHA"}},
        {"SELECT 1 FROM T WHERE IMPORTE BETWEEN ? AND ? AND A <> ?", {"IMPORTE", "IMPORTE", "A"}},
        {"SELECT 1 FROM T WHERE ABS(IMPORTE) = ? OR A IN (?, ?)", {"", "", ""}},
        {"SELECT 1 FROM T WHERE A = '?' AND B = ? -- C = ?", {"B"}},
        {"SELECT COUNT(*) FROM T WHERE [DEBE-HABER] = ?", {"DEBE-HABER"}},
    };
    for (const Caso& c : casos) EXPECT_EQ(sql::columnasDeMarcas(c.sql), c.columnas) << c.sql;
}

// Which results of a SELECT are amounts (SQLite gives no declared type for them).
TEST(AnalisisSQL, ResultadosQueSonImportes)
{
    const QSet<QString> importes{"IMPORTE", "CABIMPORTE"};
    struct Caso { const char* sql; std::vector<bool> esImporte; };
    const Caso casos[] = {
        {"SELECT SUM(IMPORTE) AS T, COUNT(*) N, MAX(a.CABIMPORTE) FROM T a", {true, false, true}},
        {"SELECT COALESCE(SUM(IMPORTE), 0), IFNULL(MIN(IMPORTE), 1), -TOTAL(IMPORTE) FROM T", {true, false, true}},
        {"SELECT SUM(CASE WHEN X = 'D' THEN IMPORTE ELSE 0 END), AVG(IMPORTE), (SELECT 1) FROM T", {false, false, false}},
        {"SELECT DISTINCT IMPORTE, CUENTA FROM T", {true, false}},
        {"UPDATE T SET IMPORTE = 1", {}},
    };
    for (const Caso& c : casos) EXPECT_EQ(sql::resultadosImporte(c.sql, importes), c.esImporte) << c.sql;
}
