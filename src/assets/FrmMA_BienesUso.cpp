#include "FrmMA_BienesUso.h"

#include "AjustesPrograma.h"
#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "LBM_Common.h"
#include "Lectores.h"
#include "ListaConsulta.h"
#include "RegBienUso.h"
#include "GrabacionBienes.h"
#include "ReglasBienes.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;

namespace {

const QString kTitulo = QStringLiteral("Actualización de Bienes de Uso");
const QString kAviso = QStringLiteral("Aviso al Operador...");


QString recortar(const QString& s) { return texto::recortar(s); }
bool campoEs(const QString& campo, const char* nombre) { return texto::igual(campo, QString::fromLatin1(nombre)); }

} // namespace

void FrmMA_BienesUso::Form_Load()
{
    resize(sizeHint().expandedTo(QSize(820, 640)));
    if (const QScreen* s = screen()) move(s->geometry().center() - rect().center());
    setWindowTitle(recortar(kTitulo) + (EsCargaInicial ? QStringLiteral(" - Carga Inicial de Datos") : QStringLiteral(" - Kardex -")));
    AplicarEstiloFormulario(this);
    ventanas::PreparaFormulario(this);
    // Cleared first, then arranged: the initial load opens as it stands after
    // each accepted asset (Inicializa, then Datos_CargaInicial through
    // Prepara_Pantalla), with the new number, today's date and the new-asset
    // mode the set-up proposes. Cleared last, it would blank them again.
    Inicializa();
    Prepara_Pantalla(EsCargaInicial);
}

void FrmMA_BienesUso::Form_Unload(int& cancel)
{
    cancel = 0;
    if (!EjecutarPasos(QStringLiteral("Unload"), {[this] { hide(); }, [this] { deleteLater(); }})) return;
}

void FrmMA_BienesUso::habilita(const char* campo, bool activo) { buso(QString::fromLatin1(campo))->setEnabled(activo); }

void FrmMA_BienesUso::proponerCodigo()
{
    codigoPropuesto_ = ctx_.configuracion().NuevoCodigoBien();
    buso(QStringLiteral("CODIGO"))->setText(codigoPropuesto_);
    EsAlta = true;
    EsNovedad = false;
    EsBaja = false;
}

void FrmMA_BienesUso::Datos_CargaInicial()
{
    EjecutarPasos(QStringLiteral("Datos_CargaInicial"),
                  {[this] {
                       for (QLineEdit* t : txtbuso->cajas()) {
                           t->clear();
                           t->setEnabled(false);
                       }
                   },
                   [this] {
                       habilita("CODIGO", true);
                       buso(QStringLiteral("CODIGO"))->setReadOnly(true);
                   },
                   [this] {
                       habilita("CUENTA_CONTABLE", true);
                       habilita("FECHA_COMPRA", true);
                       buso(QStringLiteral("FECHA_COMPRA"))->setText(Utilidades::FechaATexto(plataforma::hoy()));
                   },
                   [this] {
                       for (const char* c : {"COSTO", "VIDA_UTIL", "UBICACION", "AFECTA", "PERIODO", "VALOR_RECUPERO"}) habilita(c, true);
                       buso(QStringLiteral("VALOR_RECUPERO"))->setText(QStringLiteral("0.00"));
                   },
                   [this] {
                       LBLvALORrESIDUAL->hide();
                       buso(QStringLiteral("VALOR_RESIDUAL"))->hide();
                   },
                   [this] { habilita("DESCRIPCION", true); },
                   [this] { proponerCodigo(); },
                   // The proposed number is a new asset: its identification is keyed first.
                   [this] {
                       habilita("SERIE", true);
                       buso(QStringLiteral("SERIE"))->setFocus();
                   },
                   [this] {
                       calculo(QStringLiteral("DEP_EJERCICIO"))->setEnabled(false);
                       calculo(QStringLiteral("DEP_ACUMULADA"))->setEnabled(true);
                   },
                   [this] {
                       if (!EsCargaInicial) return;
                       habilita("FECHA_BAJA", true);
                       habilita("MOTIVO", true);
                       calculo(QStringLiteral("COEFICIENTE"))->setEnabled(false);
                   },
                   [this] {
                       FrmCalculo->show();
                       lblDescPeriodo->setText(QStringLiteral("..."));
                   }},
                  {5}, &ctx_.con());
}

bool FrmMA_BienesUso::CargaFlexGrid()
{
    const QString cuenta = BienUso.CuentaContable.texto();
    const auto filas = bienes::BienesDeCuenta(ctx_.con(), cuenta);
    const int w = fontMetrics().horizontalAdvance(QLatin1Char('Z'));
    FG_Bienes->setColumnCount(5);
    FG_Bienes->setHorizontalHeaderLabels({QStringLiteral("Línea"), QStringLiteral("Código"), QStringLiteral("Cuenta"),
                                          QStringLiteral("Descripción"), QStringLiteral("Fecha")});
    const int anchos[] = {6, 8, 15, 50, 12};
    for (int c = 0; c < 5; ++c) FG_Bienes->setColumnWidth(c, anchos[c] * w);
    if (filas.empty()) return false;
    FG_Bienes->setUpdatesEnabled(false);
    FG_Bienes->setRowCount(int(filas.size()));
    int n = 0;
    for (const bienes::BienListado& b : filas) {
        const QString valores[] = {QString::number(n + 1), QString::number(b.codigo), b.cuenta, b.descripcionCuenta,
                                   Utilidades::FechaATexto(b.fechaCompra)};
        for (int c = 0; c < 5; ++c) FG_Bienes->setItem(n, c, new QTableWidgetItem(valores[c]));
        ++n;
    }
    FG_Bienes->setUpdatesEnabled(true);
    return true;
}

void FrmMA_BienesUso::Prepara_Pantalla(bool cargaInicial)
{
    if (cargaInicial) {
        FrmCalculo->show();
        SSTab1->setTabEnabled(1, true);
        SSTab1->setCurrentIndex(1);
        SSTab1->setTabEnabled(0, false);
        Datos_CargaInicial();
        frmBusoNovedades->setEnabled(true);
        return;
    }
    if (CargaFlexGrid()) {
        SSTab1->setTabEnabled(0, true);
        SSTab1->setCurrentIndex(0);
        SSTab1->setTabEnabled(1, false);
    } else {
        SSTab1->setTabEnabled(1, true);
        SSTab1->setCurrentIndex(1);
        SSTab1->setTabEnabled(0, false);
        Habilita_BienDeUso(true);
        Asignar_Registro(true);
    }
    FrmCalculo->hide();
}

void FrmMA_BienesUso::Habilita_BienDeUso(bool nuevo)
{
    const bool carga = EsCargaInicial;
    habilita("CODIGO", carga);
    for (const char* c : {"CUENTA_CONTABLE", "CUENTA_EJERCICIO", "CUENTA_ACUMULADA", "PORCENTAJE", "NOVEDAD_PORCENTAJE", "NOVEDAD_ID"})
        habilita(c, false);
    for (const char* c : {"COSTO", "VALOR_RESIDUAL", "PERIODO"}) habilita(c, carga && nuevo);
    habilita("FECHA_REVALUACION", false);
    habilita("IMPORTE", false);
    if (!carga) {
        habilita("PERIODO_REVALUACION", false);
        LblMensajeDepreciable->hide();
    }
    for (const char* c : {"VIDA_UTIL", "UBICACION", "DESCRIPCION", "AFECTA"}) habilita(c, nuevo);
    habilita("FECHA_BAJA", !nuevo);
    habilita("MOTIVO", !nuevo);
    habilita("NOVEDAD_FECHA", carga);
    habilita("NOVEDAD_IMPORTE", carga);
    habilita("NOVEDAD_DETALLE", carga || !nuevo);
    if (carga) habilita("NOVEDAD_VIDA_UTIL", true);
    habilita("FECHA_COMPRA", carga && nuevo);
    if (carga) buso(QStringLiteral("FECHA_COMPRA"))->clear();
    habilita("VALOR_RECUPERO", nuevo);
    habilita("SERIE", nuevo);
    if (carga) {
        FrmBusoDatosCompra->setEnabled(EsNovedad || nuevo);
        frmBusoNovedades->setVisible(EsNovedad || !EsAlta);
    } else {
        frmBusoNovedades->hide();
        LblMensajeNovedad->hide();
        FrmCalculo->hide();
    }
}

// ---- field checks ----

void FrmMA_BienesUso::Campo_Valida(ArregloCajas& arreglo, int indice)
{
    QLineEdit* caja = arreglo[indice];
    if (!caja) return;
    const QString valor = recortar(caja->text());
    const QString campo = recortar(ArregloCajas::dataField(caja));
    if (!ValidandoTodo) SinPlanilla = false;
    HayError = false;
    mensaje_.clear();
    try {
        if (texto::igual(arreglo.nombre(), QStringLiteral("txtbuso"))) {
            if (ActualizaPlanilla()) aplicaRegla(*txtbuso, valor, campo);
        } else if (!FrmCalculo->isHidden()) {
            aplicaRegla(*txtCalculo, valor, campo);
        }
    } catch (const ErrorVexa& e) {
        // A rule that could not be checked refuses the field.
        Utilidades::escribirLog(e.numero(), e.descripcion(), QStringLiteral("Campo_Valida"));
        rechaza(e.descripcion());
    } catch (const std::exception& e) {
        Utilidades::escribirLog(-1, QString::fromLocal8Bit(e.what()), QStringLiteral("Campo_Valida"));
        rechaza(QString::fromLocal8Bit(e.what()));
    }
    if (HayError) {
        dialogos().MsgBox(mensaje_, vbCritical, kAviso);
        // The refused box takes the focus; the depreciation accounts are not
        // typed but filled from the asset account, which takes it for them.
        QLineEdit* corregir = arreglo[indice];
        if (corregir && !corregir->isEnabled() && &arreglo == txtbuso &&
            (campoEs(campo, "CUENTA_EJERCICIO") || campoEs(campo, "CUENTA_ACUMULADA")))
            corregir = buso(QStringLiteral("CUENTA_CONTABLE"));
        if (corregir) corregir->setFocus();
    }
}

bool FrmMA_BienesUso::ActualizaPlanilla()
{
    QDate desde, hasta;
    ctx_.configuracion().FechasEjercicio(int(ctx_.periodo()), desde, hasta);
    bool ok = true;
    if (EsAlta) {
        const bool activo = lectura::entero(buso(QStringLiteral("PERIODO"))->text()).o(0) == ctx_.periodo();
        if (activo) FrmCalculo->hide();
        const bool noDepreciable = lectura::decimal(buso(QStringLiteral("VIDA_UTIL"))->text()).o(0.0) == 0;
        if (EsCargaInicial) FrmCalculo->setVisible(!activo && !noDepreciable);
        habilita("VALOR_RECUPERO", !noDepreciable);
        if (noDepreciable) buso(QStringLiteral("VALOR_RECUPERO"))->setText(QStringLiteral("0.00"));
        const QDate compra = Utilidades::TextoAFecha(recortar(buso(QStringLiteral("FECHA_COMPRA"))->text()));
        if (compra.isValid() && hasta.isValid() && compra > hasta)
            ok = rechaza(QStringLiteral("La fecha ingresada es mayor al ejercicio activo! "));
    } else if (EsNovedad) {
        const QDate f = Utilidades::TextoAFecha(recortar(buso(QStringLiteral("NOVEDAD_FECHA"))->text()));
        if (f.isValid() && desde.isValid() && hasta.isValid()) {
            if (f < desde) {
                FrmCalculo->show();
            } else {
                FrmCalculo->hide();
                if (f > hasta) ok = rechaza(QStringLiteral("La fecha ingresada es mayor al ejercicio activo! "));
            }
        }
        if (ok) {
            const double vida = lectura::decimal(buso(QStringLiteral("NOVEDAD_VIDA_UTIL"))->text()).o(0.0);
            buso(QStringLiteral("NOVEDAD_PORCENTAJE"))->setText(bienes::PorcentajeDeVida(vida));
            if (vida <= 0) FrmCalculo->hide();
        }
    }
    SinPlanilla = FrmCalculo->isHidden();
    return ok;
}

void FrmMA_BienesUso::modoPorCodigo()
{
    const auto codigo = bienes::CodigoBien(buso(QStringLiteral("CODIGO"))->text());
    const bool existe = codigo && recortar(buso(QStringLiteral("CODIGO"))->text()) != codigoPropuesto_ &&
                        bienes::ExisteBien(ctx_.con(), *codigo);
    EsBaja = false;
    EsNovedad = existe;
    EsAlta = !existe;
    FrmCalculo->setEnabled(true);
    frmBusoNovedades->setEnabled(true);
}

bienes::EstadoFormulario FrmMA_BienesUso::estado()
{
    bienes::EstadoFormulario e = estadoBase([this](bienes::Arreglo a) { return a == bienes::Arreglo::Planilla ? txtCalculo : txtbuso; });
    e.alta = EsAlta;
    e.novedad = EsNovedad;
    e.baja = EsBaja;
    e.cargaInicial = EsCargaInicial;
    e.validandoTodo = ValidandoTodo;
    e.mejorasOcultas = frmBusoNovedades->isHidden();
    e.codigoPropuesto = codigoPropuesto_;
    return e;
}

void FrmMA_BienesUso::ponerModo(bienes::Modo m)
{
    switch (m) {
    case bienes::Modo::Ninguno: return;
    case bienes::Modo::PorCodigo: modoPorCodigo(); return;
    case bienes::Modo::Alta:
    case bienes::Modo::Existente:
    case bienes::Modo::Baja: break;
    }
    EsAlta = m == bienes::Modo::Alta;
    EsNovedad = m == bienes::Modo::Existente;
    EsBaja = m == bienes::Modo::Baja;
    if (!EsBaja) return;
    FrmCalculo->setEnabled(false);
    frmBusoNovedades->setEnabled(false);
}

bool FrmMA_BienesUso::aplicaRegla(ArregloCajas& arreglo, const QString& valor, const QString& campo)
{
    const auto a = &arreglo == txtbuso ? bienes::Arreglo::Bien : bienes::Arreglo::Planilla;
    const auto r = reglaDe(bienes::TablaBien(), a, arreglo, valor, campo, estado());
    if (!r) return true;
    if (r->proponerCodigo) proponerCodigo();
    if (!r->pasa()) return rechaza(r->mensaje);
    ponerModo(r->modo);
    if (r->codigo) CodigoValidado = true;
    if (r->cargar) {
        Habilita_BienDeUso(r->modo == bienes::Modo::Alta);
        if (r->modo == bienes::Modo::Existente) AsignarDatosBien();
    }
    if (r->descripcionPeriodo) lblDescPeriodo->setText(*r->descripcionPeriodo);
    if (r->depEjercicio) CalculaDepEjercicio();
    return r->planilla ? ActualizaPlanilla() : true;
}

void FrmMA_BienesUso::CalculaDepEjercicio()
{
    const qint64 meses = lectura::entero(calculo(QStringLiteral("PERIODO_CALCULO"))->text()).o(0);
    const Moneda base = EsAlta ? Utilidades::TextoAMoneda(buso(QStringLiteral("COSTO"))->text()) -
                                     Utilidades::TextoAMoneda(buso(QStringLiteral("VALOR_RECUPERO"))->text())
                               : Utilidades::TextoAMoneda(buso(QStringLiteral("NOVEDAD_IMPORTE"))->text());
    const double coef = lectura::decimal(calculo(QStringLiteral("COEFICIENTE"))->text()).o(0.0);
    const double p = EsAlta      ? lectura::decimal(buso(QStringLiteral("PORCENTAJE"))->text()).o(0.0)
                     : EsNovedad ? lectura::decimal(buso(QStringLiteral("NOVEDAD_PORCENTAJE"))->text()).o(0.0)
                                 : 0.0;
    calculo(QStringLiteral("DEP_EJERCICIO"))->setText(bienes::CalculaDepEjercicio(base, coef, p, meses).texto(2));
}

// ---- loading and lookups ----

void FrmMA_BienesUso::AsignarDatosBien()
{
    Conexion& con = ctx_.con();
    std::optional<Fila> f;
    auto caja = [this](const char* c) { return buso(QString::fromLatin1(c)); };
    EjecutarPasos(
        QStringLiteral("AsignarDatosBien"),
        {[&] {
             const auto codigo = bienes::CodigoBien(caja("CODIGO")->text());
             if (codigo) f = bienes::LeerBien(con, *codigo);
         },
         [&] {
             if (!f) {
                 // Not stored: the depreciation accounts of the typed asset account.
                 const auto deps = bienes::CuentasDeDepreciacion(con, caja("CUENTA_CONTABLE")->text());
                 caja("CUENTA_EJERCICIO")->setText(deps.ejercicio);
                 caja("CUENTA_ACUMULADA")->setText(deps.acumulada);
                 return;
             }
             auto textoDe = [&](const char* c) { return recortar(f->texto(QString::fromLatin1(c))); };
             auto fecha = [&](const char* c) { return Utilidades::FechaATexto(f->fecha(QString::fromLatin1(c))); };
             auto importe = [&](const char* c) {
                 return f->esNulo(QString::fromLatin1(c)) ? QString() : f->moneda(QString::fromLatin1(c)).texto(2);
             };
             auto numero = [&](const char* c) {
                 return f->esNulo(QString::fromLatin1(c)) ? QString() : QString::number(f->doble(QString::fromLatin1(c)), 'g', 15);
             };
             caja("CUENTA_CONTABLE")->setText(textoDe("CUENTA_CONTABLE"));
             caja("CUENTA_EJERCICIO")->setText(textoDe("CUENTA_EJERCICIO"));
             caja("CUENTA_ACUMULADA")->setText(textoDe("CUENTA_ACUMULADA"));
             caja("FECHA_COMPRA")->setText(fecha("FECHA_COMPRA"));
             caja("COSTO")->setText(importe("COSTO"));
             caja("VALOR_RESIDUAL")->setText(importe("VALOR_RESIDUAL"));
             caja("FECHA_REVALUACION")->setText(fecha("FECHA_REVALUACION"));
             caja("IMPORTE")->setText(importe("IMPORTE"));
             caja("VIDA_UTIL")->setText(numero("VIDA_UTIL"));
             caja("PORCENTAJE")->setText(textoDe("PORCENTAJE"));
             caja("UBICACION")->setText(textoDe("UBICACION"));
             caja("AFECTA")->setText(textoDe("AFECTA"));
             caja("DESCRIPCION")->setText(textoDe("DESCRIPCION"));
             caja("VALOR_RECUPERO")->setText(importe("VALOR_RECUPERO"));
             caja("SERIE")->setText(textoDe("SERIE"));
             caja("PERIODO")->setText(numero("PERIODO"));
         },
         [&] {
             if (f && EsCargaInicial)
                 caja("NOVEDAD_ID")->setText(recortar(ctx_.configuracion().IdMejoraBien(recortar(caja("CODIGO")->text()))));
         },
         [&] {
             if (f) CmdBusoAceptar->setEnabled(true);
         }},
        {}, &con);
}

// ---- reset, commands and acceptance ----

void FrmMA_BienesUso::Inicializa()
{
    EsAlta = false;
    EsNovedad = false;
    EsBaja = false;
    ValidandoTodo = false;
    QLineEdit* codigo = buso(QStringLiteral("CODIGO"));
    codigo->setEnabled(EsCargaInicial);
    codigo->setReadOnly(true);
    if (!EsCargaInicial) return;
    txtCalculo->LimpiaCampos();
    txtbuso->LimpiaCampos();
    buso(QStringLiteral("VALOR_RECUPERO"))->setText(QStringLiteral("0.00"));
    buso(QStringLiteral("COSTO"))->setText(QStringLiteral("0.00"));
    habilita("COSTO", true);
    buso(QStringLiteral("IMPORTE"))->setText(QStringLiteral("0.00"));
    for (const char* c : {"COSTO_INICIO", "DEP_EJERCICIO", "DEP_ACUMULADA"}) calculo(QString::fromLatin1(c))->setText(QStringLiteral("0.00"));
    calculo(QStringLiteral("COEFICIENTE"))->setText(QStringLiteral("1"));
    FrmCalculo->hide();
}

bool FrmMA_BienesUso::DatosValidos()
{
    ValidandoTodo = true;
    HayError = false;
    auto recorre = [this](ArregloCajas& a, bool soloVisibles) {
        for (int i = 0; i < a.cantidad(); ++i) {
            if (soloVisibles && !a[i]->isVisibleTo(this)) continue;
            Campo_Valida(a, i);
            if (HayError) return false;
        }
        return true;
    };
    if (EsAlta) {
        // The sheet, when shown, is stored too: it is checked after the asset.
        if (recorre(*txtbuso, false) && FrmCalculo->isVisibleTo(this)) recorre(*txtCalculo, true);
    } else if (!buso(QStringLiteral("FECHA_BAJA"))->text().isEmpty()) {
        // A retirement needs its reason as well as its date.
        Campo_Valida(*txtbuso, txtbuso->IndiceCampo(QStringLiteral("FECHA_BAJA")));
        if (!HayError) Campo_Valida(*txtbuso, txtbuso->IndiceCampo(QStringLiteral("MOTIVO")));
    } else {
        if (recorre(*txtCalculo, false)) recorre(*txtbuso, true);
    }
    return !HayError;
}

bool FrmMA_BienesUso::PermiteCalcularDep(int anios, qint64 codigoBien)
{
    // Without a closed year both stay 0.
    qint64 ultimoCerrado = 0, periodoCompra = 0;
    try {
        const auto f = ctx_.con().PrimeraFila(
            QStringLiteral("SELECT (SELECT PERIODO FROM MV_EJERCICIOS WHERE CERRADO = 1 "
                           "ORDER BY [FECHA HASTA] DESC, PERIODO DESC LIMIT 1) AS CERRADO, "
                           "(SELECT PERIODO FROM MA_BIENES WHERE CODIGO = ?) AS COMPRA"),
            {codigoBien});
        if (f && !f->esNulo(QStringLiteral("CERRADO"))) {
            ultimoCerrado = f->entero(QStringLiteral("CERRADO"));
            periodoCompra = f->esNulo(QStringLiteral("COMPRA")) ? lectura::entero(buso(QStringLiteral("PERIODO"))->text()).o(0)
                                                                : f->entero(QStringLiteral("COMPRA"));
        }
    } catch (const std::exception& e) {
        Utilidades::ManejaError(e, QStringLiteral("PermiteCalcularDep"));
        return false;
    }
    return ultimoCerrado - periodoCompra - 1 <= anios;
}

void FrmMA_BienesUso::muestraDatos()
{
    SSTab1->setTabEnabled(1, true);
    SSTab1->setCurrentIndex(1);
    SSTab1->setTabEnabled(0, false);
}

void FrmMA_BienesUso::muestraLista()
{
    SSTab1->setTabEnabled(0, true);
    SSTab1->setCurrentIndex(0);
    SSTab1->setTabEnabled(1, false);
}

void FrmMA_BienesUso::CmdAlta_Click()
{
    BienUso.Codigo = ctx_.configuracion().NuevoCodigoBien();
    codigoPropuesto_ = BienUso.Codigo.texto();
    muestraDatos();
    EsAlta = true;
    EsNovedad = false;
    Habilita_BienDeUso(true);
    Asignar_Registro(true);
    buso(QStringLiteral("SERIE"))->setFocus();
}

void FrmMA_BienesUso::CmdModificar_Click()
{
    const int fila = FG_Bienes->currentRow();
    const QTableWidgetItem* item = fila >= 0 ? FG_Bienes->item(fila, 1) : nullptr;
    const qint64 valor = item ? lectura::entero(item->text()).o(0) : 0;
    if (valor == 0) {
        dialogos().MsgBox(QStringLiteral("Debe seleccionar el Bien de Uso a Modificar"), vbExclamation, QStringLiteral("Error de Carga!"));
        return;
    }
    EsNovedad = true;
    EsAlta = false;
    muestraDatos();
    Habilita_BienDeUso(false);
    const QString codigo = QString::number(valor);
    buso(QStringLiteral("CODIGO"))->setText(codigo);
    BienUso.Codigo = codigo;
    Asignar_Registro(false);
    buso(QStringLiteral("CODIGO"))->setText(codigo);
    AsignarDatosBien();
    FrmCalculo->hide();
    resize(width(), sizeHint().height()); // keeps the width: only the hidden frames go
}

void FrmMA_BienesUso::CmdBusoCancelar_Click()
{
    if (!EsCargaInicial) {
        muestraLista();
        FG_Bienes->setFocus();
        resize(width(), sizeHint().height()); // keeps the width: only the hidden frames go
        return;
    }
    if (CodigoValidado && dialogos().MsgBox(QStringLiteral("¿Está seguro de abandonar la carga de datos?"),
                                            vbYesNo | vbExclamation | vbDefaultButton2, QStringLiteral("Atención!!!")) != vbYes)
        return;
    int cancel = 0;
    Form_Unload(cancel);
}

void FrmMA_BienesUso::CmdCancelar_Click()
{
    int cancel = 0;
    Form_Unload(cancel);
}

} // namespace vexa
