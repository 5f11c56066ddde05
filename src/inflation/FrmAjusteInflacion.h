#pragma once
// "Asiento de Ajuste por Inflación": prepares and saves the inflation-adjustment
// entry of the active fiscal year.
//
// The header proposes the period (the month after the year's last saved
// adjustment, or the year's first month, up to its closing month), the entry
// date (the year's last day) and the entry number; the operator types the
// result account ("Cuenta R.E.I."), the voucher and the concept. Accepting the
// voucher letter locks the header and enables "&Generar", which restates every
// adjustable account into entry lines (ajuste::GenerarAjuste, with a progress
// box whose cancel is confirmed first; while it runs the window's commands and
// its close button are disabled) and balances them on the result account.
// GRABAR checks the open fields and the totals and posts the lines as one entry
// (ajuste::GrabarAjuste); "Proceso Completo!" and closing follow a committed
// save only. PLANILLA lists the adjustment entries of every fiscal year.
// Closing the window stamps the visit's exit in the access log.
#include "AsientoAjuste.h"
#include "CamposAjuste.h"
#include "Moneda.h"
#include "VentanaCorrida.h"

#include <QSize>
#include <QString>

#include <array>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vexa {

class ArregloCajas;
class CamposFormulario;
class ContextoEmpresa;
class GrillaEditable;
class UtilTeb;

class FrmAjusteInflacion : public VentanaCorrida, private ParteBloqueable {
    Q_OBJECT
public:
    explicit FrmAjusteInflacion(ContextoEmpresa& ctx, QWidget* parent = nullptr);
    ~FrmAjusteInflacion() override;

    // Controls.
    QGroupBox* FrmCabecera = nullptr;
    // 0 [NUMERO ASIENTO], 1 PERIODO_DESDE, 2 PERIODO_HASTA, 3 CTA_REI, 4 TC,
    // 5 SUCURSAL, 6 NUMERO, 7 LETRA, 8 DETALLE, 9 FECHA, 10 CABIMPORTE.
    ArregloCajas* TxtFields = nullptr;
    QLabel* LblDescCuenta = nullptr;
    QLabel* lbldesctc = nullptr;
    QPushButton* CmdGenerar = nullptr;
    GrillaEditable* FgResumen = nullptr;
    std::array<QLineEdit*, 2> txtTotal{};
    UtilTeb* UtilTeb1 = nullptr;

    // Window state.
    const QString Tabla = QStringLiteral("MV_ASIENTOS");
    // The entry's lines as the last generation left them (shown from line 1).
    std::vector<ajuste::LineaAjuste> Lineas;
    int CampoActual = 0;
    bool HayError = false;
    bool DatosModificados = false;
    QString NroAsiento;
    QString FechaDesde, FechaHasta;     // dd/mm/yyyy
    QString PeriodoDesde, PeriodoHasta; // MM/yyyy

    // The header field of a data field.
    QLineEdit* campo(const QString& dataField) const;
    int indiceCampo(const QString& dataField) const;

    void Inicializa();
    void HabilitaCabecera(bool CabeceraCompleta);
    // Checks one header field (ajuste::ValidarCampo); the outcome is HayError.
    void ValidaCampo(QLineEdit* Campo, int Indice, bool MostrarMensaje);
    void MostrarConsulta();
    void InicializaGrilla();
    void MostrarLineas();
    // Totals of the lines: every line's debit and credit, both sides kept.
    void Totales(Moneda& Debe, Moneda& Haber) const;
    void ActualizaTotales();
    // Every open header field and the balance of the lines, exactly.
    void ValidaTotales(bool& Correcto);
    void CmdGenerar_Click();
    void UtilTeb1_Click(const QString& Clave);
    // The saved lines of an entry go through the posting service; HayError tells the outcome.
    void GrabarAsiento();
    // "MM/AAAA" as the period fields show it while typing: "032003" -> "03/2003".
    static QString FormateaPeriodo(const QString& Texto);

    // True while a generation runs.
    bool generando() const { return corriendo(); }

    // Wide enough for every column of the lines.
    QSize sizeHint() const override { return tamano_; }

signals:
    // The generation reported a step ("Procesando <cuenta>").
    void pasoGeneracion(const QString& texto);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    // The lines go with the window.
    void cerrando() override { Lineas.clear(); }

private:
    // Field indices.
    enum : int {
        kNroAsiento = 0, kPeriodoDesde, kPeriodoHasta, kCtaRei, kTC, kSucursal, kNumero, kLetra, kDetalle, kFecha, kCabImporte
    };
    void construirCampos();
    void construirCabecera();
    void construirLineas();
    void TxtFields_GotFocus(int Index);
    void TxtFields_KeyDown(int Index, int& KeyCode, Qt::KeyboardModifiers Shift);
    void TxtFields_KeyPress(int Index, int& KeyAscii);
    void TxtFields_KeyUp(int Index, int KeyCode);
    bool validaAlEntrar(int Index);
    void DatosValidosAsiento();
    void consultarHabilitado(int Index);
    // During a generation the header ignores the mouse.
    void bloquear(bool bloqueada) override;
    bool grabarDesdeLaBarra();
    // What a field's check recomputes goes to the fields, the descriptions and the window's state.
    void aplicarCampo(const ajuste::ResultadoCampo& r);

    ContextoEmpresa& ctx_;
    CamposFormulario* campos_ = nullptr;
    QSize tamano_;
    bool focoEnGenerar_ = false; // the accepted letter sent the focus to "&Generar"
};

} // namespace vexa
