// The view field lists: read back in stored order with their type, a view
// without fields, predefined names, a re-save and a save that fails.
#include "AyudaReferencias.h"
#include "BaseDePrueba.h"

#include "VistasDatos.h"

using namespace vexa;
using namespace vexa::prueba;
using namespace vexa::vistas;

namespace {

class Vistas : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    QStringList filas(const QString& nombre)
    {
        QStringList r;
        for (const Fila& f : con().ObtenerRecordset(QStringLiteral("SELECT NOMBRE, CAMPO, TIPOVISTA FROM TA_VISTAS "
                                                                   "WHERE NOMBRE = ? ORDER BY ID"),
                                                    {nombre})
                                 .todas())
            r << f.texto(0).trimmed() + u'|' + f.texto(1).trimmed() + u'|' + f.texto(2).trimmed();
        return r;
    }
};

TEST_P(Vistas, LasVistasDeLaEmpresaDeDemostracion)
{
    EXPECT_EQ(NombresVistas(con()), (QStringList{"Bancos", "Clientes", "Mayoristas", "Proveedores"}));
    const DefinicionVista c = LeerVista(con(), QStringLiteral("clientes"));
    EXPECT_EQ(c.campos, CamposOfrecidos());
    EXPECT_EQ(c.tipo, QStringLiteral("CL"));
    const DefinicionVista b = LeerVista(con(), QStringLiteral("Bancos"));
    EXPECT_TRUE(b.campos.isEmpty());
    EXPECT_EQ(b.tipo, QStringLiteral("BN"));
    const DefinicionVista n = LeerVista(con(), QStringLiteral("Ninguna"));
    EXPECT_TRUE(n.campos.isEmpty());
    EXPECT_TRUE(n.tipo.isEmpty());
}

TEST_P(Vistas, GuardarReemplazaLaDefinicionEnSuOrden)
{
    GuardarVista(con(), QStringLiteral("  Sucursal O'Higgins "),
                 {QStringLiteral("Categoría"), QStringLiteral("  "), QStringLiteral("Condición de Compra Venta")}, QStringLiteral("PR"));
    EXPECT_EQ(filas(QStringLiteral("Sucursal O'Higgins")),
              (QStringList{"Sucursal O'Higgins|Categoría|PR", "Sucursal O'Higgins|Condición de Compra Venta|PR"}));
    // A re-save drops the fields taken out and keeps the new order.
    GuardarVista(con(), QStringLiteral("Sucursal O'Higgins"), {QStringLiteral("Limite de Crédito"), QStringLiteral("Categoría")},
                 QStringLiteral("CL"));
    const DefinicionVista d = LeerVista(con(), QStringLiteral("Sucursal O'Higgins"));
    EXPECT_EQ(d.campos, (QStringList{"Limite de Crédito", "Categoría"}));
    EXPECT_EQ(d.tipo, QStringLiteral("CL"));
    EXPECT_EQ(CamposDisponibles(d.campos), (QStringList{"Condición de Compra Venta"}));
    // Without fields: one row with an empty field keeps the name and the type.
    GuardarVista(con(), QStringLiteral("Sucursal O'Higgins"), {}, QStringLiteral("BN"));
    EXPECT_EQ(filas(QStringLiteral("Sucursal O'Higgins")), (QStringList{"Sucursal O'Higgins||BN"}));
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_VISTAS WHERE NOMBRE = ? AND CAMPO = ''"), {"Sucursal O'Higgins"}), 1);
    EXPECT_TRUE(NombresVistas(con()).contains(QStringLiteral("Sucursal O'Higgins")));
    // An empty name does nothing.
    const int antes = contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_VISTAS"));
    GuardarVista(con(), QStringLiteral("   "), {QStringLiteral("Categoría")}, QStringLiteral("NN"));
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_VISTAS")), antes);
}

TEST_P(Vistas, NombresPredefinidosEnCualquierCaja)
{
    const QStringList antes = filas(QStringLiteral("Clientes"));
    for (const char* n : {"Clientes", "cLIENTES", " proveedores ", "BANCOS"}) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(EsVistaPredefinida(QString::fromLatin1(n)));
        try {
            GuardarVista(con(), QString::fromLatin1(n), {}, QStringLiteral("NN"));
            ADD_FAILURE() << "guardada";
        } catch (const ErrorVexa& e) {
            EXPECT_EQ(e.descripcion(), MensajeVistaPredefinida());
        }
    }
    EXPECT_FALSE(EsVistaPredefinida(QStringLiteral("Clientes VIP")));
    EXPECT_EQ(filas(QStringLiteral("Clientes")), antes);
}

TEST_P(Vistas, UnaFallaConservaLaDefinicionGuardada)
{
    const QStringList antes = filas(QStringLiteral("Mayoristas"));
    fallaEn(con(), QStringLiteral("TA_VISTAS"), QStringLiteral("INSERT"));
    EXPECT_THROW(GuardarVista(con(), QStringLiteral("Mayoristas"), {QStringLiteral("Categoría")}, QStringLiteral("NN")), ErrorBD);
    EXPECT_FALSE(con().enTransaccion());
    EXPECT_EQ(filas(QStringLiteral("Mayoristas")), antes);
}

TEST(CamposDisponibles, SeCompruebanDentroDeLosElegidos)
{
    EXPECT_EQ(CamposDisponibles({}), CamposOfrecidos());
    EXPECT_EQ(CamposDisponibles({QStringLiteral("categoría")}),
              (QStringList{"Condición de Compra Venta", "Limite de Crédito"}));
}

VEXA_AMBOS_MOTORES(Vistas);

} // namespace
