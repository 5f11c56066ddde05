#include "DialogosQt.h"

#include "ListaConsultaQt.h"
#include "ReportesQt.h"
#include "TraduccionQt.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa::plataforma {

namespace {

QPointer<QWidget> g_principal;

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
        return QFileDialog::getOpenFileName(ventanaPrincipal(), titulo, carpeta, filtro);
    }
    QString ArchivoGuardar(const QString& titulo, const QString& carpeta, const QString& filtro) override
    {
        return QFileDialog::getSaveFileName(ventanaPrincipal(), titulo, carpeta, filtro);
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
