#include "frmperscampos.h"

#include "RegistroVentanas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

frmperscampos::frmperscampos(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmperscampos"));
    setWindowTitle(QStringLiteral("Campos Personalizados"));
    auto nombrar = [](QWidget* w, const char* n) {
        w->setObjectName(QString::fromLatin1(n));
        return w;
    };
    auto* lista = nombrar(new QListWidget, "lstFields");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Nombre:"), nombrar(new QLineEdit, "txtFieldName"));
    form->addRow(QStringLiteral("Tipo:"), nombrar(new QComboBox, "cboFieldType"));
    form->addRow(QStringLiteral("Tamaño:"), nombrar(new QLineEdit, "txtFieldSize"));
    form->addRow(QStringLiteral("Valor predeterminado:"), nombrar(new QLineEdit, "txtDefaultValue"));
    form->addRow(QStringLiteral("Regla de validación:"), nombrar(new QLineEdit, "txtValidationRule"));
    form->addRow(QStringLiteral("Texto de validación:"), nombrar(new QLineEdit, "txtValidationText"));
    form->addRow(QStringLiteral("Posición:"), nombrar(new QLineEdit, "txtOrdinalPos"));
    form->addRow(QStringLiteral("Orden de intercalación:"), nombrar(new QLineEdit, "txtCollatingOrder"));
    form->addRow(QStringLiteral("Tabla:"), nombrar(new QLineEdit, "txtTableName"));
    auto* marcas = new QVBoxLayout;
    marcas->addWidget(nombrar(new QCheckBox(QStringLiteral("Requerido")), "chkRequired"));
    marcas->addWidget(nombrar(new QCheckBox(QStringLiteral("Permitir longitud cero")), "chkAllowZeroLen"));
    marcas->addWidget(nombrar(new QCheckBox(QStringLiteral("Autoincremental")), "chkAutoInc"));
    marcas->addWidget(nombrar(new QCheckBox(QStringLiteral("Campo fijo")), "chkFixedField"));
    marcas->addWidget(nombrar(new QCheckBox(QStringLiteral("Variable")), "chkVariable"));
    form->addRow(marcas);
    auto* botones = new QHBoxLayout;
    botones->addWidget(nombrar(new QPushButton(QStringLiteral("&Agregar")), "cmdAddField"));
    botones->addWidget(nombrar(new QPushButton(QStringLiteral("&Quitar")), "cmdRemoveField"));
    botones->addStretch(1);
    botones->addWidget(nombrar(new QPushButton(QStringLiteral("&Cerrar")), "CmdCerrar"));
    auto* fila = new QHBoxLayout;
    fila->addWidget(lista);
    fila->addLayout(form, 1);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(fila);
    todo->addLayout(botones);
}

void registrarVentanasVentanaPrincipal()
{
    registrarVentana(QStringLiteral("frmperscampos"), [](ContextoEmpresa&, const OpcionesVentana&) -> QWidget* { return new frmperscampos; });
}

} // namespace vexa
