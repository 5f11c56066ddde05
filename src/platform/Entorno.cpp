#include "Entorno.h"

#include "Dialogos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSysInfo>

#include <algorithm>

#include <pwd.h>
#include <unistd.h>

namespace vexa::plataforma {

namespace {
QDateTime g_fijo;
Lanzador* g_lanzador = nullptr;
Impresora* g_impresora = nullptr;

class LanzadorReal : public Lanzador {
public:
    bool iniciar(const QString& programa, const QStringList& argumentos, const QString& carpeta, QString* error) override
    {
        qint64 pid = 0;
        QProcess p;
        p.setProgram(programa);
        p.setArguments(argumentos);
        p.setWorkingDirectory(carpeta);
        bool ok = p.startDetached(&pid);
        if (!ok && error) *error = p.errorString();
        return ok;
    }
};

class ImpresoraReal : public Impresora {
public:
    ResultadoImpresion imprimir(const QString& titulo, const QList<LineaImpresa>& lineas) override
    {
        ResultadoImpresion r;
        QPrinterInfo def = QPrinterInfo::defaultPrinter();
        QPrinter printer(QPrinter::HighResolution);
        if (!def.isNull()) {
            printer.setPrinterName(def.printerName());
            r.destino = def.printerName();
        } else {
            QString carpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            if (carpeta.isEmpty()) carpeta = QDir::homePath();
            QDir().mkpath(carpeta);
            QString base = titulo.isEmpty() ? QStringLiteral("Listado") : titulo;
            base.replace(QRegularExpression(QStringLiteral("[^\\w\\-]+")), QStringLiteral("_"));
            r.destino = QDir(carpeta).filePath(base + ahora().toString(QStringLiteral("_yyyyMMdd_HHmmss")) + ".pdf");
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(r.destino);
            r.esPdf = true;
        }
        printer.setDocName(titulo);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QPainter p;
        if (!p.begin(&printer)) {
            r.error = QStringLiteral("No se pudo abrir la impresora ") + r.destino;
            return r;
        }
        const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
        int y = 0;
        for (const LineaImpresa& l : lineas) {
            QFont f(QStringLiteral("Monospace"), l.puntos);
            f.setStyleHint(QFont::TypeWriter);
            f.setBold(l.negrita);
            f.setUnderline(l.subrayado);
            p.setFont(f);
            const QFontMetrics m = p.fontMetrics();
            if (y > 0 && y + m.lineSpacing() > area.height()) {
                printer.newPage();
                y = 0;
            }
            y += m.lineSpacing();
            // Columns are character cells of the line's (fixed-pitch) font.
            if (!l.texto.isEmpty()) p.drawText(m.horizontalAdvance(u' ') * (std::max(l.columna, 1) - 1), y - m.descent(), l.texto);
        }
        p.end();
        r.ok = true;
        if (r.esPdf)
            dialogos().MsgBox(QStringLiteral("No hay una impresora instalada. El listado se guardó en el archivo ") + r.destino,
                              vbInformation, QStringLiteral("Aviso al operador"));
        return r;
    }
};

} // namespace

QDateTime ahora() { return g_fijo.isValid() ? g_fijo : QDateTime::currentDateTime(); }
QDate hoy() { return ahora().date(); }
void fijarAhora(const QDateTime& t) { g_fijo = t; }

Lanzador& lanzador()
{
    static LanzadorReal real;
    return g_lanzador ? *g_lanzador : real;
}
void instalarLanzador(Lanzador* l) { g_lanzador = l; }

bool LanzadorGuion::iniciar(const QString& programa, const QStringList& argumentos, const QString& carpeta, QString* error)
{
    iniciados.append({programa, argumentos, carpeta});
    if (!aceptar && error) *error = QStringLiteral("rechazado");
    return aceptar;
}

Impresora& impresora()
{
    static ImpresoraReal real;
    return g_impresora ? *g_impresora : real;
}
void instalarImpresora(Impresora* i) { g_impresora = i; }

ResultadoImpresion ImpresoraGuion::imprimir(const QString& documento, const QList<LineaImpresa>& lineas)
{
    QStringList textos;
    for (const LineaImpresa& l : lineas)
        textos << (l.texto.isEmpty() ? QString() : QString(std::max(l.columna, 1) - 1, u' ') + l.texto);
    trabajos.append({documento, textos, lineas});
    ResultadoImpresion r;
    r.ok = true;
    r.destino = QStringLiteral("guion");
    return r;
}

QString InfoSistema::NombreEquipo() { return QSysInfo::machineHostName(); }
QString InfoSistema::IdentidadSesion()
{
    if (const passwd* pw = getpwuid(geteuid())) return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString carpetaPrograma()
{
    QString c = qEnvironmentVariable("VEXA_CARPETA_PROGRAMA");
    if (c.isEmpty()) c = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    if (!c.endsWith(u'/')) c += u'/';
    return c;
}

QString carpetaUsuario()
{
    QString c = qEnvironmentVariable("VEXA_CONFIG_DIR");
    if (c.isEmpty()) c = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/vexa");
    QDir().mkpath(c);
    if (!c.endsWith(u'/')) c += u'/';
    return c;
}

} // namespace vexa::plataforma
