#pragma once
// With VEXA_CUENTA_CASOS naming a folder, a test program writes there how many
// cases ran (not skipped) on each backend, by the parameter name of the case
// ("…/SQLite", "…/PostgreSQL"): one file per process, lines "<motor> <n>".
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace vexa::prueba {

class CuentaPorMotor : public ::testing::EmptyTestEventListener {
public:
    explicit CuentaPorMotor(QString carpeta) : carpeta_(std::move(carpeta)) {}

    void OnTestEnd(const ::testing::TestInfo& info) override
    {
        if (info.result()->Skipped()) return;
        const QString nombre = QString::fromUtf8(info.name());
        if (nombre.endsWith(QLatin1String("/SQLite"))) ++sqlite_;
        else if (nombre.endsWith(QLatin1String("/PostgreSQL"))) ++postgres_;
    }
    void OnTestProgramEnd(const ::testing::UnitTest&) override
    {
        QFile f(QDir(carpeta_).filePath(QStringLiteral("casos-%1").arg(QCoreApplication::applicationPid())));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Text)) return;
        f.write(QStringLiteral("SQLite %1\nPostgreSQL %2\n").arg(sqlite_).arg(postgres_).toUtf8());
    }

private:
    QString carpeta_;
    int sqlite_ = 0, postgres_ = 0;
};


// Adds the counter when VEXA_CUENTA_CASOS is set (after InitGoogleTest).
inline void contarCasosPorMotor()
{
    if (!qEnvironmentVariableIsEmpty("VEXA_CUENTA_CASOS"))
        ::testing::UnitTest::GetInstance()->listeners().Append(new CuentaPorMotor(qEnvironmentVariable("VEXA_CUENTA_CASOS")));
}

} // namespace vexa::prueba
