#pragma once
// Windows that run a long job (a reception, a generation) inside the command
// that starts it, on the one thread of the program:
//
// - CorridaVentana: the run guard. While a run lasts the commands given to
//   deshabilitar() are disabled, the fields become read-only, the tabs cannot
//   be changed, the window's other controls lock themselves (ParteBloqueable), the
//   window refuses to close and its MDI frame shows no close button; the wait
//   cursor is on. All comes back when the run ends, also when it throws. Given
//   the connection, the window keeps painting while SQLite waits for another
//   station's lock, its title then saying "Esperando a otra estación…".
// - VentanaCorrida: the base of those windows. One guard, and closing: refused
//   while a run lasts; otherwise the exit of the visit is stamped in the access
//   log (the stamp the window gives) and the window closes.
// - ConCursorEspera, SinCursorEspera: the wait cursor on for a scope, and off
//   while a question waits for the operator in the middle of a run.
// - ConfirmarCancelar: the question after the operator's cancel in a run's
//   progress box.
//
//   class FrmX : public VentanaCorrida {
//       FrmX(ContextoEmpresa& ctx) {
//           ...
//           bloquearEnCorrida({CmdAceptar, CmdBuscar}, {TxtFields[0]}, SSTab1, listas);
//           alCerrar([this, &ctx] { RegistraEgreso(ctx, *this); });
//       }
//       void aceptar() { correr([&] { ProgresoVentana p(this, true, true); ... }, &ctx.con()); }
//   };
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QLineEdit;
class QTabWidget;

namespace vexa {

class Conexion;
class ProgresoVentana;

// Controls of a window that lock themselves their own way while a run lasts (a list
// whose print button comes back only when it has rows, a frame that ignores the
// mouse). 'bloqueada' false gives it back.
class ParteBloqueable {
public:
    virtual ~ParteBloqueable() = default;
    virtual void bloquear(bool bloqueada) = 0;
};

class CorridaVentana : public QObject {
    Q_OBJECT
public:
    explicit CorridaVentana(QWidget& ventana);
    ~CorridaVentana() override;

    // What a run locks (replaces what was given before).
    void deshabilitar(QList<QWidget*> comandos, QList<QLineEdit*> campos, QTabWidget* pestanas = nullptr,
                      ParteBloqueable* parte = nullptr);

    bool corriendo() const { return corriendo_; }
    // Runs 'orden' with the window locked; while SQLite waits for another
    // connection's lock the window keeps painting (user input stays out) and its
    // title says that it waits.
    void correr(Conexion& con, const std::function<void()>& orden);
    // The same without watching the connection's lock waits.
    void correr(const std::function<void()>& orden);
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
    ParteBloqueable* parte_ = nullptr;
    bool corriendo_ = false;
    bool esperando_ = false;
    QString titulo_;
};

class VentanaCorrida : public QWidget {
    Q_OBJECT
public:
    explicit VentanaCorrida(QWidget* parent = nullptr);
    ~VentanaCorrida() override;

    // True while a run lasts.
    bool corriendo() const { return corrida_->corriendo(); }
    // The wait for another station's lock is over (the title shows it no more).
    void finEspera() { corrida_->finEspera(); }

signals:
    // During a run, while SQLite waits for another connection's lock (ms waited so far).
    void esperandoBloqueo(int ms);

protected:
    // What a run locks (CorridaVentana::deshabilitar).
    void bloquearEnCorrida(QList<QWidget*> comandos, QList<QLineEdit*> campos, QTabWidget* pestanas = nullptr,
                           ParteBloqueable* parte = nullptr);
    // Runs 'orden' with the window locked; given the connection, its lock waits
    // are watched (CorridaVentana::correr).
    void correr(const std::function<void()>& orden, Conexion* con = nullptr);
    // The access-log stamp of the window's exit, run when it closes; a failure
    // is shown under the window's caption and the window closes all the same.
    void alCerrar(std::function<void()> registrarEgreso) { registrarEgreso_ = std::move(registrarEgreso); }
    // After the stamp, before the window closes.
    virtual void cerrando() {}

    void closeEvent(QCloseEvent* e) override;

private:
    CorridaVentana* corrida_ = nullptr;
    std::function<void()> registrarEgreso_;
};

namespace ventanas {

// The wait cursor, on while the object lives (off again: every level at once).
class ConCursorEspera {
public:
    ConCursorEspera();
    ~ConCursorEspera();
    ConCursorEspera(const ConCursorEspera&) = delete;
    ConCursorEspera& operator=(const ConCursorEspera&) = delete;
};

// The wait cursor off while the object lives (a question in the middle of a run), on again after.
class SinCursorEspera {
public:
    SinCursorEspera();
    ~SinCursorEspera();
    SinCursorEspera(const SinCursorEspera&) = delete;
    SinCursorEspera& operator=(const SinCursorEspera&) = delete;
};

// The operator cancelled in the run's progress box: asks 'pregunta' (the wait
// cursor off meanwhile; the box steps aside while it is asked when
// 'apartarCuadro'). True stops the run; false lets the run go on, and the box
// may be cancelled again.
bool ConfirmarCancelar(ProgresoVentana& progreso, const QString& pregunta, int botones, const QString& titulo,
                       bool apartarCuadro = true);

} // namespace ventanas

} // namespace vexa
