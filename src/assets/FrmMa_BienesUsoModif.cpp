#include "FrmMa_BienesUsoModif.h"

#include "AjustesPrograma.h"
#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "GrabacionBienes.h"
#include "LBM_Common.h"
#include "Lectores.h"
#include "ListaConsulta.h"
#include "ReglasBienes.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "lbm_Seguridad.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vexa {

using namespace plataforma;

namespace {

const QString kTitulo = QStringLiteral("Consulta/Modificación de Bienes de Uso");
const QString kAviso = QStringLiteral("Aviso al Operador...");

// The boxes by index: data field, lookup, max, frame (txtbuso: 0 header, 1
// purchase, 2 additional), caption, filter, right-aligned (the numbers).
using Def = VentanaBien::DefCaja;
const Def kBuso[] = {
    {"CODIGO", "ma_bienes", 0, 0, "Nº Control Interno", "NUMERO", true},
    {"Novedad_iD", "", 0, 0, "Nº Id. Mejoras", "NUMERO", true},
    {"serie", "", 20, 0, "Identificación", nullptr, false},
    {"Cuenta_Contable", "ma_cuentas", 0, 0, "Cta. Bien de Uso", nullptr, false},
    {"Cuenta_Acumulada", "ma_cuentas", 0, 0, "Cta. Depreciación Acumulada", nullptr, false},
    {"Cuenta_Ejercicio", "ma_cuentas", 0, 0, "Cta. Depreciación Ejercicio", nullptr, false},
    {"Fecha_Compra", "fecha", 10, 1, "Fecha de Compra/ Revaluación", "FECHA", false},
    {"Costo", "", 0, 1, "Costo", "NUMERO", true},
    {"Periodo", "", 0, 1, "Ejercicio de Compra/ Revaluación Nº", "NUMERO", true},
    {"Fecha_revaluAcion", "fecha", 10, 1, nullptr, "FECHA", false},
    {"importe", "", 0, 1, nullptr, "NUMERO", true},
    {"Periodo_revaluacion", "", 0, 1, nullptr, "NUMERO", true},
    {"Valor_Residual", "", 0, 1, "Valor Residual", "NUMERO", true},
    {"porcentaje", "", 0, 1, "% Depreciación", "NUMERO", true},
    {"Valor_Recupero", "", 0, 1, "Valor de Recupero", "NUMERO", true},
    {"vida_util", "", 0, 1, "Vida Util (en Años)", "NUMERO", true},
    {"ubicacion", "", 250, 2, "Ubicación ", nullptr, false},
    {"afecta", "", 250, 2, "Afectado a", nullptr, false},
    {"descripcion", "", 250, 2, "Descripción ", nullptr, false},
    {"fecha_baja", "fecha", 10, 2, "Fecha de Baja", "FECHA", false},
    {"motivo", "", 250, 2, "Motivo", nullptr, false},
};
const Def kNov[] = {
    {"iD", "ma_bienes_novedades", 0, 0, "Nº Id. Mejoras", "NUMERO", true},
    {"Fecha", "fecha", 10, 0, "Fecha", "FECHA", false},
    {"costo", "", 0, 0, "Importe", "NUMERO", true},
    {"Descripcion", "", 250, 0, "Descripción", nullptr, false},
    {"Vida_Util", "", 0, 0, "Vida Util (en Años)", "NUMERO", true},
    {"porcentaje", "", 0, 0, "% Depreciación", "NUMERO", true},
};

QString recortar(const QString& s) { return texto::recortar(s); }
QString L(const char* s) { return QString::fromLatin1(s); }
QString importe2(Moneda m) { return m.texto(2); }
QVariant mon(Moneda m) { return QVariant::fromValue(m); }
double decimal(const QString& t) { return lectura::decimal(t).o(0.0); }
qint64 entero(const QString& t) { return lectura::entero(t).o(0); }

} // namespace

FrmMa_BienesUsoModif::FrmMa_BienesUsoModif(ContextoEmpresa& ctx, QWidget* parent) : VentanaBien(ctx, parent)
{
    construir();
    setWindowTitle(kTitulo);
    AplicarEstiloFormulario(this);
    ventanas::PreparaFormulario(this);
    Inicializa();
}

FrmMa_BienesUsoModif::~FrmMa_BienesUsoModif() = default;

void FrmMa_BienesUsoModif::construir()
{
    setObjectName(QStringLiteral("FrmMa_BienesUsoModif"));
    txtNov = new ArregloCajas(QStringLiteral("txtNov"), this);
    auto* raiz = new QGridLayout(this);
    const auto lugares = construirMarcos(this);
    QGroupBox* const mBuso[] = {frmBusoCabecera, FrmBusoDatosCompra, FrmBusoDatosAdic};
    const int una[] = {1, 1, 1}, dos[] = {2};
    ponerCajas(*txtbuso, kBuso, mBuso, std::span(lugares).first(3), una);
    ponerCajas(*txtNov, kNov, std::span(&frmBusoNovedades, 1), std::span(lugares).subspan(3, 1), dos);
    ponerCajas(*txtCalculo, cajasPlanilla(true), std::span(&FrmCalculo, 1), std::span(lugares).subspan(4, 1), dos);
    // The months' description beside the months, wide enough for any of them.
    QGridLayout* lCal = lugares[4];
    lblDescPeriodo = new QLabel(FrmCalculo);
    lblDescPeriodo->setObjectName(QStringLiteral("lblDescPeriodo"));
    lblDescPeriodo->setMinimumWidth(lblDescPeriodo->fontMetrics().horizontalAdvance(QStringLiteral("Trimestral  ")));
    QLineEdit* meses = calculo(QStringLiteral("PERIODO_DE_CALCULO"));
    lCal->removeWidget(meses);
    auto* lMeses = new QHBoxLayout;
    lMeses->addWidget(meses, 1);
    lMeses->addWidget(lblDescPeriodo);
    lCal->addLayout(lMeses, 0, 1);
    // Rows keep their height; a taller neighbour leaves the room below them.
    lugares[3]->setRowStretch(lugares[3]->rowCount(), 1);
    lCal->setRowStretch(lCal->rowCount(), 1);
    construirPilas(raiz);
    construirBotones(raiz);
    conectar();
}

// The notices stand in the improvement's and the sheet's place.
void FrmMa_BienesUsoModif::construirPilas(QGridLayout* raiz)
{
    auto pila = [&](QStackedWidget*& p, QGroupBox* frame, QLabel*& lbl, const char* nombre, const QString& aviso) {
        p = new QStackedWidget(this);
        lbl = new QLabel(aviso, p);
        lbl->setObjectName(L(nombre));
        lbl->setWordWrap(true);
        lbl->setAlignment(Qt::AlignCenter);
        QFont f = lbl->font();
        f.setBold(true);
        lbl->setFont(f);
        p->addWidget(frame);
        p->addWidget(lbl);
    };
    pila(pilaNov, frmBusoNovedades, lblNov, "lblNov",
         QStringLiteral("Estos campos se habilitarán cuando el N° Id. Mejoras sea mayor que 0"));
    pila(pilaCalculo, FrmCalculo, lblCalculo, "lblCalculo",
         QStringLiteral("No se ha hecho el calculo de depreciación de este Bien de Uso"));
    raiz->addWidget(frmBusoCabecera, 0, 0);
    raiz->addWidget(FrmBusoDatosAdic, 0, 1);
    raiz->addWidget(FrmBusoDatosCompra, 1, 0);
    raiz->addWidget(pilaNov, 1, 1);
    raiz->addWidget(pilaCalculo, 2, 0, 1, 2);
}

void FrmMa_BienesUsoModif::construirBotones(QGridLayout* raiz)
{
    auto boton = [&](QPushButton*& b, const char* nombre, const QString& caption) {
        b = new QPushButton(caption, this);
        b->setObjectName(L(nombre));
    };
    boton(CmdConsulta, "CmdConsulta", QStringLiteral("C&onsultar"));
    boton(CmdAceptar, "CmdAceptar", QStringLiteral("&Aceptar"));
    boton(CmdCancelar, "CmdCancelar", QStringLiteral("&Cancelar"));
    boton(CmdTerminar, "CmdTerminar", QStringLiteral("&Terminar"));
    auto* botones = new QHBoxLayout;
    botones->addWidget(CmdConsulta);
    botones->addStretch();
    botones->addWidget(CmdAceptar);
    botones->addWidget(CmdCancelar);
    botones->addWidget(CmdTerminar);
    raiz->addLayout(botones, 3, 0, 1, 2);
    CmdConsulta->hide();
}

// The improvement's description keeps the caret where the click put it; its
// boxes leave the asset box the lookup serves as it was.
void FrmMa_BienesUsoModif::conectar()
{
    atenderCajas([this](int i) { CmdConsulta->setVisible(!recortar(ArregloCajas::tag((*txtbuso)[i])).isEmpty()); }, {});
    campos_.atender(*txtNov, valida(*txtNov), nullptr, nullptr, {QStringLiteral("Descripcion")});
    registrarConsultas(QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_CUENTAS WHERE BIENES = 1 ORDER BY CODIGO"),
                       QStringLiteral("SELECT CODIGO,DESCRIPCION,SERIE AS IDENTIFICACION FROM MA_BIENES"));
    using F = FrmMa_BienesUsoModif;
    const std::pair<QPushButton*, void (F::*)()> botones[] = {{CmdConsulta, &F::ConsultarCampo}, {CmdAceptar, &F::CmdAceptar_Click},
                                                              {CmdCancelar, &F::CmdCancelar_Click}, {CmdTerminar, &F::CmdTerminar_Click}};
    for (const auto& [boton, accion] : botones) connect(boton, &QPushButton::clicked, this, [this, accion] { (this->*accion)(); });
}

bool FrmMa_BienesUsoModif::calculoVisible() const { return pilaCalculo->currentWidget() == FrmCalculo; }
bool FrmMa_BienesUsoModif::novedadesVisible() const { return pilaNov->currentWidget() == frmBusoNovedades; }
void FrmMa_BienesUsoModif::mostrarCalculo(bool visible) { pilaCalculo->setCurrentWidget(visible ? static_cast<QWidget*>(FrmCalculo) : lblCalculo); }

// ---- states ----

void FrmMa_BienesUsoModif::Inicializa()
{
    ModoModificacion = false;
    ValidandoTodo = false;
    CodigoValido = false;
    Cargado = false;
    carga_ = bienes::CargaModificacion();
    for (ArregloCajas* a : {txtbuso, txtNov, txtCalculo})
        for (QLineEdit* t : a->cajas()) {
            t->clear();
            t->setEnabled(true);
        }
    for (QGroupBox* g : {frmBusoCabecera, FrmBusoDatosCompra, FrmBusoDatosAdic, frmBusoNovedades, FrmCalculo}) g->setEnabled(true);
    pilaNov->setCurrentWidget(frmBusoNovedades);
    mostrarCalculo(true);
    lblDescPeriodo->clear();
    nov(L("iD"))->setEnabled(false);
    for (const char* c : {"Cuenta_Ejercicio", "Cuenta_Acumulada", "porcentaje", "Periodo"}) buso(L(c))->setEnabled(false);
    nov(L("porcentaje"))->setEnabled(false);
    for (const char* c : {"Costo", "Valor_Residual", "Valor_Recupero"}) buso(L(c))->setText(QStringLiteral("0.00"));
    nov(L("costo"))->setText(QStringLiteral("0.00"));
    for (const char* c : {"COSTO", "DEP_EJERCICIO", "dep_acumulada"}) calculo(L(c))->setText(QStringLiteral("0.00"));
    CmdAceptar->setEnabled(false);
}

void FrmMa_BienesUsoModif::Habilita_Marcos(bool esNovedad, std::optional<bool> sinPlanilla)
{
    buso(L("Valor_Residual"))->setEnabled(false);
    if (esNovedad) {
        pilaNov->setCurrentWidget(frmBusoNovedades);
        mostrarCalculo(true);
    } else {
        buso(L("fecha_baja"))->setEnabled(false);
        buso(L("motivo"))->setEnabled(false);
        pilaNov->setCurrentWidget(lblNov);
    }
    if (sinPlanilla) mostrarCalculo(!*sinPlanilla);
    calculo(L("DEP_EJERCICIO"))->setEnabled(false);
    calculo(L("COEFICIENTE"))->setEnabled(false);
}

// ---- load ----

void FrmMa_BienesUsoModif::llenar(ArregloCajas& a, int desde, int hasta, const Fila& f, const QString& tabla)
{
    const TablaCatalogo cat = ctx_.con().Catalogo(tabla);
    for (int i = desde; i <= hasta; ++i) {
        QLineEdit* t = a[i];
        const QString campo = recortar(ArregloCajas::dataField(t));
        if (!f.tiene(campo)) throw ErrorVexa(3265, QStringLiteral("No se encontró el campo ") + campo + QStringLiteral(" en la tabla ") + tabla);
        if (f.esNulo(campo)) {
            t->clear();
            continue;
        }
        const ColumnaCatalogo* c = cat.columna(campo);
        const auto tipo = c ? c->tipo : ColumnaCatalogo::Tipo::Otro;
        if (tipo == ColumnaCatalogo::Tipo::Moneda) t->setText(importe2(f.moneda(campo)));
        else if (tipo == ColumnaCatalogo::Tipo::Fecha || tipo == ColumnaCatalogo::Tipo::FechaHora) t->setText(Utilidades::FechaATexto(f.fecha(campo)));
        else if (tipo == ColumnaCatalogo::Tipo::Doble) t->setText(QString::number(f.doble(campo), 'g', 15));
        else if (tipo == ColumnaCatalogo::Tipo::Entero) t->setText(QString::number(f.entero(campo)));
        else t->setText(recortar(Utilidades::QuitaCaracteres(f.texto(campo), QString(QChar(0)), QString(QChar(255)))));
    }
}

void FrmMa_BienesUsoModif::residual()
{
    const Moneda r = Utilidades::TextoAMoneda(buso(L("Costo"))->text()) - Utilidades::TextoAMoneda(calculo(L("dep_acumulada"))->text());
    buso(L("Valor_Residual"))->setText(importe2(r));
}

void FrmMa_BienesUsoModif::bloquear()
{
    for (QGroupBox* g : {FrmBusoDatosCompra, FrmBusoDatosAdic, frmBusoNovedades, FrmCalculo}) g->setEnabled(false);
    for (const char* c : {"serie", "CODIGO", "Novedad_iD"}) buso(L(c))->setEnabled(false);
    Cargado = false;
    CmdAceptar->setEnabled(false);
}

void FrmMa_BienesUsoModif::Asignar_Datos()
{
    Conexion& con = ctx_.con();
    try {
        const auto codigo = bienes::CodigoBien(buso(L("CODIGO"))->text());
        const QString numero = recortar(buso(L("Novedad_iD"))->text());
        const qint64 id = numero.isEmpty() ? 0 : bienes::CodigoBien(numero).value_or(0);
        if (!codigo) return;
        EsNovedad = id > 0;
        Habilita_Marcos(EsNovedad);
        carga_ = bienes::CargarModificacion(con, *codigo, id, ctx_.periodo());
        const bienes::CargaModificacion& c = carga_;
        if (!c.bien) throw ErrorVexa(3021, QStringLiteral("No se encontró el Bien de Uso ") + QString::number(*codigo));
        if (EsNovedad && !c.novedad) throw ErrorVexa(3021, QStringLiteral("El codigo informado no existe"));
        llenar(*txtbuso, 2, txtbuso->cantidad() - 1, *c.bien, QStringLiteral("MA_BIENES"));
        const bool posteado = c.bien->entero(QStringLiteral("NRO_ASIENTO")) > 0;
        if (const Fila* f = c.calculo()) {
            Habilita_Marcos(EsNovedad, false);
            llenar(*txtCalculo, 0, txtCalculo->cantidad() - 1, *f, QStringLiteral("MV_CALCULO_BIENES"));
            const Moneda sheetRes = Utilidades::TextoAMoneda(calculo(L("COSTO"))->text()) -
                                    Utilidades::TextoAMoneda(calculo(L("dep_acumulada"))->text());
            buso(L("Valor_Residual"))->setText(importe2(sheetRes));
            // The row's recovery value when it has one, else the asset's.
            if (!f->esNulo(QStringLiteral("VALOR_RECUPERO")))
                buso(L("Valor_Recupero"))->setText(importe2(f->moneda(QStringLiteral("VALOR_RECUPERO"))));
            if (EsNovedad && f->entero(QStringLiteral("AST_NRO_ASIENTO")) > 0)
                for (const char* k : {"COSTO", "FECHA_CIERRE", "COEFICIENTE", "DEP_EJERCICIO", "dep_acumulada"}) calculo(L(k))->setEnabled(false);
            lblDescPeriodo->setText(bienes::DescripcionPeriodo(lectura::entero(calculo(L("PERIODO_DE_CALCULO"))->text()).o(0)));
        } else {
            Habilita_Marcos(EsNovedad, true);
        }
        // A retired asset is always told so, whatever else keeps it read-only.
        auto avisoBaja = [&c] {
            if (c.retirado) dialogos().MsgBox(QStringLiteral("Codigo dado de Baja!"), vbInformation, QStringLiteral("Atención!"));
        };
        if (c.controlada || c.delEjercicio) {
            bloquear();
            avisoBaja();
            return;
        }
        if (!EsNovedad) {
            if (posteado) for (const char* k : {"Costo", "Fecha_Compra"}) buso(L(k))->setEnabled(false);
        } else {
            if (posteado) for (const char* k : {"Costo", "Fecha_Compra"}) buso(L(k))->setEnabled(false);
            llenar(*txtNov, 0, txtNov->cantidad() - 1, *c.novedad, QStringLiteral("MA_BIENES_NOVEDADES"));
            if (c.novedad->entero(QStringLiteral("NRO_ASIENTO")) > 0)
                for (const char* k : {"costo", "Fecha"}) nov(L(k))->setEnabled(false);
        }
        residual();
        if (lectura::decimal(buso(L("vida_util"))->text()).o(0.0) == 0) Habilita_Marcos(EsNovedad, true);
        SinCalculo = !calculoVisible();
        if (c.retirado) {
            bloquear();
            avisoBaja();
            return;
        }
        buso(L("CODIGO"))->setEnabled(false);
        buso(L("Novedad_iD"))->setEnabled(false);
        Cargado = true;
        CmdAceptar->setEnabled(true);
    } catch (const std::exception& e) {
        // A load that could not finish shows why and leaves the window empty.
        const QString d = dynamic_cast<const ErrorVexa*>(&e) ? static_cast<const ErrorVexa&>(e).descripcion() : QString::fromLocal8Bit(e.what());
        dialogos().MsgBox(d, vbCritical, QString());
        Inicializa();
    }
}

// ---- field rules ----

void FrmMa_BienesUsoModif::CampoValida(ArregloCajas& arreglo, int indice)
{
    QLineEdit* caja = arreglo[indice];
    const QString valor = recortar(caja->text());
    const QString campo = recortar(ArregloCajas::dataField(caja));
    ErrorCampo = false;
    mensaje_.clear();
    try {
        if (&arreglo != txtCalculo || calculoVisible()) aplicaRegla(arreglo, valor, campo);
    } catch (const std::exception& e) {
        // A rule that could not be checked refuses the box, with its reason.
        const QString d = dynamic_cast<const ErrorVexa*>(&e) ? static_cast<const ErrorVexa&>(e).descripcion() : QString::fromLocal8Bit(e.what());
        ErrorCampo = true;
        dialogos().MsgBox(d, vbCritical, QStringLiteral("Aviso al operador!!!"));
        return;
    }
    if (ErrorCampo) {
        dialogos().MsgBox(mensaje_, vbCritical, kAviso);
        if (arreglo[indice]) arreglo[indice]->setFocus();
    }
}

bienes::EstadoFormulario FrmMa_BienesUsoModif::estado()
{
    bienes::EstadoFormulario e = estadoBase([this](bienes::Arreglo a) {
        return a == bienes::Arreglo::Bien ? txtbuso : a == bienes::Arreglo::Mejora ? txtNov : txtCalculo;
    });
    e.novedad = EsNovedad;
    e.validandoTodo = ValidandoTodo;
    e.cambio = true;
    e.modificacion = ModoModificacion;
    return e;
}

bool FrmMa_BienesUsoModif::aplicaRegla(ArregloCajas& arreglo, const QString& valor, const QString& campo)
{
    const auto a = &arreglo == txtbuso ? bienes::Arreglo::Bien : &arreglo == txtNov ? bienes::Arreglo::Mejora : bienes::Arreglo::Planilla;
    const auto r = reglaDe(bienes::TablaModificacion(), a, arreglo, valor, campo, estado());
    if (!r) return true;
    if (!r->pasa()) return rechaza(r->mensaje);
    if (r->codigo) CodigoValido = true;
    if (r->modo == bienes::Modo::Existente) ModoModificacion = true;
    if (r->modo == bienes::Modo::Baja) {
        ModoModificacion = false;
        FrmCalculo->setEnabled(false);
    }
    if (r->cargar) Asignar_Datos();
    if (r->descripcionPeriodo) lblDescPeriodo->setText(*r->descripcionPeriodo);
    if (r->residual) residual();
    return r->planilla ? reglaPlanilla() : true;
}

bool FrmMa_BienesUsoModif::reglaPlanilla()
{
    if (frmBusoNovedades->isEnabled() && novedadesVisible()) {
        QDate desde, hasta;
        ctx_.configuracion().FechasEjercicio(int(ctx_.periodo()), desde, hasta);
        const QDate f = Utilidades::TextoAFecha(recortar(nov(L("Fecha"))->text()));
        if (f.isValid() && desde.isValid() && hasta.isValid()) {
            if (f < desde) {
                mostrarCalculo(true);
            } else {
                mostrarCalculo(false);
                if (f > hasta) return rechaza(QStringLiteral("La fecha ingresada es mayor al ejercicio activo! "));
            }
        }
        const double vida = lectura::decimal(nov(L("Vida_Util"))->text()).o(0.0);
        if (vida > 0) {
            nov(L("porcentaje"))->setText(bienes::PorcentajeDeVida(vida));
        } else {
            nov(L("porcentaje"))->setText(QStringLiteral("0.00"));
            mostrarCalculo(false);
        }
    } else {
        SinCalculo = lectura::decimal(buso(L("vida_util"))->text()).o(0.0) == 0;
        mostrarCalculo(ctx_.periodo() != lectura::entero(buso(L("Periodo"))->text()).o(0) && !SinCalculo);
        buso(L("Valor_Recupero"))->setEnabled(!SinCalculo);
        if (SinCalculo) buso(L("Valor_Recupero"))->setText(QStringLiteral("0.00"));
    }
    SinCalculo = !calculoVisible();
    return true;
}

bool FrmMa_BienesUsoModif::DatosValidos()
{
    ErrorCampo = false;
    ValidandoTodo = true;
    auto recorrer = [this](ArregloCajas& a) {
        for (int i = 0; i < a.cantidad() && !ErrorCampo; ++i) {
            if (!a[i]->isEnabled() && &a == txtCalculo) continue;
            CampoValida(a, i);
        }
    };
    if (FrmBusoDatosCompra->isEnabled()) recorrer(*txtbuso);
    if (!ErrorCampo && frmBusoNovedades->isEnabled() && novedadesVisible()) recorrer(*txtNov);
    // The open sheet boxes are checked too, so that nothing unreadable is stored.
    if (!ErrorCampo && FrmCalculo->isEnabled() && calculoVisible() && !SinCalculo) recorrer(*txtCalculo);
    ValidandoTodo = false;
    return !ErrorCampo;
}

// ---- save ----

bool FrmMa_BienesUsoModif::ActualizarDatos()
{
    if (!Cargado) return false;
    auto b = [this](const char* c) { return buso(L(c))->text(); };
    auto n = [this](const char* c) { return nov(L(c))->text(); };
    auto k = [this](const char* c) { return calculo(L(c))->text(); };
    auto fecha = [](const QString& t) -> QVariant {
        const QDate d = Utilidades::TextoAFecha(recortar(t));
        if (!d.isValid()) throw ErrorVexa(13, QStringLiteral("La fecha ingresada no es válida: ") + recortar(t));
        return d;
    };
    bienes::GrabacionModificacion g;
    g.bien = {{L("SERIE"), recortar(b("serie"))},
              {L("CUENTA_CONTABLE"), recortar(b("Cuenta_Contable"))},
              {L("CUENTA_EJERCICIO"), recortar(b("Cuenta_Ejercicio"))},
              {L("CUENTA_ACUMULADA"), recortar(b("Cuenta_Acumulada"))},
              {L("FECHA_COMPRA"), fecha(b("Fecha_Compra"))},
              {L("COSTO"), mon(Utilidades::TextoAMoneda(b("Costo")))},
              {L("VIDA_UTIL"), decimal(b("vida_util"))},
              {L("PORCENTAJE"), bienes::PorcentajeTexto(decimal(b("porcentaje")))},
              {L("UBICACION"), recortar(b("ubicacion"))},
              {L("AFECTA"), recortar(b("afecta"))},
              {L("DESCRIPCION"), recortar(b("descripcion"))},
              {L("PERIODO"), entero(b("Periodo"))},
              {L("PERIODO_TIEMPO"), 0}};
    // An improvement's window shows its own row's recovery value: the asset's stays.
    if (!EsNovedad) g.bien.push_back({L("VALOR_RECUPERO"), mon(Utilidades::TextoAMoneda(b("Valor_Recupero")))});
    if (EsNovedad)
        g.novedad = {{L("FECHA"), fecha(n("Fecha"))},
                     {L("COSTO"), mon(Utilidades::TextoAMoneda(n("costo")))},
                     {L("DESCRIPCION"), recortar(n("Descripcion"))},
                     {L("VIDA_UTIL"), decimal(n("Vida_Util"))},
                     {L("PORCENTAJE"), decimal(n("porcentaje"))}};
    if (!SinCalculo && carga_.calculo()) {
        const Moneda costo = Utilidades::TextoAMoneda(k("COSTO"));
        const double meses = double(entero(k("PERIODO_DE_CALCULO")));
        const double anual = Utilidades::TextoAMoneda(EsNovedad ? n("porcentaje") : b("porcentaje")).aDoble();
        g.calculo = {{L("CUENTA"), recortar(b("Cuenta_Contable"))},
                     {L("PERIODO_DE_CALCULO"), entero(k("PERIODO_DE_CALCULO"))},
                     {L("CA_VC"), costo.aDoble() * decimal(k("COEFICIENTE"))},
                     {L("COSTO"), mon(costo)},
                     {L("COEFICIENTE"), decimal(k("COEFICIENTE"))},
                     {L("PORCENTAJE_DEP"), anual / 12.0 * meses},
                     {L("DEP_EJERCICIO"), mon(Utilidades::TextoAMoneda(k("DEP_EJERCICIO")))},
                     {L("DEP_ACUMULADA"), mon(Utilidades::TextoAMoneda(k("dep_acumulada")))}};
        if (!EsNovedad) g.calculo.push_back({L("VALOR_RECUPERO"), mon(Utilidades::TextoAMoneda(b("Valor_Recupero")))});
        const QDate cierre = Utilidades::TextoAFecha(recortar(k("FECHA_CIERRE")));
        if (cierre.isValid()) g.calculo.push_back({L("FECHA_CIERRE"), cierre});
    }
    bienes::GrabarModificacion(ctx_.con(), carga_, g);
    return true;
}

void FrmMa_BienesUsoModif::CmdAceptar_Click()
{
    if (!Cargado) return;
    if (!DatosValidos()) return;
    try {
        if (!ActualizarDatos()) return;
    } catch (const std::exception& e) {
        Utilidades::ManejaError(e, QStringLiteral("ActualizarDatos"));
        return;
    }
    Inicializa();
    buso(L("Cuenta_Contable"))->setFocus();
}

bool FrmMa_BienesUsoModif::preguntaAbandonar()
{
    return dialogos().MsgBox(QStringLiteral("¿Está seguro de abandonar la carga de datos?"), vbYesNo | vbExclamation | vbDefaultButton2,
                             QStringLiteral("ATENCIÓN!!!")) == vbYes;
}

void FrmMa_BienesUsoModif::CmdCancelar_Click()
{
    if (!CodigoValido || preguntaAbandonar()) Inicializa();
    buso(L("Cuenta_Contable"))->setFocus();
}

void FrmMa_BienesUsoModif::CmdTerminar_Click()
{
    if (CodigoValido && !preguntaAbandonar()) return;
    int cancel = 0;
    Form_Unload(cancel);
}

void FrmMa_BienesUsoModif::Form_Unload(int& cancel)
{
    cancel = 0;
    if (!egresoRegistrado_) {
        egresoRegistrado_ = true;
        try {
            RegistraEgreso(ctx_, *this);
        } catch (const std::exception& e) {
            const QString d = dynamic_cast<const ErrorVexa*>(&e) ? static_cast<const ErrorVexa&>(e).descripcion() : QString::fromLocal8Bit(e.what());
            dialogos().MsgBox(d, vbCritical, QStringLiteral("Aviso al operador"));
        }
    }
    hide();
    deleteLater();
}

void FrmMa_BienesUsoModif::closeEvent(QCloseEvent* e)
{
    int cancel = 0;
    Form_Unload(cancel);
    e->accept();
}

} // namespace vexa
