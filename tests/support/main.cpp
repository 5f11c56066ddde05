// Test entry of the window tests: a QApplication on the offscreen platform, a
// private settings folder and a scripted dialog double, so no test can block on
// a real window. The rules tests start from main_reglas.cpp.
#include "CuentaPorMotor.h"
#include "DialogosQt.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    vexa::prueba::contarCasosPorMotor();
    return RUN_ALL_TESTS();
}
