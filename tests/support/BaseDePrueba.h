#pragma once
// Database fixture for tests that run on both backends.
//
//   class MiPrueba : public vexa::prueba::BaseDePrueba {};
//   TEST_P(MiPrueba, Algo) { con().EjecutarSQL(...); }
//   VEXA_AMBOS_MOTORES(MiPrueba);
//
// Each test gets a fresh company database (schema applied; demo data when
// conDemo() returns true) and Conexion::instancia() opened on it.
// PostgreSQL is reached through VEXA_PG=host:port (user/password vexa/vexa,
// or VEXA_PG_USUARIO / VEXA_PG_PASSWORD). Without VEXA_PG the PostgreSQL cases
// are skipped, except under CI (CI set) or scripts/test.sh (VEXA_EXIGIR_PG set),
// where they fail.
#include "Conexion.h"
#include "Empresa.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>

#include <memory>
#include <string>

// Readable QString values in assertion messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace vexa::prueba {

class BaseDePrueba : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override;
    void TearDown() override;
    virtual bool conDemo() const { return false; }

    Conexion& con() { return Conexion::instancia(); }
    Motor motor() const { return GetParam(); }
    // A second, independent connection to the same database.
    std::unique_ptr<Conexion> otraConexion() const;
    const DatosConexion& datos() const { return datos_; }
    // A company of an earlier schema version (with the demo data of its steps
    // when conDemo) beside the test's own, opened on 'vieja', for the tests of
    // a schema step's upgrade; 'd' receives its data for the test to drop it.
    // False, with the reason, when it can't be made.
    bool empresaAnterior(Conexion& vieja, int version, bool conDemo, DatosConexion* d, QString* error);
    // The access-log row of a visit to the window begun at 'ingreso' on this
    // machine (no exit yet); returns the machine's name as the log keeps it.
    QString ingresoEnAccesos(const QString& usuario, const QString& formulario, const QString& tarea,
                             const QDateTime& ingreso);

private:
    DatosConexion datos_;
    bool creada_ = false;
};

// A folder of empty companion programs, named by VEXA_CARPETA_PROGRAMA while
// the object lives (the variable is cleared again when it goes).
class CarpetaProgramas {
public:
    explicit CarpetaProgramas(std::initializer_list<const char*> programas);
    ~CarpetaProgramas();
    CarpetaProgramas(const CarpetaProgramas&) = delete;
    CarpetaProgramas& operator=(const CarpetaProgramas&) = delete;
    bool creada() const { return creada_; }

private:
    QTemporaryDir dir_;
    bool creada_ = false;
};

// A database of the given backend outside the gtest fixture (benchmarks, helpers).
// Returns false (with the reason) when it can't be created.
bool crearBaseTemporal(Motor m, bool conDemo, DatosConexion* datos, QString* error);

std::string nombreMotor(const ::testing::TestParamInfo<Motor>& info);

} // namespace vexa::prueba

#define VEXA_AMBOS_MOTORES(Suite)                                                                          \
    INSTANTIATE_TEST_SUITE_P(Motores, Suite, ::testing::Values(vexa::Motor::SQLite, vexa::Motor::PostgreSQL), \
                             vexa::prueba::nombreMotor)
