#include "Configuracion.h"

#include "EstadoGlobal.h"
#include "Utilidades.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QSplashScreen>

namespace vexa {

Configuracion& Configuracion::instancia()
{
    static Configuracion* c = new Configuracion();
    return *c;
}

void Configuracion::copiarConexion(const Conexion& c)
{
    Server = c.Server;
    DbName = c.DbName;
    CadenaConexion = c.CadenaConexion();
    Usuario = c.Usuario;
    Password = c.Password;
    Conectar();
}

QString Configuracion::ObtieneValor(const QString& clave)
{
    auto f = con().PrimeraFila(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = ?"), {texto::recortar(clave)});
    if (!f) return QStringLiteral(" ");
    return f->texto(QStringLiteral("VALOR"));
}

void Configuracion::MostrarPresentacion()
{
    if (presentacion_ || !qobject_cast<QApplication*>(QCoreApplication::instance())) return;
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
        p.drawText(QRect(0, 110, imagen.width(), 30), Qt::AlignCenter, QStringLiteral("Versión ") + Version);
        p.drawText(QRect(0, 160, imagen.width(), 30), Qt::AlignCenter, QStringLiteral("Iniciando..."));
    }
    auto* s = new QSplashScreen(imagen);
    s->setObjectName(QStringLiteral("frmPresentacion"));
    s->show();
    presentacion_ = s;
}

void Configuracion::RefrescarPresentacion()
{
    if (!presentacion_) return;
    presentacion_->repaint();
    QCoreApplication::processEvents();
}

void Configuracion::CerrarPresentacion()
{
    if (!presentacion_) return;
    presentacion_->close();
    presentacion_->deleteLater();
    presentacion_ = nullptr;
}

bool Configuracion::FechasEjercicio(int periodo, QDate& desde, QDate& hasta)
{
    auto f = con().PrimeraFila(QStringLiteral("SELECT [FECHA DESDE], [FECHA HASTA] FROM MV_EJERCICIOS WHERE PERIODO = ?"), {periodo});
    if (!f) {
        desde = hasta = QDate();
        return false;
    }
    desde = f->fecha(QStringLiteral("FECHA DESDE"));
    hasta = f->fecha(QStringLiteral("FECHA HASTA"));
    return true;
}

} // namespace vexa
