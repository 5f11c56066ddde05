#include "EjecutarProgramas.h"

#include "Conexion.h"
#include "Entorno.h"
#include "LBM_Common.h"
#include "Utilidades.h"

#include <QDir>
#include <QFileInfo>

namespace vexa {

namespace {

const QString kAviso = QStringLiteral("Aviso al operador");

// Starts a program; a refused start is the notice for the operator.
plataforma::AvisoOperador iniciar(const QString& ruta, const QString& argumentos)
{
    QString error;
    const QString carpeta = QFileInfo(ruta).absolutePath();
    if (plataforma::lanzador().iniciar(ruta, {argumentos}, carpeta, &error)) return {};
    return {QStringLiteral("No se pudo iniciar el programa ") + ruta +
                (error.isEmpty() ? QString() : QStringLiteral("\n") + error),
            plataforma::vbCritical, kAviso};
}

plataforma::AvisoOperador ejecutarEjecutor(const Conexion& con, const QString& nombre, const QString& archivo,
                                           const QString& sigla, bool avisarEstado)
{
    if (texto::recortar(nombre).isEmpty()) return {};
    const QString argumentos = argumentosEjecutor(nombre, con.datos());
    const QString carpeta = Utilidades::AgregaBarra(plataforma::carpetaPrograma());
    const QString ruta = buscarArchivoCarpeta(carpeta, archivo);
    if (ruta.isEmpty())
        return {QStringLiteral("Error de integridad en los Archivos del sistema (") + sigla +
                    QStringLiteral("), copie este mensaje y comuniquese con su proveedor de software"),
                plataforma::vbCritical + plataforma::vbOKOnly, kAviso};
    if (avisarEstado) MensajeEstado(QStringLiteral("Cargando Objetos del sistema "), true);
    plataforma::AvisoOperador aviso = iniciar(ruta, argumentos);
    if (avisarEstado) MensajeEstado(QStringLiteral("..."), false);
    return aviso;
}

} // namespace


QString argumentosEjecutor(const QString& nombre, const DatosConexion& c)
{
    return QStringLiteral("@Menu=") + nombre + u';' + QStringLiteral("@Server=") + c.server + u';' +
           QStringLiteral("@DbName=") + c.dbName + u';' + QStringLiteral("@Usuario=") + c.usuario + u';' +
           QStringLiteral("@Password=") + c.password + u';' + MarcaFinComando + u';';
}

QString argumentosPrograma(const QString& parametroAdicional, const DatosConexion& c)
{
    return QStringLiteral("; @server=") + c.server + QStringLiteral("; @dbname=") + c.dbName +
           QStringLiteral("; @usuario=") + c.usuario + QStringLiteral("; @Password=") + c.password +
           QStringLiteral("; @ParametroAdicional=") + parametroAdicional + QStringLiteral("; ") + MarcaFinComando +
           QStringLiteral(" ;");
}

QString comandoEjecutor(const QString& ruta, const QString& argumentos)
{
    const QString r = ruta.contains(u' ') ? u'"' + ruta + u'"' : ruta;
    return r + u' ' + argumentos;
}

QString buscarArchivoCarpeta(const QString& carpeta, const QString& nombre)
{
    if (nombre.isEmpty() || nombre.contains(u'/')) return QString();
    const QDir dir(carpeta);
    const QFileInfo exacto(dir.filePath(nombre));
    if (exacto.isFile()) return exacto.filePath();
    const QStringList entradas = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : entradas)
        if (texto::igual(e, nombre)) return dir.filePath(e);
    return QString();
}

plataforma::AvisoOperador EjecutarReporte(const Conexion& con, const QString& reporte)
{
    return ejecutarEjecutor(con, reporte, QStringLiteral("RZ731R.EXE"), QStringLiteral("RZ731R"), false);
}

plataforma::AvisoOperador EjecutarFormulario(const Conexion& con, const QString& formulario)
{
    return ejecutarEjecutor(con, formulario, QStringLiteral("RZ731CF.EXE"), QStringLiteral("RZ731CF"), true);
}

plataforma::AvisoOperador EjecutarPrograma(const Conexion& con, const QString& programa, const QString& parametroAdicional,
                                           qint64& tareaId)
{
    tareaId = 0;
    const QString argumentos = argumentosPrograma(parametroAdicional, con.datos());
    const QString carpeta = Utilidades::AgregaBarra(plataforma::carpetaPrograma());
    const QString ruta = buscarArchivoCarpeta(carpeta, programa.mid(6));
    if (!ruta.isEmpty()) {
        QString error;
        if (plataforma::lanzador().iniciar(ruta, {argumentos}, QFileInfo(ruta).absolutePath(), &error)) tareaId = 1;
    }
    if (tareaId != 0) return {};
    return {QStringLiteral("Opcion no Implementada!\nComuniquese con su proveedor de sistemas"),
            plataforma::vbCritical + plataforma::vbOKOnly, QStringLiteral("Atención")};
}

} // namespace vexa
