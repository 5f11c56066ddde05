#include "DespachoMenu.h"

#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "EjecutarProgramas.h"
#include "Entorno.h"
#include "EstadoGlobal.h"
#include "HerramientasConfiguracion.h"
#include "LBM_Common.h"
#include "Lbc_Asiento.h"
#include "Lectores.h"
#include "ProgresoVentana.h"
#include "ValidacionesCierre.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "VisorConsulta.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QFileInfo>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <algorithm>

namespace vexa {

using namespace plataforma;

QString tituloAplicacion()
{
    const QString t = QCoreApplication::applicationName();
    return t.isEmpty() ? NombreProducto : t;
}

// ---------------------------------------------------------------- services

ServiciosMenu::ServiciosMenu() = default;
ServiciosMenu::~ServiciosMenu() = default;

Lbc_Asiento& ServiciosMenu::asiento()
{
    if (!asiento_) asiento_ = std::make_unique<Lbc_Asiento>(empresa());
    return *asiento_;
}

QWidget* ServiciosMenu::ventanaAbierta(const QString& nombre) const
{
    return abiertas_.value(nombre.toUpper()).data();
}

namespace {
void fijarMiembros(QWidget* w, const OpcionesVentana& o)
{
    // Windows expose these as properties; setting one a window lacks is harmless.
    if (o.EsCargaInicial) w->setProperty("EsCargaInicial", true);
    if (o.Menu) w->setProperty("Menu", true);
    w->setProperty("Escompras", o.Escompras);
}

// The frame of a window newly placed in the area: as large as the window asks
// (its own size when it set one, never below what its layout needs), as far
// as the area allows.
void ajustarMarco(QMdiSubWindow* sub, QWidget* w, const QSize& pedido)
{
    sub->ensurePolished();
    const QSize marco = sub->sizeHint() - w->sizeHint();
    QSize quiere = w->sizeHint().expandedTo(w->minimumSizeHint());
    if (pedido.isValid()) quiere = quiere.expandedTo(pedido);
    quiere += marco.expandedTo(QSize(0, 0));
    if (QMdiArea* area = sub->mdiArea()) quiere = quiere.boundedTo(area->viewport()->size());
    sub->resize(quiere);
}

// Once the window is laid out: its lists show every column without scrolling
// sideways, the frame growing as far as the area allows.
void anchoParaColumnas(QMdiSubWindow* sub, QWidget* w)
{
    int falta = 0;
    for (QTableView* t : w->findChildren<QTableView*>()) {
        if (!t->isVisibleTo(w)) continue;
        const QHeaderView* h = t->horizontalHeader();
        int columnas = 0;
        for (int c = 0; c < h->count(); ++c) {
            if (h->isSectionHidden(c)) continue;
            // A stretched last column takes what is left: it needs its heading.
            columnas += c == h->count() - 1 && h->stretchLastSection() ? h->sectionSizeHint(c) : h->sectionSize(c);
        }
        const int necesita = columnas + 2 * t->frameWidth() + (t->verticalHeader()->isHidden() ? 0 : t->verticalHeader()->width()) +
                             (t->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff ? 0 : t->verticalScrollBar()->sizeHint().width());
        falta = std::max(falta, necesita - t->width());
    }
    if (falta <= 0) return;
    int ancho = sub->width() + falta;
    if (QMdiArea* area = sub->mdiArea()) ancho = std::min(ancho, area->viewport()->width());
    sub->resize(ancho, sub->height());
}

// A frame that goes past the area's right or bottom edge moves back inside it.
void dentroDelArea(QMdiSubWindow* sub)
{
    QMdiArea* area = sub->mdiArea();
    if (!area) return;
    const QSize a = area->viewport()->size();
    QPoint p = sub->pos();
    p.setX(std::max(0, std::min(p.x(), a.width() - sub->width())));
    p.setY(std::max(0, std::min(p.y(), a.height() - sub->height())));
    if (p != sub->pos()) sub->move(p);
}

void traerAlFrente(QWidget* w)
{
    QWidget* marco = w;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) {
        marco = sub;
        if (sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
    }
    if (marco->isMinimized()) marco->showNormal();
    marco->show();
    marco->raise();
    marco->activateWindow();
}
} // namespace

bool ServiciosMenu::mostrarVentana(const QString& nombre, bool modal, const OpcionesVentana& o, const QString& caption)
{
    QWidget* w = ventanaAbierta(nombre);
    if (w) {
        fijarMiembros(w, o);
    } else {
        w = contexto ? crearVentana(nombre, *contexto, o) : nullptr;
        if (!w) {
            dialogos().MsgBox(DespachoMenu::textoVentanaNoDisponible(caption), vbInformation, QStringLiteral("Aviso al operador"));
            return false;
        }
        if (w->objectName().isEmpty()) w->setObjectName(nombre);
        fijarMiembros(w, o);
        w->setAttribute(Qt::WA_DeleteOnClose);
        abiertas_.insert(nombre.toUpper(), w);
    }
    // The register window decides from its own member (set above, read back).
    if (o.EsCargaInicial) {
        const QVariant v = w->property("EsCargaInicial");
        modal = !(v.isValid() ? v.toBool() : true);
    }
    if (!modal) {
        if (areaMdi && !qobject_cast<QMdiSubWindow*>(w->parentWidget()) && !qobject_cast<QDialog*>(w)) {
            const QSize pedido = w->testAttribute(Qt::WA_Resized) ? w->size() : QSize();
            QMdiSubWindow* sub = areaMdi->addSubWindow(w);
            sub->setAttribute(Qt::WA_DeleteOnClose);
            ajustarMarco(sub, w, pedido);
            // A window that closes itself takes its frame with it (later: the
            // frame may be the one being destroyed).
            // Nothing here touches the area: it may itself be going away (at exit),
            // and a half-destroyed area must not be used as a QMdiArea.
            QObject::connect(w, &QObject::destroyed, sub, [marco = QPointer<QMdiSubWindow>(sub)] {
                QTimer::singleShot(0, [marco] {
                    if (marco) marco->close();
                });
            });
        }
        traerAlFrente(w);
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) {
            anchoParaColumnas(sub, w);
            dentroDelArea(sub);
        }
        return true;
    }
    // Modal: returns when the window closes.
    if (auto* d = qobject_cast<QDialog*>(w)) {
        d->exec();
        return true;
    }
    w->setWindowModality(Qt::ApplicationModal);
    QEventLoop bucle;
    QObject::connect(w, &QObject::destroyed, &bucle, &QEventLoop::quit);
    traerAlFrente(w);
    bucle.exec();
    return true;
}

ContextoEmpresa& ServiciosMenu::empresa()
{
    if (!contexto) throw ErrorVexa(91, QStringLiteral("No hay una empresa abierta."));
    return *contexto;
}

void ServiciosMenu::ejecutarReporte(const QString& r) { plataforma::mostrarAviso(EjecutarReporte(empresa().con(), r)); }
void ServiciosMenu::ejecutarFormulario(const QString& f) { plataforma::mostrarAviso(EjecutarFormulario(empresa().con(), f)); }
void ServiciosMenu::ejecutarPrograma(const QString& p, const QString& extra)
{
    qint64 tareaId = 0;
    plataforma::mostrarAviso(EjecutarPrograma(empresa().con(), p, extra, tareaId));
}
void ServiciosMenu::mensajeEstado(const QString& t, bool activo) { MensajeEstado(t, activo); }

std::optional<QString> ServiciosMenu::calendario(const QString& desde) { return Utilidades::Calendario(desde); }
void ServiciosMenu::calculadora() { ventanas::Calculadora(); }
void ServiciosMenu::jerarquiaCuentas() { mostrarJerarquiaCuentas(empresa().con()); }
void ServiciosMenu::depurarDatos() { mostrarDepuracionDatos(); }
void ServiciosMenu::acercaDe() { mostrarAcercaDe(contexto ? &contexto->configuracion() : nullptr); }

int ServiciosMenu::abrirDocumento(const QString& archivo)
{
    // Status numbers as the shell answers them: 2 file not found, 31 no
    // associated program, above 32 started.
    const QString ruta = buscarArchivoCarpeta(carpetaPrograma(), archivo);
    if (ruta.isEmpty()) return 2;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ruta)) ? 42 : 31;
}

void ServiciosMenu::mostrarConsulta(const QString& sql, const Params& p, const QString& titulo)
{
    VisorConsulta::Mostrar(empresa().con(), sql, p, titulo);
}

bool ServiciosMenu::validaEstadoPeriodoActual(QString& mensaje, bool* lCierre, bool* lNoCreado)
{
    QVariant cierre(false), noCreado(false);
    const bool ok = asiento().ValidaEstadoPeriodoActual(mensaje, lCierre ? &cierre : nullptr, nullptr,
                                                        lNoCreado ? &noCreado : nullptr);
    if (lCierre) *lCierre = cierre.toBool();
    if (lNoCreado) *lNoCreado = noCreado.toBool();
    return ok;
}

bool ServiciosMenu::ejercicioAnteriorCerrado()
{
    QString ejercicio = QStringLiteral("-1");
    return asiento().EjercicioAnteriorCerrado(ejercicio);
}

// The year-end pre-checks with their progress box; a finding is shown here.
// A database error goes to the central handler: "Reintentar" runs the checks
// again, any other answer refuses the command with the error's text as the
// finding (the handler has shown it already).
QString ServiciosMenu::validacionesCierre(const QString& periodo)
{
    ContextoEmpresa& ctx = empresa();
    ProgresoVentana progreso(areaMdi ? areaMdi->window() : nullptr, true, false);
    for (;;) {
        try {
            const QString mensaje = cierre::ValidacionesCierre(ctx, lectura::enteroInicial(periodo).o(0), progreso);
            if (!texto::recortar(mensaje).isEmpty()) dialogos().MsgBox(mensaje, vbExclamation, cierre::TituloAviso());
            return mensaje;
        } catch (const std::exception& e) {
            progreso.Cerrar();
            if (Utilidades::ManejaError(e, QStringLiteral("Validaciones de Cierre")) == vbRetry) continue;
            const QString texto = descripcionDeError(e);
            return texto::recortar(texto).isEmpty() ? QStringLiteral("Validaciones de Cierre") : texto;
        }
    }
}

// ---------------------------------------------------------------- dispatch

QString DespachoMenu::captionVisible(const ItemMenu& item)
{
    QString c = QString::fromUtf8(item.caption);
    const int p = c.indexOf(QLatin1String("**"));
    if (p >= 0) c = c.left(p);
    return texto::recortar(Utilidades::QuitaCaracteres(c, QStringLiteral("&")));
}

QString DespachoMenu::textoVentanaNoDisponible(const QString& caption)
{
    return QStringLiteral("La ventana \"%1\" todavía no está disponible en esta versión del sistema.").arg(caption);
}

bool DespachoMenu::ejecutar(const QString& nombreItem)
{
    const ItemMenu* i = itemMenu(nombreItem);
    return i ? ejecutar(*i) : false;
}

bool DespachoMenu::ejecutar(const ItemMenu& item)
{
    if (item.accion == Accion::Ninguna) return false;
    // A connection the server dropped is opened again before any command.
    if (s_.contexto && !ventanas::RevisarConexion(s_.empresa().con())) return false;

    if (item.chequeos & (ChequeoPeriodo | ChequeoPeriodoCierre))
        if (!chequeoPeriodo(item.chequeos & ChequeoPeriodoCierre)) return false;
    if ((item.chequeos & ChequeoFechasOperativas) && !chequeoFechasOperativas()) return false;
    if ((item.chequeos & ChequeoCierre) && !chequeoCierre()) return false;

    const QString arg = QString::fromUtf8(item.argumento);
    switch (item.accion) {
    case Accion::Ventana:
    case Accion::VentanaModal: {
        OpcionesVentana o;
        o.EsCargaInicial = item.miembro == Miembro::EsCargaInicial;
        o.Menu = item.miembro == Miembro::Menu;
        o.Escompras = item.miembro == Miembro::EscomprasSi;
        return s_.mostrarVentana(arg, item.accion == Accion::VentanaModal, o, captionVisible(item));
    }
    case Accion::Reporte:
        s_.ejecutarReporte(arg);
        return true;
    case Accion::Formulario:
        s_.ejecutarFormulario(arg);
        return true;
    case Accion::Programa:
        if (item.chequeos & AvisoConfiguracion) s_.mensajeEstado(QStringLiteral("Cargando tabla de configuración "), true);
        s_.ejecutarPrograma(arg, QString::fromUtf8(item.extra));
        if (item.chequeos & AvisoConfiguracion) s_.mensajeEstado(QStringLiteral("..."), false);
        return true;
    case Accion::Herramienta:
        herramienta(item);
        return true;
    case Accion::Ninguna:
        break;
    }
    return false;
}

bool DespachoMenu::chequeoPeriodo(bool conCierre)
{
    QString mensaje;
    bool lCierre = false;
    if (s_.validaEstadoPeriodoActual(mensaje, conCierre ? &lCierre : nullptr, nullptr)) return true;
    dialogos().MsgBox(mensaje, vbCritical | vbOKOnly, tituloAplicacion());
    return false;
}

bool DespachoMenu::chequeoFechasOperativas()
{
    const QString desde = texto::recortar(Utilidades::NuloATexto(s_.empresa().configuracion().ObtieneValor(QStringLiteral("FECHAOPERDESDE"))));
    if (!desde.isEmpty()) return true;
    dialogos().MsgBox(QStringLiteral("FALTA COMPLETAR LA CONFIGURACION FECHAS OPERATIVAS"), vbExclamation, QStringLiteral("Atención"));
    return false;
}

bool DespachoMenu::chequeoCierre()
{
    QString mensaje;
    bool lCierre = false, lNoCreado = false;
    if (!s_.validaEstadoPeriodoActual(mensaje, &lCierre, &lNoCreado) && (lCierre || lNoCreado)) {
        dialogos().MsgBox(mensaje, vbCritical, tituloAplicacion());
        return false;
    }
    if (!s_.ejercicioAnteriorCerrado()) {
        dialogos().MsgBox(QStringLiteral("No ha realizado el cierre del ejercicio anterior\rRealice esta operación y vuelva a intentarlo"),
                          vbCritical, tituloAplicacion());
        return false;
    }
    return texto::recortar(s_.validacionesCierre(s_.empresa().periodoActivo())).isEmpty();
}

void DespachoMenu::herramienta(const ItemMenu& item)
{
    const QString h = QString::fromLatin1(item.argumento);
    if (h == QLatin1String(herramienta::Calendario)) {
        // With a company open the calendar opens again on the date last
        // picked; before, it is only a calendar to look at.
        const auto f = s_.calendario(s_.contexto ? fechaCalendario_ : QString());
        if (f && s_.contexto) fechaCalendario_ = *f;
    }
    else if (h == QLatin1String(herramienta::Calculadora)) s_.calculadora();
    else if (h == QLatin1String(herramienta::JerarquiaCuentas)) s_.jerarquiaCuentas();
    else if (h == QLatin1String(herramienta::DepurarDatos)) s_.depurarDatos();
    else if (h == QLatin1String(herramienta::AcercaDe)) s_.acercaDe();
    else if (h == QLatin1String(herramienta::Ayuda)) ayuda();
    else if (h == QLatin1String(herramienta::PlanillaRegistraciones)) planillaRegistraciones();
    else if (h == QLatin1String(herramienta::OpcionDeshabilitada))
        dialogos().MsgBox(QStringLiteral("Opcion deshabilitada!"), vbOKOnly, tituloAplicacion());
    else if (s_.comandoVentanaPrincipal) s_.comandoVentanaPrincipal(h);
}

QString DespachoMenu::sqlPlanillaRegistraciones()
{
    return QStringLiteral("SELECT FECHA, MES_OPERATIVO, [NUMERO ASIENTO], CUENTA, TC, SUCURSAL, NUMERO, LETRA, "
                          "[DEBE-HABER], IMPORTE, SECUENCIA AS LINEA, PERIODO AS EJERCICIO, DETALLE AS CONCEPTO "
                          "FROM MV_ASIENTOS WHERE PERIODO = ? AND (COALESCE(TIPO_REG, '') = '' OR TIPO_REG = ?)");
}

Params DespachoMenu::parametrosPlanillaRegistraciones(const QString& periodo)
{
    return {texto::recortar(periodo).toInt(), Lbc_Asiento::TipoRegResumen()};
}

QString DespachoMenu::archivoAyuda() { return QStringLiteral("Manual.chm"); }

void DespachoMenu::planillaRegistraciones()
{
    ContextoEmpresa& ctx = s_.empresa();
    ctx.setPeriodoActivo(ctx.configuracion().ObtieneValor(QStringLiteral("PERIODO")));
    dialogos().MsgBox(QStringLiteral("Recuerde hacer clic sobre la columna por la cual desea ordenar la consulta, luego "
                                     "seleccione el tipo de ordenamiento."),
                      vbInformation, QStringLiteral("Aviso al operador"));
    s_.mostrarConsulta(sqlPlanillaRegistraciones(), parametrosPlanillaRegistraciones(ctx.periodoActivo()), QStringLiteral("Registraciones"));
}

void DespachoMenu::ayuda()
{
    if (s_.abrirDocumento(archivoAyuda()) == 31)
        dialogos().MsgBox(QStringLiteral("¡Para el archivo seleccionado no hay vínculo definido!"), vbInformation,
                          QStringLiteral("Falta vinculación de archivo"));
}

} // namespace vexa
