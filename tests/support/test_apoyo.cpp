// The test fixture's rules for the PostgreSQL cases, checked on a real test
// program run as a child: under scripts/test.sh (VEXA_EXIGIR_PG) or CI a
// PostgreSQL case without a server fails instead of skipping, and the count
// of cases per backend (VEXA_CUENTA_CASOS) says what really ran.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Corrida {
    int salida = -1;
    QString texto;
    QMap<QString, int> casos; // backend -> cases run
};

// Runs the access-log cases of the security tests (one per backend) with the given
// environment changes (an empty value removes the variable).
Corrida correr(const QMap<QString, QString>& cambios)
{
    QTemporaryDir cuentas;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"CI", "VEXA_EXIGIR_PG"}) env.remove(v);
    env.insert("VEXA_CUENTA_CASOS", cuentas.path());
    for (auto it = cambios.cbegin(); it != cambios.cend(); ++it) {
        if (it.value().isEmpty()) env.remove(it.key());
        else env.insert(it.key(), it.value());
    }
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(VEXA_PROGRAMA_CON_BASE), {"--gtest_filter=Motores/Seguridad.RegistraEgresoSellaLaUltimaVisitaAbierta/*"});
    Corrida r;
    if (!p.waitForFinished(300000)) return r;
    r.salida = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.texto = QString::fromUtf8(p.readAll());
    for (const QString& archivo : QDir(cuentas.path()).entryList({"casos-*"}, QDir::Files)) {
        QFile f(QDir(cuentas.path()).filePath(archivo));
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
        for (const QString& linea : QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList partes = linea.split(u' ');
            if (partes.size() == 2) r.casos[partes[0]] += partes[1].toInt();
        }
    }
    return r;
}

TEST(CasosPostgreSQL, SinServidorFallanDondeSonObligatorios)
{
    for (const char* obligatorio : {"VEXA_EXIGIR_PG", "CI"}) {
        const Corrida r = correr({{"VEXA_PG", ""}, {obligatorio, "1"}});
        EXPECT_NE(r.salida, 0) << obligatorio << "\n" << r.texto.toStdString();
        EXPECT_TRUE(r.texto.contains("VEXA_PG no está definido")) << r.texto.toStdString();
        EXPECT_EQ(r.casos.value("SQLite"), 1) << obligatorio;
        EXPECT_EQ(r.casos.value("PostgreSQL"), 1) << obligatorio; // it ran, and failed
    }
}

TEST(CasosPostgreSQL, FueraDeLaCorridaCompletaSinServidorSeSaltanYNoSeCuentan)
{
    const Corrida r = correr({{"VEXA_PG", ""}});
    EXPECT_EQ(r.salida, 0) << r.texto.toStdString();
    EXPECT_TRUE(r.texto.contains("SKIPPED")) << r.texto.toStdString();
    EXPECT_EQ(r.casos.value("SQLite"), 1);
    EXPECT_EQ(r.casos.value("PostgreSQL"), 0);
}

TEST(CasosPostgreSQL, ConServidorSeCuentanEnCadaMotor)
{
    if (qEnvironmentVariableIsEmpty("VEXA_PG")) {
        if (!qEnvironmentVariableIsEmpty("VEXA_EXIGIR_PG") || !qEnvironmentVariableIsEmpty("CI"))
            FAIL() << "VEXA_PG no está definido";
        GTEST_SKIP() << "VEXA_PG no está definido";
    }
    const Corrida r = correr({});
    EXPECT_EQ(r.salida, 0) << r.texto.toStdString();
    EXPECT_EQ(r.casos.value("SQLite"), 1);
    EXPECT_EQ(r.casos.value("PostgreSQL"), 1);
}

} // namespace
