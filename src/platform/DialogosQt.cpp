#include "DialogosQt.h"

#include "ListaConsultaQt.h"
#include "ReportesQt.h"
#include "TraduccionQt.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QInputDialog>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa::plataforma {

namespace {

QPointer<QWidget> g_principal;

// Icons and type names of the chooser's files from their names alone. Qt's own
// provider reads the first bytes of a file whose name does not tell its type
// ("empresa.db", "empresa.db-wal"); closing that descriptor would drop the locks
// SQLite holds on the open company's files (see ArchivoSQLite.h).
class IconosPorNombre : public QFileIconProvider {
public:
    QIcon icon(IconType t) const override { return QFileIconProvider::icon(t); }
    QIcon icon(const QFileInfo& info) const override
    {
        if (info.isDir()) return QFileIconProvider::icon(Folder);
        const QMimeType m = mimes_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
        QIcon i = QIcon::fromTheme(m.iconName());
        if (i.isNull()) i = QIcon::fromTheme(m.genericIconName());
        return i.isNull() ? QFileIconProvider::icon(File) : i;
    }
    QString type(const QFileInfo& info) const override
    {
        if (!info.isFile()) return QFileIconProvider::type(info); // a folder or a drive: never read
        const QMimeType m = mimes_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
        return m.comment().isEmpty() ? m.name() : m.comment();
    }

private:
    QMimeDatabase mimes_;
};

// Qt's own chooser (not the desktop's, which runs in this process too and reads
// files to classify them), with the icons above from the start: it begins in an
// empty folder of its own, so that nothing is listed with another provider,
// and only then moves to the folder asked for.
QString elegirArchivo(QFileDialog::AcceptMode modo, const QString& titulo, const QString& carpeta, const QString& filtro)
{
    static IconosPorNombre iconos;
    QTemporaryDir vacia;
    QFileDialog d(ventanaPrincipal(), titulo, vacia.isValid() ? vacia.path() : QString(), filtro);
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setIconProvider(&iconos);
    d.setAcceptMode(modo);
    d.setFileMode(modo == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    d.setDirectory(carpeta);
    if (d.exec() != QDialog::Accepted) return QString();
    return d.selectedFiles().value(0);
}

class DialogosQt : public Dialogos {
public:
    int MsgBox(const QString& texto, int estilo, const QString& titulo) override
    {
        QMessageBox box(ventanaPrincipal());
        box.setText(texto);
        box.setWindowTitle(titulo.isEmpty() ? QApplication::applicationDisplayName() : titulo);
        switch (estilo & 0x70) {
        case vbCritical: box.setIcon(QMessageBox::Critical); break;
        case vbQuestion: box.setIcon(QMessageBox::Question); break;
        case vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case vbInformation: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
        }
        struct B { QString t; QMessageBox::ButtonRole r; int code; };
        QList<B> botones;
        switch (estilo & 0x7) {
        case vbOKCancel: botones = {{"Aceptar", QMessageBox::AcceptRole, vbOK}, {"Cancelar", QMessageBox::RejectRole, vbCancel}}; break;
        case vbAbortRetryIgnore: botones = {{"&Anular", QMessageBox::RejectRole, vbAbort}, {"&Reintentar", QMessageBox::AcceptRole, vbRetry}, {"&Omitir", QMessageBox::AcceptRole, vbIgnore}}; break;
        case vbYesNoCancel: botones = {{"&Sí", QMessageBox::YesRole, vbYes}, {"&No", QMessageBox::NoRole, vbNo}, {"Cancelar", QMessageBox::RejectRole, vbCancel}}; break;
        case vbYesNo: botones = {{"&Sí", QMessageBox::YesRole, vbYes}, {"&No", QMessageBox::NoRole, vbNo}}; break;
        case vbRetryCancel: botones = {{"&Reintentar", QMessageBox::AcceptRole, vbRetry}, {"Cancelar", QMessageBox::RejectRole, vbCancel}}; break;
        default: botones = {{"Aceptar", QMessageBox::AcceptRole, vbOK}}; break;
        }
        QList<QPushButton*> creados;
        for (const auto& b : botones) creados << box.addButton(b.t, b.r);
        int def = (estilo & vbDefaultButton3) ? 2 : (estilo & vbDefaultButton2) ? 1 : 0;
        if (def < creados.size()) box.setDefaultButton(creados[def]);
        box.exec();
        for (int i = 0; i < creados.size(); ++i)
            if (box.clickedButton() == creados[i]) return botones[i].code;
        // Closed with Escape / close box: the cancel-like answer.
        switch (estilo & 0x7) {
        case vbYesNo: return vbNo;
        case vbAbortRetryIgnore: return vbAbort;
        case vbOKOnly: return vbOK;
        default: return vbCancel;
        }
    }
    QString ArchivoAbrir(const QString& titulo, const QString& carpeta, const QString& filtro) override
    {
        return elegirArchivo(QFileDialog::AcceptOpen, titulo, carpeta, filtro);
    }
    QString ArchivoGuardar(const QString& titulo, const QString& carpeta, const QString& filtro) override
    {
        return elegirArchivo(QFileDialog::AcceptSave, titulo, carpeta, filtro);
    }
    QString PedirTexto(const QString& titulo, const QString& etiqueta, const QString& inicial, bool* ok) override
    {
        return QInputDialog::getText(ventanaPrincipal(), titulo, etiqueta, QLineEdit::Normal, inicial, ok);
    }
    QDate PedirFecha(const QString& titulo, const QDate& inicial) override
    {
        QDialog d(ventanaPrincipal());
        d.setWindowTitle(titulo);
        auto* lay = new QVBoxLayout(&d);
        auto* cal = new QCalendarWidget(&d);
        cal->setSelectedDate(inicial.isValid() ? inicial : QDate::currentDate());
        lay->addWidget(cal);
        auto* bb = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
        lay->addWidget(bb);
        QObject::connect(bb, &QDialogButtonBox::accepted, &d, &QDialog::accept);
        QObject::connect(bb, &QDialogButtonBox::rejected, &d, &QDialog::reject);
        QObject::connect(cal, &QCalendarWidget::activated, &d, &QDialog::accept);
        return d.exec() == QDialog::Accepted ? cal->selectedDate() : QDate();
    }
};


} // namespace

void setVentanaPrincipal(QWidget* w) { g_principal = w; }
QWidget* ventanaPrincipal() { return g_principal.data(); }

void usarDialogosQt()
{
    static DialogosQt d;
    fijarDialogosPorDefecto(&d);
}

void usarPlataformaQt()
{
    fijarIdiomaPrograma();
    instalarTraduccionQt();
    usarDialogosQt();
    usarReportesQt();
    usarListaConsultaQt();
}

} // namespace vexa::plataforma
