// The throwing voucher rules: a failed statement reaches the caller and is never
// read as an answer, inside a transaction or not; the windows' facade keeps its
// documented answer after an error.
#include "AsientosDePrueba.h"

#include "Dialogos.h"
#include "ReglasAsientos.h"

#include <functional>

using namespace vexa;
using namespace vexa::prueba;

namespace {

class Reglas : public BaseAsientos {
protected:
    bool conDemo() const override { return true; }
};

TEST_P(Reglas, UnaSentenciaFallidaNoSeLeeComoRespuesta)
{
    struct Caso {
        const char* nombre;
        const char* tabla; // renamed away so the statement fails
        std::function<bool(ReglasAsientos&)> regla;
        std::function<bool(Lbc_Asiento&)> fachada;
        bool respuestaFachada; // what the window's operation answers after the error
    };
    const Caso casos[] = {
        {"ExisteEnMVAsientos", "MV_ASIENTOS",
         [](ReglasAsientos& r) { return r.ExisteEnMVAsientos("00FA", "1", "125", "A"); },
         [](Lbc_Asiento& a) { return a.ExisteEnMVAsientos("00FA", "1", "125", "A"); }, false},
        {"ComprobanteEntrada", "TA_COMPROBANTES",
         [](ReglasAsientos& r) { return r.ComprobanteEntrada("00FA"); },
         [](Lbc_Asiento& a) { return a.ComprobanteEntrada("00FA"); }, false},
        {"ValidaSubdiarioTC", "MA_SUBDIARIOSCOMPROBANTES",
         [](ReglasAsientos& r) { return r.ValidaSubdiarioTC("VTAS", "00FA"); },
         [](Lbc_Asiento& a) { return a.ValidaSubdiarioTC("VTAS", "00FA"); }, false},
    };
    plataforma::GuionDialogos dialogos;
    dialogos.respuestaPorDefecto = plataforma::vbAbort;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        con().EjecutarSQL(QStringLiteral("ALTER TABLE %1 RENAME TO TABLA_FUERA").arg(c.tabla));
        ReglasAsientos reglas(con(), "2");
        EXPECT_THROW(c.regla(reglas), ErrorBD);
        {
            Transaccion t(con());
            EXPECT_THROW(c.regla(reglas), ErrorBD);
        }
        Lbc_Asiento a(&con());
        dialogos.mostrados.clear();
        EXPECT_EQ(c.fachada(a), c.respuestaFachada);
        EXPECT_EQ(dialogos.mostrados.size(), 1); // the error was shown, not swallowed
        con().EjecutarSQL(QStringLiteral("ALTER TABLE TABLA_FUERA RENAME TO %1").arg(c.tabla));
        EXPECT_NO_THROW(c.regla(reglas));
    }
}

// The duplicate question goes through the caller's answer; the facade asks the operator.
TEST_P(Reglas, ValidaComprobantePreguntaPorElSiguienteNumero)
{
    lineaAsiento(con(), 2, 3, 1, 1, QString(),
                 {{"TC", "00FA"}, {"SUCURSAL", "0001"}, {"NUMERO", "00000126"}, {"LETRA", "A"}});
    ReglasAsientos reglas(con(), "2");
    QStringList ofrecidos;
    QString numero = "126", mensaje, mes, asiento;
    EXPECT_TRUE(reglas.ValidaComprobante("00FA", "1", numero, "A", mensaje, mes, asiento, [&](const QString& n) {
        ofrecidos << n;
        return true;
    }));
    EXPECT_EQ(numero, "00000127");
    EXPECT_EQ(ofrecidos, QStringList{"0001-00000127A"});
    numero = "126";
    EXPECT_FALSE(reglas.ValidaComprobante("00FA", "1", numero, "A", mensaje, mes, asiento, [](const QString&) { return false; }));
    EXPECT_EQ(mensaje, "Comprobante duplicado");
    EXPECT_EQ(numero, "126");
}

VEXA_AMBOS_MOTORES(Reglas);

} // namespace
