#pragma once
// "Definición de Atributos Operativos": the field lists of the additional-data
// views. The operator picks or types a view name, moves the offered fields
// between "Todos los campos" and "Campos Seleccionados", orders them, chooses
// the view's class and saves with "&Actualizar".
#include <QWidget>

#include <vector>

class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vexa {

class ContextoEmpresa;

class FrmDefVistas : public QWidget {
    Q_OBJECT
public:
    explicit FrmDefVistas(ContextoEmpresa& ctx, QWidget* parent = nullptr);

    QComboBox* CmbDefinicion = nullptr;
    QListWidget* lstTodos = nullptr;
    QListWidget* lstSeleccionado = nullptr;
    QPushButton* cmdAgregar = nullptr;
    QPushButton* cmdAgregarTodos = nullptr;
    QPushButton* cmdQuitar = nullptr;
    QPushButton* cmdQuitartodos = nullptr;
    QPushButton* cmdSubir = nullptr;
    QPushButton* cmdBajar = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QGroupBox* FraClase = nullptr;
    std::vector<QRadioButton*> OptTipo; // each carries its tag in the "Tag" property

    void Inicializa();
    void Cargar_ListaDefiniciones();
    void Asignar_Campos(const QStringList* seleccionados = nullptr);
    void Obtener_Campos(const QString& nombre);
    bool Guardar_Campos(const QString& nombre);
    void CmbDefinicion_Click();
    void CmbDefinicion_KeyDown(int tecla);
    void CmdAceptar_Click();
    void cmdAgregar_Click();
    void cmdAgregarTodos_Click();
    void cmdQuitar_Click();
    void cmdQuitartodos_Click();
    void cmdSubir_Click();
    void cmdBajar_Click();

    // The tag of the chosen class; the fields of lstSeleccionado in order.
    QString tipoElegido() const;
    QStringList camposSeleccionados() const;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // The constructor's parts, in the order the controls are created.
    void crearNombre();
    void crearBotones();
    void crearClase();
    void disponer();

    bool hayNombre() const;
    static void pasar(QListWidget* desde, QListWidget* hacia);
    ContextoEmpresa& ctx_;
};

} // namespace vexa
