#pragma once
// Pieces the reception windows share (vouchers from interface files, new
// accounts from interface files, the commercial system's file):
//
// - VistaPreviaArchivo: the preview tab's list of a file's lines.
// - ListasRecepcion: the result lists of a run (recorded lines, errors) with
//   their print buttons, over a compact ResultadosRecepcion.
// - ErrorArchivo, ElegirArchivo: the file field's check and its file chooser.
//
// The window during a run is the platform's CorridaVentana (VentanaCorrida.h);
// the result lists lock their print buttons themselves.
//
//   ListasRecepcion::Textos t;                 // captions and print titles
//   auto* listas = new ListasRecepcion(t, tab);
//   bloquearEnCorrida({UtilTeb1, CmdBuscar}, {TxtFields[0], TxtFields[1]}, SSTab1, listas);
#include "ResultadosRecepcion.h"
#include "VentanaCorrida.h"

#include <QGroupBox>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTreeWidget>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QTabWidget;

namespace vexa {
class Conexion;
}

namespace vexa::recepcion {

// The lines of a file as the preview shows them: column "Linea" (the number as
// listed, " 1") and "Contenido". A line the reader cannot show is shown by its
// problem. A file that is missing or cannot be read shows nothing.
class VistaPreviaArchivo : public QTreeWidget {
    Q_OBJECT
public:
    explicit VistaPreviaArchivo(QWidget* parent = nullptr);
    // No rows; the two columns with their headers.
    void preparar();
    // Shows the file's lines (the previous rows go). False when the file is
    // missing or cannot be read (nothing shown).
    bool cargar(const QString& archivo);
};

// The window's two tabs, "SSTab1": "&Selección de Interface" ('seleccion') and
// "&Vista Previa" ('vista').
QTabWidget* PonerPestanas(QWidget* ventana, QWidget*& seleccion, QWidget*& vista);

// The preview list on its tab 'pagina' of 'pestanas' (at 'indice'): turning to
// the tab runs 'alElegir' (which loads the file).
VistaPreviaArchivo* PonerVistaPrevia(QTabWidget* pestanas, QWidget* pagina, int indice, std::function<void()> alElegir);

// The check of a window's file field: empty when 'valor' names an existing
// ordinary file, else the message the operator is shown ("Debe Informar un
// archivo" when it is empty).
QString ErrorArchivo(const QString& valor);

// The window's two tabs, "SSTab1": "&Selección de Interface" ('seleccion') and
// "&Vista Previa" ('vista').
QTabWidget* PonerPestanas(QWidget* ventana, QWidget*& seleccion, QWidget*& vista);

// The preview list on its tab 'pagina' of 'pestanas' (at 'indice'): turning to
// the tab runs 'alElegir' (which loads the file).
VistaPreviaArchivo* PonerVistaPrevia(QTabWidget* pestanas, QWidget* pagina, int indice, std::function<void()> alElegir);

// The check of a window's file field when the operator leaves it: 'archivo'
// takes the field's trimmed text, the preview tab ('vistaPrevia' of
// 'pestanas') is enabled exactly when the file is right; else the message is
// shown ("Aviso al operador...") and the field takes the focus. False then.
bool ValidarArchivo(QLineEdit* campo, QTabWidget* pestanas, int vistaPrevia, QString& archivo);

// The file chooser of a window's file field, under 'titulo': it opens in the
// folder of the field's path, else in 'carpeta' (the folder last chosen in that
// window, which it updates), else in the company's data folder. The chosen name
// goes to the field trimmed and is returned; a cancelled chooser empties both.
QString ElegirArchivo(QLineEdit* campo, const QString& titulo, QString& carpeta, const Conexion& con);

// The two lists of a run's results and their print buttons, in a frame. The
// lists show ResultadosRecepcion's models; a window without a list of recorded
// lines (Textos::conGrabados false) has only the error list.
class ListasRecepcion : public QGroupBox, public ParteBloqueable {
    Q_OBJECT
public:
    struct Textos {
        bool conGrabados = true;
        QString botonGrabados = QStringLiteral("&Imprimir Registros Grabados");
        QString botonErrores = QStringLiteral("Imprimir &Errores");
        QString tituloGrabados = QStringLiteral("Listado Testigo de Asiento desde interface (Registros Grabados)");
        QString tituloErrores = QStringLiteral("Listado Testigo de Asiento desde interface (Errores detectados)");
    };

    explicit ListasRecepcion(const Textos& textos, QWidget* parent = nullptr);
    ~ListasRecepcion() override;

    QListView* LstGrabados = nullptr; // nullptr without conGrabados
    QListView* LstErrores = nullptr;
    QPushButton* CmdPrintGrabados = nullptr;
    QPushButton* CmdPrintErrores = nullptr;
    QLabel* EtiquetaErrores = nullptr; // "Errores detectados"

    ResultadosRecepcion& resultados() { return resultados_; }
    const ResultadosRecepcion& resultados() const { return resultados_; }
    qsizetype cantidad(ResultadosRecepcion::Lista l) const { return resultados_.cantidad(l); }

    // Empties both lists; both print buttons disabled.
    void limpiar();
    // Appends committed lines (in file order) and keeps them in view.
    void agregar(const std::vector<ResultadosRecepcion::Fila>& filas);
    // Appends rejections listed as given: each message names its voucher itself.
    void agregar(const QStringList& rechazos);
    // Each print button enabled exactly when 'si' and its list has rows.
    void habilitar(bool si = true);
    // During a run both print buttons are disabled.
    void bloquear(bool bloqueada) override { habilitar(!bloqueada); }
    // Prints a list (ImprimirLista) under its title; an error is shown by the
    // central error handler.
    void imprimir(ResultadosRecepcion::Lista lista);

private:
    ResultadosRecepcion resultados_;
    Textos textos_;
};

} // namespace vexa::recepcion
