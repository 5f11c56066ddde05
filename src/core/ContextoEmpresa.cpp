#include "ContextoEmpresa.h"

#include "Lectores.h"
#include "Utilidades.h"

#include <cmath>
#include <limits>

namespace vexa {

namespace {
// 16-bit arithmetic of the code structure: a value out of range is an overflow.
qint16 aEntero16(double v)
{
    const double r = std::nearbyint(v);
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max())
        throw ErrorVexa(6, QStringLiteral("Desbordamiento"));
    return qint16(r);
}
} // namespace

qint64 ContextoEmpresa::periodo() const { return lectura::enteroInicial(periodo_).o(0); }

void ContextoEmpresa::setPeriodoActivo(const QString& periodo) { periodo_ = texto::recortar(periodo); }

ContextoEmpresa::Corrida::Corrida(ContextoEmpresa& ctx) : ctx_(ctx)
{
    if (ctx_.corrida_) throw ErrorVexa(0, MensajeCorridaEnCurso());
    ctx_.corrida_ = true;
}

QString MensajeCorridaEnCurso()
{
    return QStringLiteral("Hay un proceso en curso en esta estación. Espere a que termine para iniciar otro.");
}

void CargarValoresContables(ContextoEmpresa& ctx)
{
    Configuracion& cfg = ctx.configuracion();
    ctx.soloMayusculas = texto::igual(cfg.ObtieneValor(QStringLiteral("ESCRIBE_SOLO_MAYUSCULAS")), QStringLiteral("SI"));
    ctx.setPeriodoActivo(cfg.ObtieneValor(QStringLiteral("PERIODO")));
    LeerDigitosCuentas(ctx);
    CalcularPosicionesCuentas(ctx);
}

void LeerDigitosCuentas(ContextoEmpresa& ctx)
{
    static const char* const niveles[] = {"Capitulo", "SubCapitulo", "Rubro", "SubRubro", "Cuenta", "SubCuenta"};
    Configuracion& cfg = ctx.configuracion();
    EstructuraCuentas& e = ctx.cuentas;
    std::array<qint16, 6> digitos{};
    qint16 total = 0;
    for (size_t i = 0; i < 6; ++i) {
        const QString clave = QStringLiteral("Digitos_") + QLatin1String(niveles[i]);
        digitos[i] = aEntero16(lectura::numeroInicial(cfg.ObtieneValor(clave)).o(0));
        total = aEntero16(double(total) + digitos[i]);
    }
    e.digitos = digitos;
    e.digitosTotal = total;
    for (size_t i = 0; i < 6; ++i) cfg.DigitosNivel[i] = digitos[i];
    cfg.DigitosNivel[6] = total;
}

void CalcularPosicionesCuentas(ContextoEmpresa& ctx)
{
    static const char* const claves[] = {"DIGITOS_CAPITULO", "DIGITOS_SUBCAPITULO", "DIGITOS_RUBRO",
                                         "DIGITOS_SUBRUBRO", "DIGITOS_CUENTA",      "DIGITOS_SUBCUENTA"};
    Configuracion& cfg = ctx.configuracion();
    EstructuraCuentas& e = ctx.cuentas;
    qint16 anterior = 0;
    for (size_t i = 0; i < 6; ++i) {
        e.fin[i] = aEntero16(lectura::numeroInicial(cfg.ObtieneValor(QLatin1String(claves[i]))).o(0) + anterior);
        anterior = e.fin[i];
        cfg.PosicionNivel[i] = e.fin[i];
    }
    e.largoCodigo = e.fin[5];
    cfg.PosicionNivel[6] = e.largoCodigo;
}

} // namespace vexa
