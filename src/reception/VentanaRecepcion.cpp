#include "VentanaRecepcion.h"

#include "AjustesPrograma.h"
#include "CamposFormulario.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "ControlesFormulario.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "LBM_Common.h"
#include "LectorInterfaz.h"
#include "ListaConsulta.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"
#include "lbm_Seguridad.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vexa::recepcion {

using plataforma::dialogos;

namespace {
const char* const kDataField = "DataField";
const char* const kTag = "Tag";
const QString kTituloAviso = QStringLiteral("Aviso al operador...");
} // namespace

template <class F> bool VentanaRecepcion::protegido(const QString& procedimiento, F&& orden)
{
    try {
        orden();
        return true;
    } catch (const std::exception& e) {
        ventanas::CursorEspera(false);
        Utilidades::ManejaError(e, procedimiento);
        return false;
    }
}

VentanaRecepcion::ProgresoRecepcion::ProgresoRecepcion(VentanaRecepcion& w)
    : ProgresoVentana(&w, w.definicion_.conCuadro, w.definicion_.conCuadro), w_(w)
{
}

bool VentanaRecepcion::ProgresoRecepcion::Actualizar(qint64 hecho, const QString& texto)
{
    w_.alLeerLinea(texto);
    w_.finEspera();
    const bool seguir = ProgresoVentana::Actualizar(hecho, texto);
    emit w_.lineaProcesada(++lineas_);
    return seguir;
}

VentanaRecepcion::VentanaRecepcion(ContextoEmpresa& ctx, const Definicion& definicion, QWidget* parent)
    : VentanaCorrida(parent), ctx_(ctx), definicion_(definicion), campos_(new CamposFormulario(this, ctx.soloMayusculas))
{
    setObjectName(definicion_.objeto);
    setWindowTitle(definicion_.titulo);

    UtilTeb1 = new UtilTeb(this);
    connect(UtilTeb1, &UtilTeb::ButtonClick, this, [this](const QString& clave) { UtilTeb1_ButtonClick(clave); });

    QWidget *tab0 = nullptr, *tab1 = nullptr;
    SSTab1 = PonerPestanas(this, tab0, tab1);

    auto* grid = new QGridLayout;
    const char* datos[] = {"Interface", "Archivo"};
    const char* etiquetas[] = {"Interface:", "Archivo de Origen:"};
    cajas_ = new ArregloCajas(QStringLiteral("TxtFields"), this);
    for (int i = 0; i < 2; ++i) {
        QLineEdit* t = cajas_->agregar(tab0, {QString::fromLatin1(datos[i]), QStringLiteral("MA_INTERFACES")});
        TxtFields[size_t(i)] = t;
        grid->addWidget(new QLabel(QString::fromLatin1(etiquetas[i]), tab0), i, 0);
        grid->addWidget(t, i, 1);
    }
    atenderCampos();
    CmdBuscar = new QPushButton(QStringLiteral("&Buscar"), tab0);
    CmdBuscar->setObjectName(QStringLiteral("CmdBuscar"));
    grid->addWidget(CmdBuscar, 1, 2);
    connect(CmdBuscar, &QPushButton::clicked, this, [this] { CmdBuscar_Click(); });

    Frame1 = new ListasRecepcion(definicion_.textos, tab0);
    LstGrabados = Frame1->LstGrabados;
    LstErrores = Frame1->LstErrores;
    CmdPrintGrabados = Frame1->CmdPrintGrabados;
    CmdPrintErrores = Frame1->CmdPrintErrores;

    auto* v0 = new QVBoxLayout(tab0);
    v0->addLayout(grid);
    v0->addWidget(Frame1, 1);

    LstV = PonerVistaPrevia(SSTab1, tab1, 1, [this] { VistaPrevia(ArchivoElegido); });

    auto* v = new QVBoxLayout(this);
    v->addWidget(UtilTeb1);
    v->addWidget(SSTab1, 1);
    resize(760, 520);

    bloquearEnCorrida({UtilTeb1, CmdBuscar}, {TxtFields[0], TxtFields[1]}, SSTab1, Frame1);
    alCerrar([this] { RegistraEgreso(ctx_, *this); });

    // Form_Load
    ventanas::PreparaFormulario(this);
    AplicarEstiloFormulario(this);
    Inicializa();
}

VentanaRecepcion::~VentanaRecepcion() = default;

void VentanaRecepcion::Inicializa()
{
    for (QLineEdit* t : TxtFields) t->clear();
    SSTab1->setCurrentIndex(0);
    SSTab1->setTabEnabled(1, false);
    TxtFields[1]->setEnabled(false);
    LstV->preparar();
    LimpiaResultados();
    for (const QString& k : UtilTeb::claves())
        UtilTeb1->setHabilitado(k, k == QLatin1String("GRABAR") || k == QLatin1String("CONSULTAR") ||
                                       k == QLatin1String("CERRAR"));
    TxtFields[0]->setFocus(Qt::OtherFocusReason); // the operator starts with the definition
}

void VentanaRecepcion::LimpiaResultados()
{
    TxtFields[1]->clear();
    SSTab1->setCurrentIndex(0);
    SSTab1->setTabEnabled(1, false);
    TxtFields[1]->setEnabled(false);
    Frame1->limpiar();
}

void VentanaRecepcion::Campo_Valida(int indice)
{
    QLineEdit* t = TxtFields[size_t(indice)];
    const QString valor = texto::recortar(t->text());
    const QString dato = t->property(kDataField).toString();
    if (texto::igual(dato, QStringLiteral("ARCHIVO"))) {
        ErrorCampo = !ValidarArchivo(t, SSTab1, 1, ArchivoElegido);
        return;
    }
    ErrorCampo = false;
    QString error;
    Conexion& con = ctx_.con();
    const bool hecho = protegido(QStringLiteral("Campo_Valida"), [&] {
        if (texto::igual(dato, QStringLiteral("INTERFACE"))) {
            if (valor.isEmpty()) {
                error = QStringLiteral("Debe Informar una Interfaz");
            } else if (!existeDefinicion(con, valor)) {
                TxtFields[1]->setEnabled(false);
                error = QStringLiteral("El nombre informado no es correcto");
            } else {
                if (!EnProceso) {
                    LimpiaResultados();
                    TxtFields[1]->setEnabled(true);
                    definicionValida(con, valor);
                }
                ArchivoElegido = TxtFields[1]->text();
            }
        }
    });
    if (!hecho) {
        ErrorCampo = true;
        return;
    }
    if (!error.isEmpty()) {
        ErrorCampo = true;
        dialogos().MsgBox(error, plataforma::vbInformation, kTituloAviso);
        t->setFocus();
    }
}

bool VentanaRecepcion::Datos_Validos()
{
    for (int i = 0; i < int(TxtFields.size()); ++i) {
        Campo_Valida(i);
        if (ErrorCampo) return false;
    }
    return true;
}

void VentanaRecepcion::MostrarLista()
{
    QLineEdit* t = TxtFields[size_t(CampoActual)];
    if (texto::recortar(t->property(kTag).toString()).isEmpty()) return;
    if (!texto::igual(t->property(kDataField).toString(), QStringLiteral("INTERFACE"))) return;
    QString elegido;
    if (!protegido(definicion_.procedimientoLista, [&] {
            elegido = plataforma::listaConsulta().Elegir(ctx_.con(), QStringLiteral("Interfaces"), QStringLiteral("NOMBRE"),
                                                         definicion_.consultaDefiniciones);
        }))
        return;
    t->setText(texto::recortar(elegido));
    Campo_Valida(CampoActual);
    if (!ErrorCampo) focusNextChild();
}

void VentanaRecepcion::CmdBuscar_Click()
{
    const QString titulo = QStringLiteral("Selección del Archivo de la interface de : ") + TxtFields[0]->text();
    ArchivoElegido = ElegirArchivo(TxtFields[1], titulo, CarpetaElegida, ctx_.con());
}

void VentanaRecepcion::VistaPrevia(const QString& archivo) { SSTab1->setTabEnabled(1, LstV->cargar(archivo)); }

void VentanaRecepcion::UtilTeb1_ButtonClick(const QString& clave)
{
    if (corriendo()) return;
    const QString k = clave.toUpper();
    if (k == QLatin1String("GRABAR")) {
        // A connection the server dropped is opened again before the run.
        if (!ventanas::RevisarConexion(ctx_.con())) return;
        Frame1->limpiar();
        EnProceso = true;
        protegido(QStringLiteral("Grabar"), [&] {
            if (Datos_Validos()) procesar(ArchivoElegido);
        });
        EnProceso = false;
        Frame1->habilitar();
    } else if (k == QLatin1String("CONSULTAR")) {
        MostrarLista();
    } else if (k == QLatin1String("CERRAR")) {
        close();
    }
}

void VentanaRecepcion::listarLote(const std::vector<LoteRecepcion::Resultado>& resultados)
{
    std::vector<ResultadosRecepcion::Fila> filas;
    filas.reserve(resultados.size());
    for (const auto& r : resultados) filas.push_back({r.numero, r.posicion, r.largo, r.mensaje});
    Frame1->agregar(filas);
}

void VentanaRecepcion::leerCon(std::shared_ptr<const LectorInterfaz> lector)
{
    Frame1->resultados().fijarTextoLinea(
        [lector](qint64 posicion, qint64 largo) { return lector->lineaEn(posicion, largo); });
}

void VentanaRecepcion::atenderCampos()
{
    CamposFormulario::Arreglo reglas;
    reglas.valida = [this](int i) {
        Campo_Valida(i);
        return !ErrorCampo;
    };
    reglas.consultar = [this](int i) {
        CampoActual = i;
        if (!corriendo()) MostrarLista();
    };
    reglas.alEntrar = [this](int i) { CampoActual = i; };
    reglas.seleccionar = false;
    // The file field holds a path, whose letter case matters on this system.
    reglas.sinMayusculas = {QStringLiteral("Archivo")};
    campos_->atender(*cajas_, std::move(reglas));
    cajas_->TeclaAbajo = [this, campo = cajas_->TeclaAbajo](int i, int& tecla, Qt::KeyboardModifiers mod) {
        // Where the window asks it, Tab leaves the definition's name as Enter
        // does: the name is checked and the focus goes on to the file field it
        // enables, so what is typed next lands there (the file field is still
        // disabled while the name is unchecked, and Tab alone would pass it by).
        const bool tab = definicion_.tabValida && tecla == Qt::Key_Tab && i == 0 &&
                         !(mod & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
        if (corriendo()) {
            tecla = 0;
        } else if (tecla == Qt::Key_Escape) {
            Inicializa();
            tecla = 0;
        } else if (tab) {
            campos_->Enter(*cajas_, i);
            tecla = 0;
        } else {
            campo(i, tecla, mod);
        }
    };
    // Nothing is typed while a run goes on.
    cajas_->TeclaPresionada = [this, tipeo = cajas_->TeclaPresionada](int i, int& codigo) {
        if (corriendo()) codigo = 0;
        else tipeo(i, codigo);
    };
}

} // namespace vexa::recepcion
