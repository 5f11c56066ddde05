// The view field-list window: a new name listed before saving, the lists'
// buttons, the saved order and class read back, predefined names, and a save
// that fails keeping the lists.
#include "AyudaReferencias.h"
#include "BaseDePrueba.h"

#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "FrmDefVistas.h"
#include "VentanaPrincipalDePrueba.h"
#include "VentanasReferencia.h"
#include "VistasDatos.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace vexa;
using namespace vexa::prueba;
using namespace vexa::plataforma;

namespace {

class FrmDefVistasPrueba : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ctx = std::make_unique<ContextoEmpresa>(con());
        w = std::make_unique<FrmDefVistas>(*ctx);
    }
    void TearDown() override
    {
        w.reset();
        BaseDePrueba::TearDown();
    }
    static QStringList textos(const QListWidget* l)
    {
        QStringList r;
        for (int i = 0; i < l->count(); ++i) r << l->item(i)->text();
        return r;
    }
    void nombre(const QString& n)
    {
        w->CmbDefinicion->setEditText(n);
        w->CmbDefinicion_KeyDown(Qt::Key_Return);
    }
    void elegirEn(QListWidget* l, const QString& t)
    {
        const auto items = l->findItems(t, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << t.toStdString();
        l->setCurrentItem(items[0]);
    }
    GuionDialogos dlg;
    std::unique_ptr<ContextoEmpresa> ctx;
    std::unique_ptr<FrmDefVistas> w;
};

TEST_P(FrmDefVistasPrueba, DefinirUnaVistaYLeerlaDeNuevo)
{
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Definición de Atributos Operativos"));
    EXPECT_TRUE(w->OptTipo[3]->isChecked());
    EXPECT_EQ(textos(w->lstTodos), vistas::CamposOfrecidos());
    EXPECT_EQ(w->CmbDefinicion->count(), 4);
    EXPECT_TRUE(w->CmbDefinicion->currentText().isEmpty());

    // Without a name nothing moves.
    elegirEn(w->lstTodos, QStringLiteral("Categoría"));
    w->cmdAgregar->click();
    EXPECT_EQ(w->lstSeleccionado->count(), 0);

    // A new name, answered Yes, is listed before anything is saved.
    dlg.respuestas.clear();
    dlg.respuestas.enqueue(vbYes);
    nombre(QStringLiteral("Sucursal D'Agostino"));
    ASSERT_EQ(dlg.mostrados.size(), 1);
    EXPECT_EQ(dlg.mostrados[0].texto, QStringLiteral("La definicion ingresada no existe, Desea Agregarla?"));
    EXPECT_EQ(dlg.mostrados[0].estilo, vbYesNo | vbQuestion);
    EXPECT_GE(w->CmbDefinicion->findText(QStringLiteral("Sucursal D'Agostino")), 0);
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_VISTAS WHERE NOMBRE = ?"), {"Sucursal D'Agostino"}), 0);

    w->cmdAgregarTodos->click();
    EXPECT_EQ(w->lstTodos->count(), 0);
    elegirEn(w->lstSeleccionado, QStringLiteral("Limite de Crédito"));
    w->cmdQuitar->click();
    EXPECT_EQ(textos(w->lstTodos), (QStringList{"Limite de Crédito"}));
    elegirEn(w->lstSeleccionado, QStringLiteral("Categoría"));
    w->cmdSubir->click();
    EXPECT_EQ(textos(w->lstSeleccionado), (QStringList{"Categoría", "Condición de Compra Venta"}));
    EXPECT_EQ(w->lstSeleccionado->currentItem()->text(), QStringLiteral("Categoría"));
    w->cmdBajar->click();
    w->cmdBajar->click(); // already last: stays
    w->cmdSubir->click();
    EXPECT_EQ(textos(w->lstSeleccionado), (QStringList{"Categoría", "Condición de Compra Venta"}));
    w->OptTipo[1]->setChecked(true);
    w->CmdAceptar->click();

    // Saved; the window starts again.
    EXPECT_EQ(vistas::LeerVista(con(), QStringLiteral("Sucursal D'Agostino")).campos,
              (QStringList{"Categoría", "Condición de Compra Venta"}));
    EXPECT_TRUE(w->OptTipo[3]->isChecked());
    EXPECT_EQ(w->lstSeleccionado->count(), 0);
    EXPECT_EQ(w->CmbDefinicion->count(), 5);

    // Read back from the list of names.
    const int i = w->CmbDefinicion->findText(QStringLiteral("Sucursal D'Agostino"));
    w->CmbDefinicion->setCurrentIndex(i);
    emit w->CmbDefinicion->activated(i);
    EXPECT_EQ(textos(w->lstSeleccionado), (QStringList{"Categoría", "Condición de Compra Venta"}));
    EXPECT_EQ(textos(w->lstTodos), (QStringList{"Limite de Crédito"}));
    EXPECT_TRUE(w->OptTipo[1]->isChecked());
    EXPECT_EQ(dlg.mostrados.size(), 1);
}

TEST_P(FrmDefVistasPrueba, VistaSinCamposYNombresPredefinidos)
{
    dlg.respuestas.clear();
    dlg.respuestas.enqueue(vbNo);
    nombre(QStringLiteral("Otra"));
    EXPECT_EQ(w->CmbDefinicion->findText(QStringLiteral("Otra")), -1);

    nombre(QStringLiteral("bancos")); // an existing name, any case
    EXPECT_TRUE(w->OptTipo[2]->isChecked());
    EXPECT_EQ(w->lstSeleccionado->count(), 0);
    w->CmdAceptar->click();
    EXPECT_EQ(dlg.ultimo(), QStringLiteral("No se puede modificar la vista seleccionada, puesto que es una vista predefinida"));
    EXPECT_EQ(dlg.mostrados.last().estilo, vbCritical);

    // Mayoristas without fields: one row with an empty field keeps its class.
    nombre(QStringLiteral("Mayoristas"));
    EXPECT_EQ(w->lstSeleccionado->count(), 2);
    w->cmdQuitartodos->click();
    w->OptTipo[0]->setChecked(true);
    w->CmdAceptar->click();
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_VISTAS WHERE NOMBRE = 'Mayoristas' AND CAMPO = ''")), 1);
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_VISTAS WHERE NOMBRE = 'Mayoristas'")), 1);
    nombre(QStringLiteral("Mayoristas"));
    EXPECT_EQ(w->lstSeleccionado->count(), 0);
    EXPECT_EQ(w->lstTodos->count(), 3);
    EXPECT_TRUE(w->OptTipo[0]->isChecked());
}

TEST_P(FrmDefVistasPrueba, UnaFallaAlGuardarConservaDefinicionYListas)
{
    nombre(QStringLiteral("Mayoristas"));
    elegirEn(w->lstTodos, QStringLiteral("Condición de Compra Venta"));
    w->cmdAgregar->click();
    fallaEn(con(), QStringLiteral("TA_VISTAS"), QStringLiteral("INSERT"));
    w->CmdAceptar->click();
    EXPECT_TRUE(dlg.ultimo().contains(QStringLiteral("falla inyectada"))) << dlg.ultimo().toStdString();
    EXPECT_EQ(vistas::LeerVista(con(), QStringLiteral("Mayoristas")).campos, (QStringList{"Categoría", "Limite de Crédito"}));
    EXPECT_EQ(textos(w->lstSeleccionado), (QStringList{"Categoría", "Limite de Crédito", "Condición de Compra Venta"}));
    EXPECT_EQ(w->CmbDefinicion->currentText(), QStringLiteral("Mayoristas"));
}

VEXA_AMBOS_MOTORES(FrmDefVistasPrueba);

// Opened by its menu command and driven with keys: a name that begins like a
// stored view ("Mayor", "Mayoristas" is of class Cliente) stays as typed, and
// leaving the name box to move fields reads no stored view back, even one
// whose whole name was typed: the class stays Ninguno until the operator
// changes it, and the view is saved so.
TEST_P(FrmDefVistasPrueba, LaClaseNoCambiaSinQueElOperadorLaToque)
{
    registrarVentanasReferencia();
    VentanaPrincipalDePrueba principal;
    ASSERT_TRUE(principal.cargada);
    auto* v = principal.abrir<FrmDefVistas>(QStringLiteral("MNU_VistasDatosAdicionales"), QStringLiteral("FrmDefVistas"));
    ASSERT_TRUE(v);
    QLineEdit* caja = v->CmbDefinicion->lineEdit();
    const auto moverPrimero = [&] {
        v->lstTodos->setFocus();
        tecla(v->lstTodos, Qt::Key_Home);
        tecla(v->cmdAgregar, Qt::Key_Space);
    };
    // Typed and left without Enter: nothing of "Clientes" is read.
    caja->setFocus();
    escribir(caja, QStringLiteral("Clientes"));
    moverPrimero();
    EXPECT_EQ(v->CmbDefinicion->currentText(), QStringLiteral("Clientes"));
    EXPECT_EQ(v->tipoElegido(), QStringLiteral("NN"));
    EXPECT_EQ(textos(v->lstSeleccionado), QStringList{vistas::CamposOfrecidos()[0]});

    // A new name that begins like a stored one, confirmed with Enter.
    caja->setFocus();
    tecla(caja, Qt::Key_A, QString(), Qt::ControlModifier);
    escribir(caja, QStringLiteral("Mayor"));
    EXPECT_EQ(v->CmbDefinicion->currentText(), QStringLiteral("Mayor"));
    dlg.respuestas.enqueue(vbYes);
    tecla(caja, Qt::Key_Return);
    EXPECT_EQ(dlg.ultimo(), QStringLiteral("La definicion ingresada no existe, Desea Agregarla?"));
    EXPECT_EQ(v->CmbDefinicion->currentText(), QStringLiteral("Mayor"));
    moverPrimero();
    moverPrimero();
    EXPECT_EQ(v->tipoElegido(), QStringLiteral("NN"));
    EXPECT_EQ(textos(v->lstSeleccionado), (QStringList{vistas::CamposOfrecidos()[0], vistas::CamposOfrecidos()[1]}));
    tecla(v->CmdAceptar, Qt::Key_Space);
    EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM TA_VISTAS WHERE NOMBRE = 'Mayor' AND TIPOVISTA = 'NN'")), 2);
    EXPECT_EQ(vistas::LeerVista(con(), QStringLiteral("Mayoristas")).campos, (QStringList{"Categoría", "Limite de Crédito"}));
    EXPECT_EQ(dlg.mostrados.size(), 1);
}

} // namespace
