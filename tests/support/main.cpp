// Test entry: a QApplication on the offscreen platform, a private settings folder
// and a scripted dialog double, so no test can block on a real window.
//
// With VEXA_CUENTA_CASOS naming a folder, the program writes there how many
// cases ran (not skipped) on each backend, by the parameter name of the case
// ("…/SQLite", "…/PostgreSQL"): one file per process, lines "<motor> <n>".
#include "DialogosQt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

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

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    if (qEnvironmentVariableIsEmpty("VEXA_CONFIG_DIR")) qputenv("VEXA_CONFIG_DIR", config.path().toUtf8());
    QApplication app(argc, argv);
    vexa::plataforma::usarPlataformaQt();
    vexa::plataforma::DialogosGuion porDefecto;
    vexa::plataforma::instalarDialogos(&porDefecto);
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsEmpty("VEXA_CUENTA_CASOS"))
        ::testing::UnitTest::GetInstance()->listeners().Append(new CuentaPorMotor(qEnvironmentVariable("VEXA_CUENTA_CASOS")));
    return RUN_ALL_TESTS();
}
