// Test entry of the rules tests: a QCoreApplication and a private settings
// folder. These programs link no window library and no dialog seam, so the
// build itself shows that the rules they test need no window.
#include "CuentaPorMotor.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QTemporaryDir config;
    if (qEnvironmentVariableIsEmpty("VEXA_CONFIG_DIR")) qputenv("VEXA_CONFIG_DIR", config.path().toUtf8());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    vexa::prueba::contarCasosPorMotor();
    return RUN_ALL_TESTS();
}
