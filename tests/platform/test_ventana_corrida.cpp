// The base of the windows that run a long job: closing refused during a run
// and the exit stamp afterwards, the wait-cursor guards, and the question
// after a cancel in the progress box.
#include "Dialogos.h"
#include "ProgresoVentana.h"
#include "VentanaCorrida.h"

#include <QApplication>
#include <QCursor>
#include <QPushButton>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace vexa;
using namespace vexa::plataforma;

namespace {

class Ventana : public VentanaCorrida {
public:
    Ventana()
    {
        setWindowTitle(QStringLiteral("Ventana de prueba"));
        boton = new QPushButton(this);
        bloquearEnCorrida({boton}, {});
        alCerrar([this] {
            ++sellos;
            if (falla) throw std::runtime_error("sin acceso");
        });
    }
    void correr(const std::function<void()>& orden) { VentanaCorrida::correr(orden); }
    void cerrando() override { ++cierres; }

    QPushButton* boton = nullptr;
    int sellos = 0, cierres = 0;
    bool falla = false;
};

// During the run the window does not close and nothing is stamped; afterwards
// it closes with one stamp, and a failing stamp is told under the caption
// without keeping the window open.
TEST(VentanaCorrida, CierraFueraDeLaCorridaConElSelloDeEgreso)
{
    for (bool falla : {false, true}) {
        SCOPED_TRACE(falla ? "el sello falla" : "el sello se graba");
        GuionDialogos guion;
        Ventana w;
        w.falla = falla;
        w.show();
        bool visto = false;
        w.correr([&] {
            visto = true;
            EXPECT_TRUE(w.corriendo());
            EXPECT_FALSE(w.boton->isEnabled());
            EXPECT_FALSE(w.close());
        });
        EXPECT_TRUE(visto);
        EXPECT_EQ(w.sellos, 0);
        EXPECT_FALSE(w.corriendo());
        EXPECT_TRUE(w.boton->isEnabled());
        EXPECT_TRUE(w.close());
        EXPECT_EQ(w.sellos, 1);
        EXPECT_EQ(w.cierres, 1);
        ASSERT_EQ(guion.mostrados.size(), falla ? 1 : 0);
        if (falla) {
            EXPECT_EQ(guion.mostrados[0].texto, "sin acceso");
            EXPECT_EQ(guion.mostrados[0].estilo, vbOKOnly);
            EXPECT_EQ(guion.mostrados[0].titulo, "Ventana de prueba");
        }
    }
}

// The wait cursor is on while the run lasts, also when it throws, and off after.
TEST(VentanaCorrida, ElCursorDeEsperaDuraLoQueLaCorrida)
{
    Ventana w;
    bool espera = false;
    EXPECT_THROW(w.correr([&] {
        espera = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        throw std::runtime_error("falla");
    }),
                 std::runtime_error);
    EXPECT_TRUE(espera);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(w.corriendo());
}

TEST(CursorEspera, LasGuardasLoPrendenYLoApaganPorUnTramo)
{
    {
        ventanas::ConCursorEspera cursor;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            ventanas::SinCursorEspera pregunta;
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        }
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The question after a cancel: asked as given with the wait cursor off; Yes
// stops the run.
TEST(ConfirmarCancelar, PreguntaSinCursorYSiDetiene)
{
    class Registro : public GuionDialogos {
    public:
        int MsgBox(const QString& texto, int estilo, const QString& titulo) override
        {
            conCursor << (QApplication::overrideCursor() != nullptr);
            return GuionDialogos::MsgBox(texto, estilo, titulo);
        }
        QList<bool> conCursor;
    };
    struct Caso {
        int respuesta;
        bool apartar;
        bool detiene;
    };
    for (const Caso& c : {Caso{vbYes, true, true}, Caso{vbNo, true, false}, Caso{vbYes, false, true}, Caso{vbNo, false, false}}) {
        SCOPED_TRACE(c.respuesta == vbYes ? "Si" : "No");
        Registro guion;
        guion.respuestas.enqueue(c.respuesta);
        QWidget w;
        ProgresoVentana progreso(&w, true, true);
        progreso.Iniciar(QStringLiteral("Corrida"), 10);
        ventanas::ConCursorEspera cursor;
        EXPECT_EQ(ventanas::ConfirmarCancelar(progreso, QStringLiteral("¿Cancelar?"), vbYesNo | vbQuestion,
                                              QStringLiteral("Aviso"), c.apartar),
                  c.detiene);
        ASSERT_EQ(guion.mostrados.size(), 1);
        EXPECT_EQ(guion.mostrados[0].texto, "¿Cancelar?");
        EXPECT_EQ(guion.mostrados[0].estilo, vbYesNo | vbQuestion);
        EXPECT_EQ(guion.mostrados[0].titulo, "Aviso");
        EXPECT_EQ(guion.conCursor, QList<bool>{false});
        EXPECT_NE(QApplication::overrideCursor(), nullptr); // on again for the rest of the run
        EXPECT_TRUE(progreso.Actualizar(1, QStringLiteral("sigue")));
        progreso.Cerrar();
    }
}

} // namespace
