#include "Dialogos.h"
#include "Utilidades.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::plataforma;

namespace {

struct Corrida {
    std::vector<int> respuestas;
    std::initializer_list<int> quePasan;
    std::vector<int> esperado; // steps that completed, in order
    bool terminado;
    int cuadros;
};

// Step 2 fails the first two times it runs (error 13), then works.
void correr(const Corrida& c)
{
    GuionDialogos g;
    for (int r : c.respuestas) g.respuestas.enqueue(r);
    std::vector<int> hechos;
    int fallos = 0;
    bool fin = EjecutarPasos("Prueba",
                             {[&] { hechos.push_back(1); },
                              [&] {
                                  if (fallos++ < 2) throw ErrorVexa(13, "No coinciden los tipos");
                                  hechos.push_back(2);
                              },
                              [&] { hechos.push_back(3); }},
                             c.quePasan);
    EXPECT_EQ(hechos, c.esperado);
    EXPECT_EQ(fin, c.terminado);
    EXPECT_EQ(g.mostrados.size(), c.cuadros);
    if (!g.mostrados.isEmpty()) {
        EXPECT_TRUE(g.mostrados[0].texto.contains("13"));
        EXPECT_TRUE(g.mostrados[0].texto.contains("No coinciden los tipos"));
        EXPECT_EQ(g.mostrados[0].estilo & 7, vbAbortRetryIgnore);
    }
}

TEST(Pasos, RespuestasDelManejadorCentral)
{
    correr({{vbRetry, vbRetry}, {}, {1, 2, 3}, true, 2});  // 4: repeat the failing step
    correr({{vbIgnore, vbIgnore}, {}, {1, 3}, true, 1});   // 5: go on with the next
    correr({{vbAbort}, {}, {1}, false, 1});                // 3: leave
    correr({{vbRetry, vbAbort}, {}, {1}, false, 2});
    correr({{}, {13}, {1, 3}, true, 0});                   // a listed number goes on silently
}

TEST(Pasos, ElErrorQuedaEnElArchivoLog)
{
    GuionDialogos g;
    g.respuestaPorDefecto = vbAbort;
    const QString log = Utilidades::archivoLog();
    QFile::remove(log);
    EjecutarPasos("MdiFormLoad", {[] { throw ErrorVexa(91, "Variable de objeto no establecida"); }});
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString t = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(t.contains("MdiFormLoad"));
    EXPECT_TRUE(t.contains("91"));
}

} // namespace
