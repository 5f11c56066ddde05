#include "Presentacion.h"

#include "EstadoGlobal.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QSplashScreen>

namespace vexa {

namespace {
QPointer<QWidget> g_presentacion;
} // namespace

void MostrarPresentacion(const QString& version)
{
    if (g_presentacion || !qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    QPixmap imagen(460, 220);
    imagen.fill(QColor(0x1f, 0x3b, 0x5c));
    {
        QPainter p(&imagen);
        p.setPen(Qt::white);
        QFont f = p.font();
        f.setPointSize(20);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(0, 40, imagen.width(), 60), Qt::AlignCenter, NombreProducto);
        f.setPointSize(10);
        f.setBold(false);
        p.setFont(f);
        p.drawText(QRect(0, 110, imagen.width(), 30), Qt::AlignCenter, QStringLiteral("Versión ") + version);
        p.drawText(QRect(0, 160, imagen.width(), 30), Qt::AlignCenter, QStringLiteral("Iniciando..."));
    }
    auto* s = new QSplashScreen(imagen);
    s->setObjectName(QStringLiteral("frmPresentacion"));
    s->show();
    g_presentacion = s;
}

void RefrescarPresentacion()
{
    if (!g_presentacion) return;
    g_presentacion->repaint();
    QCoreApplication::processEvents();
}

void CerrarPresentacion()
{
    if (!g_presentacion) return;
    g_presentacion->close();
    g_presentacion->deleteLater();
    g_presentacion = nullptr;
}

} // namespace vexa
