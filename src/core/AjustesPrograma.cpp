#include "AjustesPrograma.h"

#include "ArchivoIni.h"
#include "DialogosQt.h"
#include "Entorno.h"
#include "EstadoGlobal.h"
#include "Utilidades.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QWidget>

#include <functional>

namespace vexa {

namespace {

// Runs one step; a failing step is skipped.
void paso(const std::function<void()>& f)
{
    try {
        f();
    } catch (const std::exception&) {
    }
}

QIcon iconoPrograma()
{
    QIcon icono;
    for (int lado : {16, 32, 48}) {
        QPixmap p(lado, lado);
        p.fill(Qt::transparent);
        QPainter g(&p);
        g.setRenderHint(QPainter::Antialiasing);
        g.setBrush(QColor(0x1f, 0x3b, 0x5c));
        g.setPen(Qt::NoPen);
        g.drawRoundedRect(QRectF(0, 0, lado, lado), lado / 6.0, lado / 6.0);
        QFont f = g.font();
        f.setBold(true);
        f.setPixelSize(lado * 3 / 4);
        g.setFont(f);
        g.setPen(Qt::white);
        g.drawText(QRect(0, 0, lado, lado), Qt::AlignCenter, QStringLiteral("V"));
        g.end();
        icono.addPixmap(p);
    }
    return icono;
}

} // namespace

QIcon iconoDelSistema(const QString& nombre)
{
    if (texto::igual(texto::recortar(nombre), QStringLiteral("ICONTEB"))) return iconoPrograma();
    const QString recurso = QStringLiteral(":/iconos/") + texto::recortar(nombre) + QStringLiteral(".png");
    if (QFile::exists(recurso)) return QIcon(recurso);
    return QIcon();
}

void LeerIniInicio(EstadoInicio& inicio)
{
    QString carpetaLog = plataforma::carpetaUsuario();
    paso([&] { carpetaLog = Utilidades::AgregaBarra(carpetaLog); });
    paso([&] {
        inicio.archivoErrores = ArchivoIni::LeerIni(ArchivoIniPrograma, QStringLiteral("Inicio"), QStringLiteral("ArchivoErrores"),
                                     carpetaLog + QStringLiteral("TbErr.Log"));
    });
    paso([&] {
        inicio.editarConsulta = aBooleano(ArchivoIni::LeerIni(ArchivoIniPrograma, QStringLiteral("INICIO"), QStringLiteral("EditarConsulta"),
                                               QStringLiteral("True")));
    });
}

void GrabarIniSalida(const EstadoInicio& inicio)
{
    // The value read at start is written back as it was.
    paso([&] { ArchivoIni::GrabarIni(ArchivoIniPrograma, QStringLiteral("INICIO"), QStringLiteral("EditarConsulta"), textoBooleano(inicio.editarConsulta)); });
    paso([&] { ArchivoIni::GrabarIni(ArchivoIniPrograma, QStringLiteral("Inicio"), QStringLiteral("ArchivoErrores"), inicio.archivoErrores); });
}

void fijarBarrasPlanas(QWidget* principal, bool planas)
{
    if (principal) principal->setProperty(kPropiedadBarrasPlanas, planas);
}

bool barrasPlanas()
{
    const QWidget* principal = plataforma::ventanaPrincipal();
    const QVariant v = principal ? principal->property(kPropiedadBarrasPlanas) : QVariant();
    return v.isValid() ? v.toBool() : true;
}

void AplicarEstiloFormulario(QWidget* frm)
{
    if (!frm) return;
    QString nombre = QStringLiteral("ICONTEB");
    paso([&] {
        nombre = ArchivoIni::LeerIni(ArchivoIniPrograma, QStringLiteral("Iconos"), QStringLiteral("IconoDelSistema"),
                                                 QStringLiteral("ICONTEB"));
    });
    paso([&] {
        const QIcon icono = iconoDelSistema(nombre);
        if (!icono.isNull()) frm->setWindowIcon(icono);
    });
    QString clase = QString::fromLatin1(frm->metaObject()->className());
    clase = clase.mid(clase.lastIndexOf(u':') + 1);
    if (texto::igual(clase, QStringLiteral("frmMDI"))) return;
    const bool planas = barrasPlanas();
    for (const char* barra : {"UtilTeb1", "TBarRep1", "Util0011"}) {
        paso([&] {
            QWidget* w = frm->findChild<QWidget*>(QLatin1String(barra));
            if (!w) return;
            w->setProperty("StyleBar", planas);
            for (QToolButton* b : w->findChildren<QToolButton*>()) b->setAutoRaise(planas);
        });
    }
    QCoreApplication::processEvents();
}

} // namespace vexa
