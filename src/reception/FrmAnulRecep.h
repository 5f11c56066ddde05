#pragma once
// "Anulación de Recepción de Información de Vexa Gestón Comercial": lists
// every run of the reception log, shows the details of the run clicked and
// cancels a live run ("&Anular") through AnularRecepcion (AnulacionRecepcion.h).
// Each node keeps its run's number as its data; a cancelled run reads
// "<ID>- Anulado". The window stamps no access-log exit.
#include <QWidget>

class QFrame;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vexa {
class ContextoEmpresa;
}

namespace vexa::recepcion {

class FrmAnulRecep : public QWidget {
    Q_OBJECT
public:
    explicit FrmAnulRecep(ContextoEmpresa& ctx, QWidget* parent = nullptr);
    ~FrmAnulRecep() override;

    QTreeWidget* TreeView1 = nullptr;
    QTreeWidget* ListView1 = nullptr; // report view of one run's details
    QFrame* Frame1 = nullptr;
    QPushButton* CmdAnular = nullptr;
    QPushButton* CmdCerrar = nullptr;

    void Cargar_Controles();
    void Cargar_Control(qint32 id);
    void Anular_Control(qint32 id);
    void CmdAnular_Click();
    void nodoElegido(QTreeWidgetItem* nodo);

private:
    ContextoEmpresa& ctx_;
};

} // namespace vexa::recepcion
