#include "Dialogos.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace vexa::plataforma {

namespace {

// Without a window system (tools, the rules' own tests) a box cannot be shown:
// its text goes to the standard error and the first button answers.
class DialogosSinVentanas : public Dialogos {
public:
    int MsgBox(const QString& texto, int estilo, const QString& titulo) override
    {
        QTextStream(stderr) << titulo << ": " << texto << Qt::endl;
        switch (estilo & 0x7) {
        case vbAbortRetryIgnore: return vbAbort;
        case vbYesNoCancel:
        case vbYesNo: return vbYes;
        case vbRetryCancel: return vbRetry;
        default: return vbOK;
        }
    }
    QString ArchivoAbrir(const QString&, const QString&, const QString&) override { return {}; }
    QString ArchivoGuardar(const QString&, const QString&, const QString&) override { return {}; }
    QString PedirTexto(const QString&, const QString&, const QString&, bool* ok) override
    {
        if (ok) *ok = false;
        return {};
    }
    QDate PedirFecha(const QString&, const QDate&) override { return {}; }
};

Dialogos* g_actual = nullptr;
Dialogos* g_porDefecto = nullptr;

} // namespace

Dialogos& dialogos()
{
    static DialogosSinVentanas sinVentanas;
    if (g_actual) return *g_actual;
    return g_porDefecto ? *g_porDefecto : sinVentanas;
}
void instalarDialogos(Dialogos* d) { g_actual = d; }
Dialogos* dialogosInstalados() { return g_actual; }
void fijarDialogosPorDefecto(Dialogos* d) { g_porDefecto = d; }
int mostrarAviso(const AvisoOperador& aviso)
{
    return aviso.vacio() ? vbOK : dialogos().MsgBox(aviso.texto, aviso.estilo, aviso.titulo);
}
int DialogosGuion::MsgBox(const QString& texto, int estilo, const QString& titulo)
{
    mostrados.append({texto, estilo, titulo});
    return respuestas.isEmpty() ? respuestaPorDefecto : respuestas.dequeue();
}
QString DialogosGuion::ArchivoAbrir(const QString&, const QString&, const QString&)
{
    return archivos.isEmpty() ? QString() : archivos.dequeue();
}
QString DialogosGuion::ArchivoGuardar(const QString&, const QString&, const QString&)
{
    return archivos.isEmpty() ? QString() : archivos.dequeue();
}
QString DialogosGuion::PedirTexto(const QString&, const QString&, const QString&, bool* ok)
{
    if (ok) *ok = !textos.isEmpty();
    return textos.isEmpty() ? QString() : textos.dequeue();
}
QDate DialogosGuion::PedirFecha(const QString&, const QDate&)
{
    return fechas.isEmpty() ? QDate() : fechas.dequeue();
}
QStringList DialogosGuion::textosMostrados() const
{
    QStringList l;
    for (const auto& m : mostrados) l << m.texto;
    return l;
}

namespace {
// The folder itself when the path names an existing folder given in full; else empty.
QString carpetaExistente(const QString& ruta)
{
    const QString r = ruta.trimmed();
    if (r.isEmpty() || !QDir::isAbsolutePath(r) || !QFileInfo(r).isDir()) return {};
    return QDir::cleanPath(r);
}
} // namespace

QString carpetaInicialArchivo(const QString& rutaCampo, const QString& ultimaCarpeta, const QString& carpetaDatos)
{
    const QString campo = rutaCampo.trimmed();
    if (QDir::isAbsolutePath(campo)) {
        QString c = carpetaExistente(campo);
        if (c.isEmpty()) c = carpetaExistente(QFileInfo(campo).absolutePath());
        if (!c.isEmpty()) return c;
    }
    for (const QString* r : {&ultimaCarpeta, &carpetaDatos}) {
        const QString c = carpetaExistente(*r);
        if (!c.isEmpty()) return c;
    }
    return QDir::homePath();
}

QString carpetaDatosEmpresa(const DatosConexion& datos)
{
    const QString archivo = datos.dbName.trimmed();
    if (!datos.esSQLite() || archivo.isEmpty() || archivo == QLatin1String(":memory:")) return {};
    return QFileInfo(archivo).absolutePath();
}

} // namespace vexa::plataforma
