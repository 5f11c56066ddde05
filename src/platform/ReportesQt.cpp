#include "ReportesQt.h"

#include "ArchivoSQLite.h"
#include "Dialogos.h"
#include "DialogosQt.h"
#include "Entorno.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <vector>
#include <exception>

namespace vexa::plataforma {

namespace {

QFont fuenteFija(int puntos, bool negrita = false, bool subrayado = false)
{
    QFont f(QStringLiteral("Monospace"), puntos);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    // Report text needs no shaping: it is laid out in character cells.
    f.setStyleStrategy(QFont::PreferNoShaping);
    f.setKerning(false);
    f.setBold(negrita);
    f.setUnderline(subrayado);
    return f;
}

// A cell's text as the lines of its column: broken at the last blank that
// leaves a piece within the width (a word longer than the width is split),
// so nothing is cut off. An empty text is one empty line.
QStringList partirCelda(QString t, int ancho)
{
    t.replace(u'\n', u' ').replace(u'\r', u' ').replace(u'\t', u' ');
    if (ancho <= 0) return {QString()};
    QStringList r;
    while (t.size() > ancho) {
        qsizetype corte = t.lastIndexOf(u' ', ancho);
        if (corte <= 0) corte = ancho;
        QString pieza = t.left(corte);
        while (pieza.endsWith(u' ')) pieza.chop(1);
        r << pieza;
        t = t.mid(corte);
        qsizetype blancos = 0;
        while (blancos < t.size() && t[blancos] == u' ') ++blancos;
        t.remove(0, blancos);
    }
    r << t;
    return r;
}

// A row laid out in character cells, one blank between columns: a cell longer
// than its column goes on over the next lines, within its column.
QStringList lineasDeCeldas(const QList<ColumnaReporte>& columnas, const QStringList& celdas)
{
    bool caben = true;
    for (int i = 0; i < columnas.size() && i < celdas.size() && caben; ++i) caben = celdas[i].size() <= columnas[i].ancho;
    if (caben) {
        // The common case, one line.
        QString s;
        for (int i = 0; i < columnas.size(); ++i) {
            const ColumnaReporte& c = columnas[i];
            QString t = i < celdas.size() ? celdas[i] : QString();
            t.replace(u'\n', u' ').replace(u'\r', u' ').replace(u'\t', u' ');
            if (i > 0) s += u' ';
            s += c.derecha ? t.rightJustified(c.ancho) : (i + 1 < columnas.size() ? t.leftJustified(c.ancho) : t);
        }
        return {s};
    }
    std::vector<QStringList> partes;
    qsizetype alto = 1;
    for (int i = 0; i < columnas.size(); ++i) {
        partes.push_back(partirCelda(i < celdas.size() ? celdas[i] : QString(), columnas[i].ancho));
        alto = std::max(alto, partes.back().size());
    }
    QStringList lineas;
    for (qsizetype l = 0; l < alto; ++l) {
        QString s;
        for (int i = 0; i < columnas.size(); ++i) {
            const ColumnaReporte& c = columnas[i];
            const QString t = partes[size_t(i)].value(l);
            if (i > 0) s += u' ';
            s += c.derecha ? t.rightJustified(c.ancho) : (i + 1 < columnas.size() ? t.leftJustified(c.ancho) : t);
        }
        while (s.endsWith(u' ')) s.chop(1);
        lineas << s;
    }
    return lineas;
}

class Dibujo {
public:
    Dibujo(const Reporte& r, QPrinter& pr, QPainter& p) : r_(r), pr_(pr), p_(p)
    {
        area_ = pr.pageLayout().paintRectPixels(pr.resolution());
        // Fonts are built once per report: a QFont built per page or per line
        // costs a font-database lookup each time.
        cuerpo_ = fuenteFija(r.puntosCuerpo);
        cabezas_ = fuenteFija(r.puntosCuerpo, true);
        pie_ = fuenteFija(8);
        titulo_ = QFont(QStringLiteral("Sans Serif"), 12);
        titulo_.setBold(true);
        encabezado_ = QFont(QStringLiteral("Sans Serif"), 9);
        p_.setFont(cuerpo_);
        const QFontMetrics m = p_.fontMetrics();
        altoCuerpo_ = m.lineSpacing();
        descensoCuerpo_ = m.descent();
        anchoCelda_ = m.horizontalAdvance(u' ');
        if (r_.cabeceraEnPaginas) {
            p_.setFont(pie_);
            altoPie_ = p_.fontMetrics().lineSpacing() * 2;
        }
    }

    void empezar() { nuevaPagina(false); }

    void lineaFormateada(const LineaImpresa& l)
    {
        p_.setFont(fuenteFija(l.puntos, l.negrita, l.subrayado));
        const QFontMetrics m = p_.fontMetrics();
        reservar(m.lineSpacing());
        y_ += m.lineSpacing();
        if (!l.texto.isEmpty()) p_.drawText(m.horizontalAdvance(u' ') * (std::max(l.columna, 1) - 1), y_ - m.descent(), l.texto);
    }

    void fila(const QStringList& celdas)
    {
        if (p_.font() != cuerpo_) p_.setFont(cuerpo_);
        if (r_.columnas.isEmpty()) {
            linea(celdas.value(0));
            ++filas_;
            return;
        }
        // Each cell drawn at its column (no run of blanks to draw); a cell
        // longer than its column goes on over the next lines, and a row's
        // lines stay together on one page.
        const int n = int(r_.columnas.size());
        if (partes_.size() != size_t(n)) partes_.resize(size_t(n));
        qsizetype alto = 1;
        for (int i = 0; i < n; ++i) {
            const QString t = i < celdas.size() ? celdas[i] : QString();
            QStringList& p = partes_[size_t(i)];
            p.clear();
            if (t.size() <= r_.columnas[i].ancho && !t.contains(u'\n') && !t.contains(u'\r') && !t.contains(u'\t')) p << t;
            else p = partirCelda(t, r_.columnas[i].ancho);
            alto = std::max(alto, p.size());
        }
        reservar(altoCuerpo_ * int(alto));
        for (qsizetype l = 0; l < alto; ++l) {
            y_ += altoCuerpo_;
            int columna = 0;
            for (int i = 0; i < n; ++i) {
                const ColumnaReporte& c = r_.columnas[i];
                const QString& t = partes_[size_t(i)].size() > l ? partes_[size_t(i)][l] : vacio_;
                if (!t.isEmpty()) {
                    const int desde = columna + (c.derecha ? int(c.ancho - std::min<qsizetype>(t.size(), c.ancho)) : 0);
                    p_.drawText(desde * anchoCelda_, y_ - descensoCuerpo_, t);
                }
                columna += c.ancho + 1;
            }
        }
        ++filas_;
    }

    void terminar() { pie(); }
    int paginas() const { return paginas_; }
    qint64 filas() const { return filas_; }

private:
    void linea(const QString& t)
    {
        reservar(altoCuerpo_);
        y_ += altoCuerpo_;
        if (!t.isEmpty()) p_.drawText(0, y_ - descensoCuerpo_, t);
    }

    void reservar(int alto)
    {
        if (y_ > inicioCuerpo_ && y_ + alto > area_.height() - altoPie_) nuevaPagina(true);
    }

    void nuevaPagina(bool salto)
    {
        if (salto) {
            pie();
            pr_.newPage();
        }
        ++paginas_;
        y_ = 0;
        if (r_.cabeceraEnPaginas) cabecera();
        inicioCuerpo_ = y_;
    }

    void cabecera()
    {
        p_.setFont(titulo_);
        QFontMetrics m = p_.fontMetrics();
        y_ += m.lineSpacing();
        p_.drawText(QRect(0, y_ - m.lineSpacing(), area_.width(), m.lineSpacing()), Qt::AlignHCenter | Qt::AlignBottom, r_.titulo);
        p_.setFont(encabezado_);
        m = p_.fontMetrics();
        for (const QString& l : r_.encabezado) {
            y_ += m.lineSpacing();
            p_.drawText(0, y_ - m.descent(), l);
        }
        y_ += m.lineSpacing() / 2;
        if (!r_.columnas.isEmpty()) {
            QStringList heads;
            for (const ColumnaReporte& c : r_.columnas) heads << c.titulo;
            p_.setFont(cabezas_);
            m = p_.fontMetrics();
            y_ += m.lineSpacing();
            for (const QString& t : lineasDeCeldas(r_.columnas, heads)) {
                p_.drawText(0, y_ - m.descent(), t);
                y_ += m.lineSpacing();
            }
            y_ -= m.lineSpacing();
            y_ += m.descent() + 2;
            p_.drawLine(0, y_, area_.width(), y_);
            y_ += m.descent();
        }
        p_.setFont(cuerpo_);
    }

    void pie()
    {
        if (!r_.cabeceraEnPaginas) return;
        p_.setFont(pie_);
        const QFontMetrics m = p_.fontMetrics();
        p_.drawText(QRect(0, area_.height() - m.lineSpacing(), area_.width(), m.lineSpacing()), Qt::AlignRight | Qt::AlignBottom,
                    QStringLiteral("Página %1").arg(paginas_));
        p_.setFont(cuerpo_);
    }

    const Reporte& r_;
    QPrinter& pr_;
    QPainter& p_;
    QRect area_;
    QFont cuerpo_, cabezas_, pie_, titulo_, encabezado_;
    int altoCuerpo_ = 0, descensoCuerpo_ = 0, anchoCelda_ = 0, altoPie_ = 0;
    int y_ = 0, inicioCuerpo_ = 0, paginas_ = 0;
    qint64 filas_ = 0;
    std::vector<QStringList> partes_; // the current row's cells, as lines
    const QString vacio_;
};

void prepararA4(QPrinter& printer, const Reporte& r)
{
    printer.setDocName(r.titulo);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(r.apaisado ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(15, 12, 12, 12), QPageLayout::Millimeter);
}

QString pdfEnDocumentos(const QString& titulo)
{
    QString carpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (carpeta.isEmpty()) carpeta = QDir::homePath();
    QDir().mkpath(carpeta);
    QString base = titulo.isEmpty() ? QStringLiteral("Listado") : titulo;
    base.replace(QRegularExpression(QStringLiteral("[^\\w\\-]+")), QStringLiteral("_"));
    return QDir(carpeta).filePath(base + ahora().toString(QStringLiteral("_yyyyMMdd_HHmmss")) + ".pdf");
}

class ReportesReales : public Reportes {
public:
    ResultadoReporte emitir(const Reporte& r, DestinoReporte destino, const QString& archivo) override
    {
        if (destino == DestinoReporte::Pantalla) return vistaPrevia(r);
        ResultadoReporte res;
        QPrinter printer(QPrinter::HighResolution);
        if (destino == DestinoReporte::Archivo) {
            res.destino = archivo;
            res.esPdf = true;
            if (archivo_sqlite::esArchivoDeBaseAbierta(archivo)) {
                // Writing the listing there would overwrite the company's data.
                res.error = QStringLiteral("El archivo ") + archivo +
                            QStringLiteral(" es la base de datos de la empresa abierta: elija otro archivo para el listado.");
                return res;
            }
        } else {
            const QPrinterInfo def = QPrinterInfo::defaultPrinter();
            if (!def.isNull()) {
                printer.setPrinterName(def.printerName());
                res.destino = def.printerName();
            } else {
                res.destino = pdfEnDocumentos(r.titulo);
                res.esPdf = true;
            }
        }
        if (res.esPdf) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(res.destino);
        }
        prepararA4(printer, r);
        const ResultadoReporte dibujado = dibujarReporte(r, printer);
        res.ok = dibujado.ok;
        res.error = dibujado.error;
        res.paginas = dibujado.paginas;
        res.filas = dibujado.filas;
        if (res.ok && res.esPdf && destino == DestinoReporte::Impresora)
            dialogos().MsgBox(QStringLiteral("No hay una impresora instalada. El listado se guardó en el archivo ") + res.destino,
                              vbInformation, QStringLiteral("Aviso al operador"));
        return res;
    }

private:
    static ResultadoReporte vistaPrevia(const Reporte& r)
    {
        ResultadoReporte res;
        QPrinter printer(QPrinter::HighResolution);
        prepararA4(printer, r);
        QPrintPreviewDialog vista(&printer, ventanaPrincipal());
        vista.setWindowTitle(r.titulo);
        vista.resize(900, 1000);
        QString error;
        QObject::connect(&vista, &QPrintPreviewDialog::paintRequested, &vista, [&](QPrinter* p) {
            // The preview draws again on each change of its view: keep the last run's figures.
            try {
                const ResultadoReporte d = dibujarReporte(r, *p);
                res.paginas = d.paginas;
                res.filas = d.filas;
                if (!d.ok) error = d.error;
            } catch (const std::exception& e) {
                error = QString::fromUtf8(e.what());
            }
        });
        vista.exec();
        res.ok = error.isEmpty();
        res.error = error;
        res.destino = QStringLiteral("pantalla");
        return res;
    }
};

} // namespace

ResultadoReporte dibujarReporte(const Reporte& r, QPrinter& impresora)
{
    ResultadoReporte res;
    QPainter p;
    if (!p.begin(&impresora)) {
        res.error = QStringLiteral("No se pudo abrir la impresora ") +
                    (impresora.outputFileName().isEmpty() ? impresora.printerName() : impresora.outputFileName());
        return res;
    }
    Dibujo d(r, impresora, p);
    try {
        d.empezar();
        for (const LineaImpresa& l : r.lineas) d.lineaFormateada(l);
        if (r.filas)
            r.filas([&](const QStringList& celdas) {
                d.fila(celdas);
                return true;
            });
        d.terminar();
    } catch (...) {
        p.end();
        throw;
    }
    p.end();
    res.ok = true;
    res.paginas = d.paginas();
    res.filas = d.filas();
    return res;
}

void usarReportesQt()
{
    static ReportesReales reales;
    fijarReportesPorDefecto(&reales);
}

} // namespace vexa::plataforma
