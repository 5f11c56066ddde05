// The demo company's definitions against the files under examples/recepcion.
#include "ArchivoTexto.h"
#include "BaseDePrueba.h"
#include "LectorInterfaz.h"
#include "RecepcionInterface.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::recepcion;

namespace {

class EjemplosDemo : public prueba::BaseDePrueba {
protected:
    bool conDemo() const override { return true; }

    std::vector<ResultadoRegistro> recibir(const char* definicion, const char* archivo)
    {
        QStringList lineas;
        QString error;
        EXPECT_TRUE(ArchivoTexto::leer(QStringLiteral(VEXA_CARPETA_EJEMPLOS "/recepcion/") + QString::fromUtf8(archivo), lineas, &error))
            << error.toStdString();
        RecepcionInterface r(&con());
        EXPECT_TRUE(r.ObtieneDatosInterface(QString::fromUtf8(definicion)));
        std::vector<ResultadoRegistro> res;
        for (const QString& l : lineas) {
            res.push_back(r.Procesa_Registro(l));
            r.LimpiaValores();
        }
        return res;
    }
};

TEST_P(EjemplosDemo, VentasDelimitadas)
{
    auto res = recibir("VENTAS", "ventas.txt");
    ASSERT_EQ(res.size(), 5u);
    for (const auto& r : res) EXPECT_TRUE(r.valido()) << r.mensaje.toStdString();
    // The qualified detail holds a separator: the fields before it are not shifted.
    const ComprobanteValidado& c = res[1].comprobante;
    EXPECT_EQ(c.Tc, "00FA");
    EXPECT_EQ(c.Sucursal + c.Numero + c.Letra, "000100000127A");
    EXPECT_EQ(c.CuentaPrincipal, "1102010010002");
    EXPECT_EQ(c.Total, Moneda::entero(3025));
    EXPECT_EQ(c.Vencimiento, QDate(2026, 4, 4));
    ASSERT_EQ(c.Lineas.size(), 2u);
    EXPECT_EQ(c.Lineas[0].Haber, *Moneda::parsear("2500.00"));
    EXPECT_EQ(c.Lineas[1].Haber, *Moneda::parsear("525.00"));
    // The credit note takes the debit side.
    const ComprobanteValidado& nc = res[4].comprobante;
    EXPECT_EQ(nc.Tc, "00NC");
    ASSERT_EQ(nc.Lineas.size(), 2u);
    EXPECT_EQ(nc.Lineas[0].Debe, *Moneda::parsear("500.00"));
    EXPECT_EQ(nc.Lineas[1].Cuenta, "2102010010001");
}

TEST_P(EjemplosDemo, VentasConErrores)
{
    auto res = recibir("VENTAS", "ventas_con_errores.txt");
    const char* esperado[] = {
        "",
        "El tipo de comprobante (FX) no existe, o las equivalencias no son correctas ",
        "La cuenta principal (CLI999) no existe, o las equivalencias no son correctas ",
        "El campo fecha no contiene datos validos",
        "La letra informada(C) no ha sido habilitada para el comprobante 00FA en config",
        "",
    };
    ASSERT_EQ(res.size(), std::size(esperado));
    for (size_t i = 0; i < res.size(); ++i) EXPECT_EQ(res[i].mensaje, QString::fromUtf8(esperado[i])) << "linea " << i + 1;
}

TEST_P(EjemplosDemo, ComprasDeAnchoFijo)
{
    auto res = recibir("COMPRAS", "compras.txt");
    ASSERT_EQ(res.size(), 4u);
    for (const auto& r : res) EXPECT_TRUE(r.valido()) << r.mensaje.toStdString();
    const ComprobanteValidado& c = res[0].comprobante;
    EXPECT_EQ(c.Tc, "00FP");
    EXPECT_TRUE(c.comprobanteEntrada);
    EXPECT_EQ(c.Sucursal, "0003");
    EXPECT_EQ(c.Numero, "00004512");
    EXPECT_EQ(c.CuentaPrincipal, "2101010010001");
    EXPECT_EQ(c.FechaEmision, QDate(2026, 3, 2));
    EXPECT_EQ(c.iva.Neto, Moneda::entero(1000));
    EXPECT_EQ(c.iva.Cfri, Moneda::entero(210));
    ASSERT_EQ(c.Lineas.size(), 2u);
    EXPECT_EQ(c.Lineas[0].Debe, *Moneda::parsear("1000.00"));
    EXPECT_EQ(c.Lineas[1].Cuenta, "1103010010001");
    EXPECT_EQ(res[2].comprobante.Lineas[0].Haber, *Moneda::parsear("100.00"));
}

// The example files rewritten with other line ends: every line is read, split
// by the definition and valid, none glued to the one before.
TEST_P(EjemplosDemo, FinesDeLineaCrSoloYMezclados)
{
    struct Caso {
        const char* definicion;
        const char* archivo;
        qint64 tope;
    };
    const Caso casos[] = {{"VENTAS", "ventas.txt", LectorInterfaz::kLargoMaximoDelimitado}, {"COMPRAS", "compras.txt", 73}};
    const char* fines[][4] = {{"\r", "\r", "\r", "\r"}, {"\r", "\n", "\r\n", "\r"}};
    QTemporaryDir dir;
    for (const auto& c : casos) {
        QStringList originales;
        ASSERT_TRUE(ArchivoTexto::leer(QStringLiteral(VEXA_CARPETA_EJEMPLOS "/recepcion/") + QString::fromUtf8(c.archivo), originales));
        RecepcionInterface r(&con());
        ASSERT_TRUE(r.ObtieneDatosInterface(QString::fromUtf8(c.definicion)));
        EXPECT_EQ(largoMaximoLinea(r.definicion()), c.tope) << c.definicion;
        for (const auto& f : fines) {
            QByteArray bytes;
            for (qsizetype i = 0; i < originales.size(); ++i) bytes += originales[i].toUtf8() + f[i % 4];
            const QString ruta = dir.filePath(QStringLiteral("archivo.txt"));
            QFile out(ruta);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(bytes);
            out.close();

            LectorInterfaz lector(ruta, largoMaximoLinea(r.definicion()));
            ASSERT_TRUE(lector.abrir()) << lector.error().toStdString();
            LineaLeida l;
            qsizetype n = 0;
            while (lector.siguiente(l)) {
                ASSERT_LT(n, originales.size()) << c.definicion;
                EXPECT_EQ(l.texto, originales[n]) << c.definicion << " linea " << l.numero;
                EXPECT_TRUE(l.problema.isEmpty()) << l.problema.toStdString();
                const ResultadoRegistro res = r.Procesa_Registro(l.texto);
                r.LimpiaValores();
                EXPECT_TRUE(res.valido()) << c.definicion << " linea " << l.numero << ": " << res.mensaje.toStdString();
                ++n;
            }
            EXPECT_EQ(n, originales.size()) << c.definicion;
        }
    }
}

VEXA_AMBOS_MOTORES(EjemplosDemo);

} // namespace
