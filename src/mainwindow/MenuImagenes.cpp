#include "MenuImagenes.h"

#include "Dialogos.h"
#include "EjecutarProgramas.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>

namespace vexa {

using namespace plataforma;
using ventanas::px;

const std::array<BotonImagen, 11>& botonesImagen()
{
    static const std::array<BotonImagen, 11> b = {{
        {0, "Plan General de Cuentas"},
        {1, "Registraciones Directas al Diario General"},
        {10, "Interfaces"},
        {7, "Cash-Flow Proyectado"},
        {2, "Reportes"},
        {4, "Ajuste por Inflación"},
        {5, "Estados Contables: Publicación"},
        {6, "Cierre y Apertura de Libros Contables"},
        {8, "Tablas de Referencia"},
        {3, "Depuración de Datos"},
        {9, "Salir"},
    }};
    return b;
}

QString MenuImagenes::tooltip(int indice) const
{
    for (const BotonImagen& b : botonesImagen())
        if (b.indice == indice) return QString::fromUtf8(b.tooltip);
    return QString();
}

void MenuImagenes::sonar(const QString& archivo)
{
    if (!reproducir) return;
    // The file as it lies in the install folder, whatever the case of its name.
    const QString ruta = buscarArchivoCarpeta(carpetaSonidos, archivo);
    reproducir(ruta.isEmpty() ? Utilidades::AgregaBarra(carpetaSonidos) + archivo : ruta);
}

void MenuImagenes::Click(int indice)
{
    sonar(QStringLiteral("msclick.WAV"));
    const QString t = tooltip(indice).toUpper();

    enum Tipo { Item, Menu };
    struct Entrada {
        const char* tooltip;
        const char* item;      // the menu item (or menu) named by the command
        Tipo tipo;
        bool sinPermiso;       // runs without looking at the item
        const bool* bandera;   // module flag also needed
    };
    static const Entrada entradas[] = {
        {"REPORTES", "MnuInformes", Menu, true, nullptr},
        {"TABLAS DE REFERENCIA", "MnuArchivosTablas", Item, false, nullptr},
        {"PLAN GENERAL DE CUENTAS", "MnuArchivosPlanDeCuentas", Item, false, nullptr},
        {"REGISTRACIONES DIRECTAS AL DIARIO GENERAL", "MnuAsientosDiario", Item, false, nullptr},
        {"SALIR", "MnuArchivosSalir", Item, true, nullptr},
        {"Estados Contables: Publicación", "MnuArchivosPublicaciones", Item, false, &HabilitaPublicacion},
        {"Cierre y Apertura de Libros Contables", "MnuCierre", Item, false, nullptr},
        {"Cash-Flow Proyectado", "MnuCashArmadoPrevio", Item, false, &HabilitaCashFlow},
        {"Interfaces", "MNU_Interfaces", Item, false, nullptr},
        {"Depuración de Datos", "MnuArchivosDepuraciones", Item, false, nullptr},
        {"Ajuste por Inflación", "Mnu_Ajustes", Menu, false, nullptr},
    };
    for (const Entrada& e : entradas) {
        if (t.compare(QString::fromUtf8(e.tooltip), Qt::CaseInsensitive) != 0) continue;
        const QString item = QString::fromLatin1(e.item);
        const bool permitido = e.sinPermiso || ((!itemHabilitado || itemHabilitado(item)) && (!e.bandera || *e.bandera));
        if (!permitido) {
            dialogos().MsgBox(QStringLiteral("No esta Autorizado a Realizar esta Tarea!!"), vbInformation, QStringLiteral("Aviso al operador"));
            return;
        }
        if (e.tipo == Menu) {
            if (desplegarMenu) desplegarMenu(item);
        } else if (ejecutarItem) {
            ejecutarItem(item);
        }
        return;
    }
    dialogos().MsgBox(QStringLiteral("Error en el Menu"), vbCritical, QStringLiteral("Aviso al operador!!!"));
}

void MenuImagenes::MouseMove(int indice)
{
    if (IndiceResaltado == indice) return;
    if (IndiceResaltado >= 0 && IndiceResaltado < Cantidad) bordeBack[IndiceResaltado] = false;
    IndiceResaltado = indice;
    bordeBack[indice] = true;
    sonar(QStringLiteral("mouse.wav"));
}

void MenuImagenes::InicializaBordes()
{
    IndiceResaltado = -1;
    bordeBack.fill(false);
}

// ---------------------------------------------------------------- widget

namespace {

QStyle::StandardPixmap iconoDe(int indice)
{
    switch (indice) {
    case 0: return QStyle::SP_FileDialogDetailedView;   // chart of accounts
    case 1: return QStyle::SP_FileDialogContentsView;   // direct registrations
    case 2: return QStyle::SP_FileDialogListView;       // reports
    case 3: return QStyle::SP_TrashIcon;                // purge
    case 4: return QStyle::SP_BrowserReload;            // inflation adjustment
    case 5: return QStyle::SP_FileIcon;                 // publication
    case 6: return QStyle::SP_DialogSaveButton;         // closing
    case 7: return QStyle::SP_ArrowUp;                  // projected cash flow
    case 8: return QStyle::SP_DirIcon;                  // reference tables
    case 9: return QStyle::SP_DialogCloseButton;        // exit
    case 10: return QStyle::SP_DriveNetIcon;            // interfaces
    }
    return QStyle::SP_FileIcon;
}
} // namespace

QRect PctMain::rectBack(int orden) { return QRect(px(840 * orden), 0, px(855), px(735)); }

PctMain::PctMain(MenuImagenes& reglas, QWidget* parent) : QWidget(parent), reglas_(reglas)
{
    setObjectName(QStringLiteral("PctMain"));
    setMouseTracking(true);
    const auto& botones = botonesImagen();
    for (int orden = 0; orden < (int)botones.size(); ++orden) {
        const int i = botones[orden].indice;
        auto* back = new QFrame(this);
        back->setObjectName(QStringLiteral("ImgBack_%1").arg(i));
        back->setGeometry(rectBack(orden));
        back->setMouseTracking(true);
        back_[i] = back;
        auto* img = new QLabel(this);
        img->setObjectName(QStringLiteral("ImgMenu_%1").arg(i));
        img->setToolTip(QString::fromUtf8(botones[orden].tooltip));
        img->setPixmap(style()->standardIcon(iconoDe(i)).pixmap(32, 32));
        img->setAlignment(Qt::AlignCenter);
        img->setGeometry(rectBack(orden).adjusted(6, 4, -6, -4));
        img->setMouseTracking(true);
        img->installEventFilter(this);
        img_[i] = img;
    }
    setFixedHeight(px(735) + 4);
    setMinimumWidth(rectBack(10).right() + 4);
    refrescarBordes();
}

void PctMain::refrescarBordes()
{
    for (int i = 0; i < MenuImagenes::Cantidad; ++i) {
        back_[i]->setFrameStyle(reglas_.bordeBack[i] ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
        img_[i]->setFrameStyle(reglas_.bordeImagen[i] ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    }
}

bool PctMain::eventFilter(QObject* o, QEvent* e)
{
    const auto it = std::find(img_.begin(), img_.end(), o);
    if (it == img_.end()) return QWidget::eventFilter(o, e);
    const int i = int(it - img_.begin());
    switch (e->type()) {
    case QEvent::MouseMove:
        reglas_.MouseMove(i);
        refrescarBordes();
        return true;
    case QEvent::MouseButtonPress:
        reglas_.MouseDown(i);
        refrescarBordes();
        return true;
    case QEvent::MouseButtonRelease: {
        reglas_.MouseUp(i);
        refrescarBordes();
        auto* me = static_cast<QMouseEvent*>(e);
        // The command may close the main window: nothing of this widget is used after it.
        if (me->button() == Qt::LeftButton && img_[i]->rect().contains(me->position().toPoint())) reglas_.Click(i);
        return true;
    }
    default:
        return QWidget::eventFilter(o, e);
    }
}

void PctMain::mouseMoveEvent(QMouseEvent* e)
{
    // Over the area outside the pictures: no button is framed.
    reglas_.InicializaBordes();
    refrescarBordes();
    QWidget::mouseMoveEvent(e);
}

} // namespace vexa
