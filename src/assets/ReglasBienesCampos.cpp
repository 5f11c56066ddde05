#include "ReglasBienesCampos.h"

#include "Configuracion.h"
#include "Conexion.h"
#include "ReglasBienes.h"
#include "Utilidades.h"

namespace vexa::bienes {

// ---------------------------------------------------------------- the company's answers

bool ConsultasEmpresa::existeBien(qint64 codigo) { return ExisteBien(con_, codigo); }
bool ConsultasEmpresa::existeMejora(qint64 codigo, qint64 id)
{
    return con_.ExisteRegistro(QStringLiteral("MA_BIENES_NOVEDADES"), codigo, QStringLiteral("CODIGO"), QStringLiteral("ID = ?"), {id});
}
bool ConsultasEmpresa::existeSerie(const QString& serie) { return ExisteSerie(con_, serie); }
std::pair<QString, QString> ConsultasEmpresa::cuentasDepreciacion(const QString& cuenta)
{
    const auto d = CuentasDeDepreciacion(con_, cuenta);
    return {d.ejercicio, d.acumulada};
}
bool ConsultasEmpresa::existeCuenta(const QString& cuenta, bool& esBien) { return cfg_.ExisteCuenta(cuenta, esBien); }
qint64 ConsultasEmpresa::ultimoEjercicio() { return UltimoEjercicio(con_); }
QString ConsultasEmpresa::ejercicioCompra(const QDate& compra, qint64 periodo, bool esNovedad)
{
    return ValidaEjercicioCompra(con_, compra, periodo, esNovedad);
}

// ---------------------------------------------------------------- reading

Valor Leer(Lector l, const QString& texto)
{
    Valor v;
    v.texto = texto::recortar(texto);
    v.estado = v.texto.isEmpty() ? lectura::Estado::Vacio : lectura::Estado::Valido;
    auto tomar = [&v](const auto& leido, auto& destino) {
        v.estado = leido.estado;
        destino = leido.o(destino);
    };
    switch (l) {
    case Lector::Texto: break;
    case Lector::Importe: tomar(lectura::importe(v.texto), v.importe); break;
    case Lector::Decimal: tomar(lectura::decimal(v.texto), v.decimal); break;
    case Lector::Entero: tomar(lectura::entero(v.texto), v.entero); break;
    case Lector::Fecha: tomar(lectura::fecha(v.texto), v.fecha); break;
    }
    return v;
}

QString FormatoImporte(const QString& texto) { return lectura::importe(texto).o(Moneda()).texto(2); }

namespace {

using Estado = EstadoFormulario;

Resultado rechazo(const QString& m)
{
    Resultado r;
    r.mensaje = m;
    return r;
}
Resultado pasa() { return Resultado{}; }
Resultado formato(const char* campo, const Valor& v)
{
    Resultado r;
    r.cajas = {{QString::fromLatin1(campo), FormatoImporte(v.texto)}};
    return r;
}
Resultado conPlanilla()
{
    Resultado r;
    r.planilla = true;
    return r;
}
QString bien(const Estado& e, const char* campo) { return e.texto(Arreglo::Bien, QString::fromLatin1(campo)); }
QString planilla(const Estado& e, const char* campo) { return e.texto(Arreglo::Planilla, QString::fromLatin1(campo)); }
Resultado obligatorio(const Valor& v, const QString& mensaje) { return v.vacio() ? rechazo(mensaje) : pasa(); }

// ---- the asset's boxes, both windows ----

Resultado serie(const Valor& v, const Estado& e)
{
    if (v.vacio()) return rechazo(QStringLiteral("Debe informar el Campo!!!"));
    if (e.alta && !e.cambio && e.consultas->existeSerie(v.texto))
        return rechazo(QStringLiteral("Ya existe un Bien de Uso con esta identificación"));
    return pasa();
}

// The asset account fills its depreciation accounts, whatever else it answers.
Resultado cuentaContable(const Valor& v, const Estado& e)
{
    const auto [ejercicio, acumulada] = e.consultas->cuentasDepreciacion(v.texto);
    Resultado r;
    r.cajas = {{QStringLiteral("CUENTA_EJERCICIO"), ejercicio}, {QStringLiteral("CUENTA_ACUMULADA"), acumulada}};
    if (texto::recortar(ejercicio).isEmpty())
        r.mensaje = QStringLiteral("La cuenta informada no tiene una Cuenta de Depreciacion del Ejercicio");
    else if (texto::recortar(acumulada).isEmpty())
        r.mensaje = QStringLiteral("La cuenta informada no tiene una Cuenta de Depreciacion Acumulada");
    if (!r.pasa()) return r;
    if (e.cambio) return r;
    r.proponerCodigo = !e.validandoTodo;
    bool esBien = false;
    if (!e.consultas->existeCuenta(v.texto, esBien)) r.mensaje = QStringLiteral("La cuenta informada no existe!!!");
    else if (e.cargaInicial && !esBien) r.mensaje = QStringLiteral("La cuenta debe estar asociada a bienes de uso!!!");
    return r;
}

Resultado cuentaDepreciacion(const Valor& v, const Estado& e, const QString& siVacia)
{
    if (v.vacio()) return rechazo(siVacia);
    bool esBien = false;
    if (!e.cambio && !e.consultas->existeCuenta(v.texto, esBien)) return rechazo(QStringLiteral("La cuenta informada no existe!!!"));
    if (texto::igual(v.texto, bien(e, "CUENTA_CONTABLE"))) return rechazo(QStringLiteral("Esta Cuenta no puede ser la cuenta contable"));
    return pasa();
}

Resultado vidaUtil(const Valor& v, const Estado&)
{
    if (v.vacio()) return rechazo(QStringLiteral("Debe informar la vida útil del Bien de Uso"));
    if (!v.valido()) return rechazo(QStringLiteral("El campo Ingresado no es válido"));
    Resultado r = conPlanilla();
    r.cajas = {{QStringLiteral("PORCENTAJE"), PorcentajeDeVida(v.decimal)}};
    return r;
}

Resultado fechaCompra(const Valor& v, const Estado& e)
{
    if (e.novedad && !e.cambio) return pasa();
    if (!v.valido()) return rechazo(QStringLiteral("La fecha ingresada no es válida"));
    if (v.fecha > e.hoy) return rechazo(QStringLiteral("La fecha de compra no puede ser mayor a la fecha actual"));
    return e.cambio ? pasa() : conPlanilla();
}

// Without a date there is no retirement: back to the mode of the code.
Resultado fechaBaja(const Valor& v, const Estado& e)
{
    Resultado r;
    if (v.vacio()) {
        if (e.baja) r.modo = Modo::PorCodigo;
        return r;
    }
    if (!v.valido()) return rechazo(QStringLiteral("Debe Ingresar una Fecha válida"));
    const QDate compra = lectura::fecha(bien(e, "FECHA_COMPRA")).o(QDate());
    if (compra.isValid() && v.fecha < compra) return rechazo(QStringLiteral("La Fecha de baja debe ser Mayor o igual a la fecha de compra"));
    r.modo = Modo::Baja;
    return r;
}

Resultado motivo(const Valor& v, const Estado& e)
{
    if (v.vacio() && !bien(e, "FECHA_BAJA").isEmpty()) return rechazo(QStringLiteral("Debe informar un motivo!!!"));
    return pasa();
}

Resultado costo(const Valor& v, const Estado&)
{
    if (!v.valido()) return rechazo(QStringLiteral("El Costo informado no es válido!!!"));
    if (v.importe.esCero()) return rechazo(QStringLiteral("Debe informar el campo  Costo"));
    return formato("COSTO", v);
}

Resultado periodo(const Valor& v, const Estado& e)
{
    if (v.vacio()) return rechazo(QStringLiteral("Debe informar el Ejercicio de compra"));
    if (v.entero > e.consultas->ultimoEjercicio()) return rechazo(QStringLiteral("El Periodo informado es Mayor al último creado"));
    if (!e.cambio) {
        const QString m = e.consultas->ejercicioCompra(lectura::fecha(bien(e, "FECHA_COMPRA")).o(QDate()), v.entero, e.novedad);
        if (!m.isEmpty()) return rechazo(m);
    }
    return conPlanilla();
}

Resultado valorRecupero(const Valor& v, const Estado& e)
{
    if (v.importe > lectura::importe(bien(e, "COSTO")).o(Moneda()))
        return rechazo(QStringLiteral("El Valor de Recupero no puede ser mayor que el costo"));
    // The change window shows a blank one as "0.00".
    if (v.vacio() && !e.cambio) return pasa();
    return formato("VALOR_RECUPERO", v);
}

// ---- the register window's own ----

// A number the window proposed stays a new asset: the save takes the number
// again, whoever stored this one meanwhile.
Resultado codigoRegistro(const Valor& v, const Estado& e)
{
    Resultado r;
    if (v.vacio()) return r;
    const bool existe = v.texto != e.codigoPropuesto && v.valido() && e.consultas->existeBien(v.entero);
    r.modo = existe ? Modo::Existente : Modo::Alta;
    r.cargar = e.cargaInicial && !e.validandoTodo;
    r.codigo = true;
    return r;
}

// A new asset has no improvement: its empty box is not checked.
Resultado vidaUtilMejoraRegistro(const Valor& v, const Estado& e)
{
    if (e.mejorasOcultas || e.alta) return pasa();
    if (!v.valido()) return rechazo(QStringLiteral("El campo Ingresado no es válido"));
    Resultado r;
    r.cajas = {{QStringLiteral("NOVEDAD_PORCENTAJE"), PorcentajeDeVida(v.decimal)}};
    r.planilla = e.cargaInicial;
    return r;
}

Resultado fechaMejoraRegistro(const Valor& v, const Estado& e)
{
    if (!e.novedad) return pasa();
    if (!v.valido()) return rechazo(QStringLiteral("La fecha ingresada no es válida"));
    const QDate compra = lectura::fecha(bien(e, "FECHA_COMPRA")).o(QDate());
    if (compra.isValid() && v.fecha < compra)
        return rechazo(QStringLiteral("La fecha de compra de una novedad no puede ser menor a la de compra del bien"));
    return conPlanilla();
}

// ---- the change window's own ----

Resultado codigoModificacion(const Valor& v, const Estado& e)
{
    if (!v.valido()) return rechazo(QStringLiteral("Debe informar un Código Válido"));
    if (!e.consultas->existeBien(v.entero)) return rechazo(QStringLiteral("Código Inexistente"));
    Resultado r;
    r.codigo = true;
    return r;
}

// The improvement number: 0 (or blank) is the asset itself, whose purchase
// and additional frames open; an improvement's close.
Resultado idMejoraModificacion(const Valor& v, const Estado& e)
{
    const auto codigo = lectura::entero(bien(e, "CODIGO"));
    const qint64 numero = v.vacio() ? 0 : v.entero;
    if (!codigo.valido() || !(v.vacio() || v.valido()) || numero < 0) return rechazo(QStringLiteral("El codigo informado no existe"));
    Resultado r;
    r.marcosBien = numero == 0;
    const bool existe = numero != 0 ? e.consultas->existeMejora(codigo.valor, numero) : e.consultas->existeBien(codigo.valor);
    if (!existe) {
        r.mensaje = QStringLiteral("El codigo informado no existe");
        return r;
    }
    r.modo = Modo::Existente;
    r.cargar = !e.validandoTodo;
    return r;
}

Resultado vidaUtilMejoraModificacion(const Valor& v, const Estado& e)
{
    if (!e.modificacion) return pasa();
    if (v.vacio()) return rechazo(QStringLiteral("Debe informar la vida útil de la Mejora del Bien de Uso"));
    if (!v.valido()) return rechazo(QStringLiteral("El campo Ingresado no es válido"));
    return conPlanilla();
}

Resultado fechaMejoraModificacion(const Valor& v, const Estado&)
{
    if (!v.valido()) return rechazo(QStringLiteral("La fecha ingresada no es válida"));
    return conPlanilla();
}

// ---- the sheet, both windows ('costo' names the sheet's cost box) ----

Resultado meses(const Valor& v, const Estado&)
{
    if (v.vacio()) return rechazo(QStringLiteral("Debe informar la cantidad de meses"));
    if (v.entero < 1 || v.entero > 12) return rechazo(QStringLiteral("El campo debe ser mayor o igual a 1 y menor o igual a 12"));
    Resultado r;
    r.descripcionPeriodo = DescripcionPeriodo(v.entero);
    return r;
}

Resultado coeficiente(const Valor& v, const Estado&)
{
    if (v.vacio()) return rechazo(QStringLiteral("Debe informar el Coeficiente"));
    if (!(v.decimal > 0)) return rechazo(QStringLiteral("El Campo Mayor a cero"));
    return pasa();
}

// The registration recomputes the year's depreciation; the change window the residual value.
Resultado costoInicio(const Valor& v, const Estado& e, const char* campo)
{
    if (v.vacio()) return rechazo(QStringLiteral("Debe informar el Costo"));
    if (v.importe <= Moneda()) return rechazo(QStringLiteral("El costo no puede ser 0"));
    Resultado r = formato(campo, v);
    r.depEjercicio = !e.cambio;
    r.residual = e.cambio;
    return r;
}

Resultado depEjercicio(const Valor& v, const Estado&)
{
    if (v.vacio() || v.importe < Moneda()) return rechazo(QStringLiteral("Debe informar el campo"));
    return formato("DEP_EJERCICIO", v);
}

Resultado depAcumulada(const Valor& v, const Estado& e, const char* costo)
{
    if (v.vacio() || v.importe < Moneda()) return rechazo(QStringLiteral("Debe informar el campo"));
    if (v.importe < lectura::importe(planilla(e, "DEP_EJERCICIO")).o(Moneda()))
        return rechazo(QStringLiteral("La depreciación acumulada no puede ser menor a la depreciación del ejercicio"));
    if (v.importe > lectura::importe(planilla(e, costo)).o(Moneda()))
        return rechazo(QStringLiteral("La depreciación acumulada debe ser menor o igual al Costo al inicio del Ejercicio"));
    Resultado r = formato("DEP_ACUMULADA", v);
    r.residual = e.cambio;
    return r;
}

// The registration also recomputes the year's depreciation, 0 when the
// useful life ended before the closing date.
Resultado fechaCierre(const Valor& v, const Estado& e)
{
    if (e.cambio && e.validandoTodo && v.vacio()) return pasa(); // the stored date stays
    if (!v.valido()) return rechazo(QStringLiteral("Debe informar la fecha Cierre del último Ejercicio"));
    if (e.desdeEjercicio.isValid() && v.fecha >= e.desdeEjercicio)
        return rechazo(QStringLiteral("La fecha de cierre debe ser menor a la ") + QStringLiteral("de inicio del ejercicio actual!!!"));
    if (e.cambio) return pasa();
    const QDate compra = lectura::fecha(bien(e, e.novedad ? "NOVEDAD_FECHA" : "FECHA_COMPRA")).o(QDate());
    const double vida = lectura::decimal(bien(e, e.novedad ? "NOVEDAD_VIDA_UTIL" : "VIDA_UTIL")).o(0.0);
    Resultado r;
    if (compra.isValid() && vida < AniosCalendario(compra, v.fecha)) r.cajas = {{QStringLiteral("DEP_EJERCICIO"), QStringLiteral("0.00")}};
    else r.depEjercicio = true;
    return r;
}

Resultado obligatorioCampo(const Valor& v, const Estado&) { return obligatorio(v, QStringLiteral("Debe informar el campo ")); }
Resultado descripcion(const Valor& v, const Estado&) { return obligatorio(v, QStringLiteral("Debe Ingresar una Descripción")); }
Resultado cuentaEjercicio(const Valor& v, const Estado& e)
{
    return cuentaDepreciacion(v, e, QStringLiteral("La cuenta informada no tiene una cuenta de depreciacion de ejercicio"));
}
Resultado cuentaAcumulada(const Valor& v, const Estado& e)
{
    return cuentaDepreciacion(v, e, QStringLiteral("La cuenta informada no tiene una cuenta de depreciacion acumulada"));
}
Resultado valorResidual(const Valor& v, const Estado&) { return formato("VALOR_RESIDUAL", v); }

using A = Arreglo;
using L = Lector;

const ReglaCampo kBien[] = {
    {A::Bien, "CODIGO", L::Entero, codigoRegistro},
    {A::Bien, "SERIE", L::Texto, serie},
    {A::Bien, "CUENTA_CONTABLE", L::Texto, cuentaContable},
    {A::Bien, "CUENTA_EJERCICIO", L::Texto, cuentaEjercicio},
    {A::Bien, "CUENTA_ACUMULADA", L::Texto, cuentaAcumulada},
    {A::Bien, "DESCRIPCION", L::Texto, descripcion},
    {A::Bien, "VIDA_UTIL", L::Decimal, vidaUtil},
    {A::Bien, "NOVEDAD_VIDA_UTIL", L::Decimal, vidaUtilMejoraRegistro},
    {A::Bien, "UBICACION", L::Texto, obligatorioCampo},
    {A::Bien, "AFECTA", L::Texto, obligatorioCampo},
    {A::Bien, "FECHA_COMPRA", L::Fecha, fechaCompra},
    {A::Bien, "NOVEDAD_FECHA", L::Fecha, fechaMejoraRegistro},
    {A::Bien, "FECHA_BAJA", L::Fecha, fechaBaja},
    {A::Bien, "MOTIVO", L::Texto, motivo},
    {A::Bien, "COSTO", L::Importe, costo},
    {A::Bien, "PERIODO", L::Entero, periodo},
    {A::Bien, "VALOR_RECUPERO", L::Importe, valorRecupero},
    {A::Planilla, "PERIODO_CALCULO", L::Entero, meses},
    {A::Planilla, "COEFICIENTE", L::Decimal, coeficiente},
    {A::Planilla, "COSTO_INICIO", L::Importe, [](const Valor& v, const Estado& e) { return costoInicio(v, e, "COSTO_INICIO"); }},
    {A::Planilla, "DEP_EJERCICIO", L::Importe, depEjercicio},
    {A::Planilla, "DEP_ACUMULADA", L::Importe, [](const Valor& v, const Estado& e) { return depAcumulada(v, e, "COSTO_INICIO"); }},
    {A::Planilla, "FECHA_CIERRE", L::Fecha, fechaCierre},
};

const ReglaCampo kModificacion[] = {
    {A::Bien, "CODIGO", L::Entero, codigoModificacion},
    {A::Bien, "NOVEDAD_ID", L::Entero, idMejoraModificacion},
    {A::Bien, "SERIE", L::Texto, serie},
    {A::Bien, "CUENTA_CONTABLE", L::Texto, cuentaContable},
    {A::Bien, "CUENTA_EJERCICIO", L::Texto, cuentaEjercicio},
    {A::Bien, "CUENTA_ACUMULADA", L::Texto, cuentaAcumulada},
    {A::Bien, "DESCRIPCION", L::Texto, descripcion},
    {A::Bien, "VIDA_UTIL", L::Decimal, vidaUtil},
    {A::Bien, "UBICACION", L::Texto, obligatorioCampo},
    {A::Bien, "AFECTA", L::Texto, obligatorioCampo},
    {A::Bien, "FECHA_COMPRA", L::Fecha, fechaCompra},
    {A::Bien, "FECHA_BAJA", L::Fecha, fechaBaja},
    {A::Bien, "MOTIVO", L::Texto, motivo},
    {A::Bien, "COSTO", L::Importe, costo},
    {A::Bien, "PERIODO", L::Entero, periodo},
    {A::Bien, "VALOR_RECUPERO", L::Importe, valorRecupero},
    {A::Bien, "VALOR_RESIDUAL", L::Importe, valorResidual},
    {A::Mejora, "VIDA_UTIL", L::Decimal, vidaUtilMejoraModificacion},
    {A::Mejora, "FECHA", L::Fecha, fechaMejoraModificacion},
    {A::Planilla, "PERIODO_DE_CALCULO", L::Entero, meses},
    {A::Planilla, "COEFICIENTE", L::Decimal, coeficiente},
    {A::Planilla, "COSTO", L::Importe, [](const Valor& v, const Estado& e) { return costoInicio(v, e, "COSTO"); }},
    {A::Planilla, "DEP_EJERCICIO", L::Importe, depEjercicio},
    {A::Planilla, "DEP_ACUMULADA", L::Importe, [](const Valor& v, const Estado& e) { return depAcumulada(v, e, "COSTO"); }},
    {A::Planilla, "FECHA_CIERRE", L::Fecha, fechaCierre},
};

} // namespace

std::span<const ReglaCampo> TablaBien() { return kBien; }
std::span<const ReglaCampo> TablaModificacion() { return kModificacion; }

const ReglaCampo* BuscaRegla(std::span<const ReglaCampo> tabla, Arreglo a, const QString& campo)
{
    const QString c = texto::recortar(campo);
    for (const ReglaCampo& r : tabla)
        if (r.arreglo == a && texto::igual(c, QString::fromLatin1(r.campo))) return &r;
    return nullptr;
}

Resultado Aplica(const ReglaCampo& r, const QString& texto, const EstadoFormulario& e) { return r.verifica(Leer(r.lector, texto), e); }

} // namespace vexa::bienes
