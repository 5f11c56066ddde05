#pragma once
// Pieces the reception windows share (vouchers from interface files, new
// accounts from interface files, the commercial system's file):
//
// - VistaPreviaArchivo: the preview tab's list of a file's lines.
// - ListasRecepcion: the result lists of a run (recorded lines, errors) with
//   their print buttons, over a compact ResultadosRecepcion.
// - ErrorArchivo, ElegirArchivo: the file field's check and its file chooser.
// - CorridaVentana: the window while a run is in progress: commands, fields and
//   tabs disabled, closing refused (the MDI frame's close button too), the wait
//   cursor on; the window keeps painting, also while SQLite waits for another
//   station's lock (the title then says "Esperando a otra estación…").
//
//   ListasRecepcion::Textos t;                 // captions and print titles
//   auto* listas = new ListasRecepcion(t, tab);
//   CorridaVentana corrida(*this);
//   corrida.deshabilitar({UtilTeb1, CmdBuscar}, {TxtFields[0], TxtFields[1]}, SSTab1, listas);
//   corrida.correr(ctx.con(), [&] { ... the run ... });
#include "ResultadosRecepcion.h"

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

// The check of a window's file field: empty when 'valor' names an existing
// ordinary file, else the message the operator is shown ("Debe Informar un
// archivo" when it is empty).
QString ErrorArchivo(const QString& valor);

// The file chooser of a window's file field, under 'titulo': it opens in the
// folder of the field's path, else in 'carpeta' (the folder last chosen in that
// window, which it updates), else in the company's data folder. The chosen name
// goes to the field trimmed and is returned; a cancelled chooser empties both.
QString ElegirArchivo(QLineEdit* campo, const QString& titulo, QString& carpeta, const Conexion& con);

// The two lists of a run's results and their print buttons, in a frame. The
// lists show ResultadosRecepcion's models; a window without a list of recorded
// lines (Textos::conGrabados false) has only the error list.
class ListasRecepcion : public QGroupBox {
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
    // Prints a list (ImprimirLista) under its title; an error is shown by the
    // central error handler.
    void imprimir(ResultadosRecepcion::Lista lista);

private:
    ResultadosRecepcion resultados_;
    Textos textos_;
};

// A run inside a window. While it lasts, the controls given to deshabilitar()
// are disabled (fields become read-only, tabs cannot be changed), the print
// buttons of the lists too, the window refuses to close and its MDI frame shows
// no close button; the wait cursor is on. Everything is given back when the run
// ends, also when it throws.
class CorridaVentana : public QObject {
    Q_OBJECT
public:
    explicit CorridaVentana(QWidget& ventana);
    ~CorridaVentana() override;

    void deshabilitar(QList<QWidget*> comandos, QList<QLineEdit*> campos, QTabWidget* pestanas,
                      ListasRecepcion* listas);

    bool corriendo() const { return corriendo_; }
    // Runs 'orden' with the window locked. While SQLite waits for another
    // connection's lock the window keeps painting (user input stays out) and its
    // title says that it waits.
    void correr(Conexion& con, const std::function<void()>& orden);
    // The wait for another station's lock is over (the title shows it no more).
    void finEspera();

signals:
    // During a run, while SQLite waits for another connection's lock (ms waited so far).
    void esperandoBloqueo(int ms);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void habilitar(bool si);

    QWidget& ventana_;
    QList<QPointer<QWidget>> comandos_;
    QList<QPointer<QLineEdit>> campos_;
    QPointer<QTabWidget> pestanas_;
    QPointer<ListasRecepcion> listas_;
    QPointer<QWidget> marco_; // the MDI frame whose close event is watched
    bool corriendo_ = false;
    bool esperando_ = false;
    QString titulo_;
};

} // namespace vexa::recepcion
