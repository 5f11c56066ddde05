#include "VentanaBien.h"

#include "Configuracion.h"
#include "ContextoEmpresa.h"
#include "Entorno.h"
#include "ListaConsulta.h"
#include "Utilidades.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace vexa {

VentanaBien::VentanaBien(ContextoEmpresa& ctx, QWidget* parent)
    : QWidget(parent), ctx_(ctx), consultas_(ctx.con(), ctx.configuracion()), campos_(this, ctx.soloMayusculas)
{
    txtbuso = new ArregloCajas(QStringLiteral("txtbuso"), this);
    txtCalculo = new ArregloCajas(QStringLiteral("txtCalculo"), this);
}

VentanaBien::~VentanaBien() = default;

std::array<QGridLayout*, 5> VentanaBien::construirMarcos(QWidget* padre)
{
    auto marco = [&](QGroupBox*& g, const char* nombre, const QString& caption) {
        g = new QGroupBox(caption, padre);
        g->setObjectName(QString::fromLatin1(nombre));
        return new QGridLayout(g);
    };
    return {marco(frmBusoCabecera, "frmBusoCabecera", QString()), marco(FrmBusoDatosCompra, "FrmBusoDatosCompra", QString()),
            marco(FrmBusoDatosAdic, "FrmBusoDatosAdic", QString()),
            marco(frmBusoNovedades, "frmBusoNovedades", QStringLiteral("Mejoras sobre el Bien de Uso")),
            marco(FrmCalculo, "FrmCalculo", QStringLiteral("Planilla de Cálculo: Depreciación Bienes de Uso"))};
}

std::vector<QLabel*> VentanaBien::ponerCajas(ArregloCajas& a, std::span<const DefCaja> defs, std::span<QGroupBox* const> marcos,
                                             std::span<QGridLayout* const> lugares, std::span<const int> columnas)
{
    std::vector<int> filas(marcos.size(), 0);
    std::vector<QLabel*> etiquetas;
    for (const DefCaja& d : defs) {
        QLineEdit* t = a.agregar(marcos[size_t(d.marco)], {QString::fromLatin1(d.campo), QString::fromLatin1(d.tag), d.largo, d.derecha});
        if (d.filtro) t->setProperty(ControlesFormulario::propiedadFiltro(), QString::fromLatin1(d.filtro));
        if (!d.caption) {
            t->hide();
            etiquetas.push_back(nullptr);
            continue;
        }
        const int n = filas[size_t(d.marco)]++, c = columnas[size_t(d.marco)];
        auto* e = new QLabel(QString::fromUtf8(d.caption), marcos[size_t(d.marco)]);
        e->setBuddy(t);
        lugares[size_t(d.marco)]->addWidget(e, n / c, (n % c) * 2);
        lugares[size_t(d.marco)]->addWidget(t, n / c, (n % c) * 2 + 1);
        etiquetas.push_back(e);
    }
    return etiquetas;
}

void VentanaBien::registrarConsultas(const QString& sqlCuentas, const QString& selectBienes)
{
    auto elegido = [](const QString& t) { return texto::recortar(t).isEmpty() ? std::nullopt : std::optional<QString>(texto::recortar(t)); };
    campos_.consulta(QStringLiteral("MA_CUENTAS"), [this, sqlCuentas, elegido](QLineEdit*) {
        return elegido(plataforma::listaConsulta().Elegir(ctx_.con(), QStringLiteral("Cuentas de Bienes de Uso"), QStringLiteral("CODIGO"),
                                                          sqlCuentas));
    });
    // The assets not retired, of the typed asset account when there is one.
    campos_.consulta(QStringLiteral("MA_BIENES"), [this, selectBienes, elegido](QLineEdit*) {
        const QString cuenta = texto::recortar(buso(QStringLiteral("CUENTA_CONTABLE"))->text());
        QString sql = selectBienes + QStringLiteral(" WHERE ");
        Params p;
        if (!cuenta.isEmpty()) {
            sql += QStringLiteral("CUENTA_CONTABLE = ? AND ");
            p << cuenta;
        }
        sql += QStringLiteral("FECHA_BAJA IS NULL ORDER BY CODIGO");
        return elegido(plataforma::listaConsulta().Elegir(ctx_.con(), QStringLiteral("Bienes de Uso"), QStringLiteral("CODIGO"), sql, p));
    });
    // The picker opens on the box's date; closed without one it leaves the box as it is.
    campos_.consulta(QStringLiteral("FECHA"), [](QLineEdit* caja) { return Utilidades::Calendario(caja->text()); });
}

bool VentanaBien::rechaza(const QString& mensaje)
{
    marcarError();
    mensaje_ = mensaje;
    return false;
}

namespace {
// The sheet's boxes: the register's data field, the change window's, caption, lookup, max, filter.
struct CajaHoja {
    const char* registro;
    const char* cambio;
    const char* caption;
    const char* tag;
    int largo;
    const char* filtro;
};
const CajaHoja kHoja[] = {
    {"PERIODO_CALCULO", "PERIODO_DE_CALCULO", "Cantidad de Meses ", "", 0, "NUMERO"},
    {"COSTO_INICIO", "COSTO", "Costo Incio Ejercicio:", "", 0, "NUMERO"},
    {"COEFICIENTE", "COEFICIENTE", "Coeficiente", "", 0, "NUMERO"},
    {"DEP_EJERCICIO", "DEP_EJERCICIO", "Depreciación Ejercicio:", "", 0, "NUMERO"},
    {"dep_acumulada", "dep_acumulada", "Depreciación Acumulada:", "", 0, "NUMERO"},
    {"FECHA_CIERRE", "FECHA_CIERRE", "Fecha Cierre (Ult.Ejerc)", "FECHA", 10, "FECHA"},
};
} // namespace

std::vector<VentanaBien::DefCaja> VentanaBien::cajasPlanilla(bool cambio)
{
    // Each window's order: months, then cost and coefficient as it reads them,
    // the closing date and the two depreciations.
    const int registro[] = {0, 1, 2, 3, 4, 5}, modificacion[] = {0, 2, 1, 5, 3, 4};
    std::vector<DefCaja> r;
    for (int i : cambio ? std::span<const int>(modificacion) : std::span<const int>(registro)) {
        const CajaHoja& h = kHoja[i];
        const bool numero = QLatin1String(h.filtro) == QLatin1String("NUMERO");
        r.push_back({cambio ? h.cambio : h.registro, h.tag, h.largo, 0, h.caption, h.filtro, !cambio || numero});
    }
    return r;
}

std::function<bool(int)> VentanaBien::valida(ArregloCajas& a)
{
    return [this, &a](int i) { return validaCaja(a, i); };
}

void VentanaBien::atenderCajas(std::function<void(int)> alEntrarBien, QStringList sinSeleccionBien)
{
    campos_.atender(
        *txtbuso, valida(*txtbuso), [this] { ConsultarCampo(); },
        [this, alEntrarBien](int i) {
            IndiceBuso = i;
            IndiceCalculo = -2;
            if (alEntrarBien) alEntrarBien(i);
        },
        std::move(sinSeleccionBien));
    campos_.atender(*txtCalculo, valida(*txtCalculo), nullptr, [this](int i) {
        IndiceCalculo = i;
        IndiceBuso = -2;
    });
}

void VentanaBien::ConsultarCampo()
{
    if (IndiceBuso >= 0) campos_.Consultar(*txtbuso, IndiceBuso);
}

bienes::EstadoFormulario VentanaBien::estadoBase(std::function<ArregloCajas*(bienes::Arreglo)> arreglo)
{
    bienes::EstadoFormulario e;
    e.consultas = &consultas_;
    e.texto = [arreglo](bienes::Arreglo a, const QString& c) { return texto::recortar(arreglo(a)->campo(c)->text()); };
    e.hoy = plataforma::hoy();
    ctx_.configuracion().FechasEjercicio(int(ctx_.periodo()), e.desdeEjercicio, e.hastaEjercicio);
    return e;
}

std::optional<bienes::Resultado> VentanaBien::reglaDe(std::span<const bienes::ReglaCampo> tabla, bienes::Arreglo a, ArregloCajas& arreglo,
                                                      const QString& valor, const QString& campo, const bienes::EstadoFormulario& e)
{
    const bienes::ReglaCampo* regla = bienes::BuscaRegla(tabla, a, campo);
    if (!regla) return std::nullopt;
    bienes::Resultado r = bienes::Aplica(*regla, valor, e);
    for (const auto& [c, t] : r.cajas) arreglo.campo(c)->setText(t);
    if (r.marcosBien) {
        FrmBusoDatosCompra->setEnabled(*r.marcosBien);
        FrmBusoDatosAdic->setEnabled(*r.marcosBien);
    }
    mensaje_ = r.mensaje;
    return r;
}

} // namespace vexa
