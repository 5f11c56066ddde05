// The database password dialog: accept, cancel and the selection on entry.
#include "Dialogos.h"
#include "LBF_DBPWD.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::plataforma;

TEST(LBF_DBPWD, Textos)
{
    LBF_DBPWD d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Es necesaria una contraseña"));
    EXPECT_EQ(d.cmdOK->text(), QStringLiteral("&Aceptar"));
    EXPECT_EQ(d.cmdCancel->text(), QStringLiteral("&Cancelar"));
    EXPECT_EQ(d.lblLabels0->text(), QStringLiteral("&Introduzca la contraseña de la base de datos:"));
    EXPECT_EQ(d.txtPassword->echoMode(), QLineEdit::Password);
}

TEST(LBF_DBPWD, AceptarYCancelar)
{
    struct Caso {
        const char* nombre;
        const char* escrito;
        bool acepta;
        std::optional<QString> clave;
        QStringList cajas;
    };
    const Caso casos[] = {
        {"vacía aceptada", "", true, QString(""), {}},
        {"escrita aceptada", "s3creta", true, QString("s3creta"), {}},
        {"cancelada", "s3creta", false, std::nullopt, {"END"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        GuionDialogos guion;
        LBF_DBPWD d;
        d.show();
        d.txtPassword->setText(QString::fromLatin1(c.escrito));
        (c.acepta ? d.cmdOK : d.cmdCancel)->click();
        EXPECT_EQ(d.Password.has_value(), c.clave.has_value());
        if (c.clave) {
            EXPECT_EQ(*d.Password, *c.clave);
            EXPECT_FALSE(d.Password->isNull());
        }
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(guion.textosMostrados(), c.cajas);
        if (!c.acepta) EXPECT_EQ(guion.mostrados[0].estilo, vbOKOnly);
    }
}

TEST(LBF_DBPWD, EntrarEnLaCajaSeleccionaElTexto)
{
    LBF_DBPWD d;
    d.txtPassword->setText(QStringLiteral("abc"));
    d.txtPassword->deselect();
    QFocusEvent e(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(d.txtPassword, &e);
    EXPECT_EQ(d.txtPassword->selectionStart(), 0);
    EXPECT_EQ(d.txtPassword->selectedText(), QStringLiteral("abc"));
}
