#include "ReemplazoPlaneado.h"

#include "BloqueosOrdenados.h"
#include "ComprobanteValidado.h"
#include "Lbc_Asiento.h"
#include "Lectores.h"
#include "Utilidades.h"

#include <QHash>

#include <algorithm>
#include <functional>
#include <QSet>

namespace vexa::recepcion {

namespace {

// The voucher's identity lock (and the key of what is remembered of it in the transaction).
QString claveBloqueo(const QString& tc, const QString& sucursal, const QString& numero, const QString& letra,
                     const QString& proveedor)
{
    // "COMPROBANTE|tc|branch|number|letter|supplier", upper case; built in one
    // text (every received voucher takes its lock by it).
    QString c;
    c.reserve(48 + tc.size() + letra.size() + proveedor.size());
    c.append(QLatin1StringView("COMPROBANTE|")).append(tc).append(u'|');
    texto::agregarEntero(c, lectura::enteroInicial(sucursal).o(0));
    c.append(u'|');
    texto::agregarEntero(c, lectura::enteroInicial(numero).o(0));
    c.append(u'|').append(letra).append(u'|').append(proveedor);
    return std::move(c).toUpper();
}

// A row of a voucher received before, as the plan needs it.
struct FilaRecibida {
    qint64 periodo = 0;
    int mes = 0;
    qint32 numero = 0;
    QString familia;
    Moneda importe;
    bool contabilizado = false;
};
using FilasRecibidas = std::vector<FilaRecibida>;

// The rows read ahead by one transaction level, by voucher identity (the
// reception's share of the connection's transaction state).
struct FilasAnticipadas : CapaExtension {
    QHash<QString, FilasRecibidas> porClave;
    void fundirEn(CapaExtension& padre) override
    {
        auto& destino = dynamic_cast<FilasAnticipadas&>(padre).porClave;
        for (auto it = porClave.begin(); it != porClave.end(); ++it) destino.insert(it.key(), std::move(it.value()));
    }
};

// The rows of the voucher read ahead in the transaction (nullptr: not read ahead).
const FilasRecibidas* filasAnticipadas(const Conexion& con, const QString& clave)
{
    const FilasRecibidas* filas = nullptr;
    con.estadoTransaccion().paraCadaExtension<FilasAnticipadas>([&](const FilasAnticipadas& capa) {
        const auto it = capa.porClave.constFind(clave);
        if (it != capa.porClave.cend()) filas = &*it;
        return filas != nullptr;
    });
    return filas;
}

const QString kColumnasFila = QStringLiteral("PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, CABIMPORTE, CONTABILIZADO");
const QString kOrdenFilas = QStringLiteral(" ORDER BY PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA");

FilaRecibida filaRecibida(const Recordset& rs)
{
    return {rs.entero(QStringLiteral("PERIODO")), int(rs.entero(QStringLiteral("MES_OPERATIVO"))),
            qint32(rs.entero(QStringLiteral("NUMERO ASIENTO"))), Lbc_Asiento::FamiliaNumeracion(rs.texto(QStringLiteral("TIPO_REG"))),
            rs.moneda(QStringLiteral("CABIMPORTE")), rs.entero(QStringLiteral("CONTABILIZADO")) != 0};
}

// The plan of the rows found (in the order of kOrdenFilas).
std::optional<ReemplazoPlaneado> planDe(ReemplazoPlaneado p, const FilasRecibidas& filas, bool& bloqueado)
{
    if (filas.empty()) return std::nullopt;
    const qint64 periodoNumero = p.Periodo.toLongLong();
    bool unaEntrada = true;
    for (const FilaRecibida& f : filas) {
        if (p.filas == 0) {
            p.importeAnterior = f.importe;
            p.numeroAsiento = f.numero;
            p.mesOperativo = f.mes;
            p.familia = f.familia;
        } else if (f.numero != p.numeroAsiento || f.mes != p.mesOperativo || f.familia != p.familia) {
            unaEntrada = false;
        }
        if (f.contabilizado || f.periodo != periodoNumero) bloqueado = true;
        ++p.filas;
    }
    if (!unaEntrada) p.numeroAsiento = 0;
    p.planeado = true;
    return p;
}

} // namespace

bool NumeroCompleto(const QString& valor, int digitos, QString& resultado)
{
    const QString v = texto::recortar(valor);
    if (!texto::soloDigitos(v)) return false;
    qsizetype i = 0;
    while (i < v.size() - 1 && v[i] == u'0') ++i;
    const QString significativo = v.mid(i);
    if (significativo.size() > digitos) return false;
    resultado = significativo.rightJustified(digitos, u'0');
    return true;
}

std::optional<ReemplazoPlaneado> BuscaComprobanteRecibido(Conexion& con_, const QString& periodo, const QString& Tc,
                                                          const QString& Sucursal, const QString& Numero,
                                                          const QString& Letra, const QString& Proveedor, bool& bloqueado,
                                                          bool postergado)
{
    bloqueado = false;
    ReemplazoPlaneado p;
    p.Tc = texto::recortar(Tc);
    p.Sucursal = texto::recortar(Sucursal);
    p.Numero = texto::recortar(Numero);
    p.Letra = texto::recortar(Letra);
    p.Proveedor = texto::recortar(Proveedor);
    p.Periodo = texto::recortar(periodo);
    // Inside the writing transaction the voucher's identity is locked before it
    // is looked for, until the transaction ends: another station receiving the
    // same voucher waits, then finds this one's rows.
    const FilasRecibidas* anticipado = nullptr;
    if (con_.enTransaccion()) {
        const QString clave = claveBloqueo(p.Tc, p.Sucursal, p.Numero, p.Letra, p.Proveedor);
        // With the postings written only at the batch's end, a voucher met again
        // in the same transaction would not find its earlier rows yet.
        if (postergado) {
            EstadoTransaccion& estado = con_.estadoTransaccion();
            if (estado.comprobanteVisto(clave)) throw ComprobanteEnLote();
            estado.marcarComprobanteVisto(clave);
        }
        tomarBloqueo(con_, clave);
        anticipado = filasAnticipadas(con_, clave);
    }
    if (anticipado) return planDe(std::move(p), *anticipado, bloqueado);

    FilasRecibidas filas;
    const ComprobanteEnDiario comprobante = p.comprobante();
    auto rs = con_.ObtenerRecordset(QStringLiteral("SELECT ") + kColumnasFila + QStringLiteral(" FROM MV_ASIENTOS WHERE ")
                                        + comprobante.condicion() + kOrdenFilas,
                                    comprobante.parametros());
    for (; !rs.eof(); rs.siguiente()) filas.push_back(filaRecibida(rs));
    return planDe(std::move(p), filas, bloqueado);
}

namespace {

// Numbers asked for by one statement on SQLite (the list is filled up to it
// by repeating the last one, so one statement text serves every group).
constexpr size_t kNumerosPorConsulta = 64;

// Reads the rows of a voucher type whose number is one of 'numeros' (each
// voucher's rows in the order of kOrdenFilas), one index search per number
// whatever the planner knows of the table.
void filasDeNumeros(Conexion& con, const QString& tc, const std::vector<qint64>& numeros,
                    const std::function<void(const Recordset&)>& alLeer)
{
    const QString orden = QStringLiteral(" ORDER BY x.PERIODO, x.MES_OPERATIVO, x.[NUMERO ASIENTO], x.SECUENCIA");
    const QString columnas = QStringLiteral("TC, LETRA, SUCURSAL_VALOR, NUMERO_VALOR, CABCUENTA, SECUENCIA, ") + kColumnasFila;
    if (con.motor() == Motor::PostgreSQL) {
        // The subquery, kept apart by OFFSET 0, runs once per number of the array.
        QString lista = QStringLiteral("{");
        for (qint64 n : numeros) lista += QString::number(n) + u',';
        lista.back() = u'}';
        auto rs = con.ObtenerRecordset(QStringLiteral("SELECT x.* FROM unnest(CAST(? AS BIGINT ARRAY)) AS n(v) CROSS JOIN LATERAL (SELECT ")
                                           + columnas
                                           + QStringLiteral(" FROM MV_ASIENTOS WHERE TC = ? AND NUMERO_VALOR = n.v OFFSET 0) AS x") + orden,
                                       {lista, tc});
        for (; !rs.eof(); rs.siguiente()) alLeer(rs);
        return;
    }
    // SQLite searches the index for each value of the list.
    static const QString sql = QStringLiteral("SELECT ") + columnas + QStringLiteral(" FROM MV_ASIENTOS AS x WHERE x.TC = ? AND x.NUMERO_VALOR IN (")
                               + QStringLiteral("?, ").repeated(kNumerosPorConsulta - 1) + QStringLiteral("?)") + orden;
    for (size_t desde = 0; desde < numeros.size(); desde += kNumerosPorConsulta) {
        Params p{tc};
        for (size_t i = 0; i < kNumerosPorConsulta; ++i) p << numeros[std::min(desde + i, numeros.size() - 1)];
        auto rs = con.ObtenerRecordset(sql, p);
        for (; !rs.eof(); rs.siguiente()) alLeer(rs);
    }
}

} // namespace

void AnticipaComprobantesRecibidos(Conexion& con, const std::vector<ClaveComprobante>& claves)
{
    if (!con.enTransaccion() || claves.empty()) return;
    // The identities not met yet in the transaction, once each.
    std::vector<ClaveComprobante> pendientes;
    QStringList bloqueos;
    QSet<QString> vistos;
    for (const ClaveComprobante& c : claves) {
        ClaveComprobante k{texto::recortar(c.Tc), texto::recortar(c.Sucursal), texto::recortar(c.Numero),
                           texto::recortar(c.Letra), texto::recortar(c.Proveedor)};
        const QString clave = claveBloqueo(k.Tc, k.Sucursal, k.Numero, k.Letra, k.Proveedor);
        if (vistos.contains(clave) || con.estadoTransaccion().comprobanteVisto(clave) || filasAnticipadas(con, clave))
            continue;
        vistos.insert(clave);
        pendientes.push_back(std::move(k));
        bloqueos << clave;
    }
    const std::vector<bool> tomados = tomarBloqueosJuntos(con, bloqueos);
    // Rows are read by type and number (an index search per number); the rest
    // of the identity is matched here, as the database compares it.
    QHash<QString, std::vector<size_t>> porTipo;
    for (size_t i = 0; i < pendientes.size(); ++i)
        if (tomados[i]) porTipo[pendientes[i].Tc.toUpper()].push_back(i);
    std::vector<FilasRecibidas> filas(pendientes.size());
    for (auto it = porTipo.cbegin(); it != porTipo.cend(); ++it) {
        QMultiHash<qint64, size_t> porNumero;
        std::vector<qint64> numeros;
        for (size_t i : it.value()) {
            const qint64 n = lectura::enteroInicial(pendientes[i].Numero).o(0);
            if (!porNumero.contains(n)) numeros.push_back(n); // each number once
            porNumero.insert(n, i);
        }
        filasDeNumeros(con, pendientes[it.value().front()].Tc, numeros, [&](const Recordset& rs) {
            const qint64 numero = rs.entero(QStringLiteral("NUMERO_VALOR"));
            const qint64 sucursal = rs.entero(QStringLiteral("SUCURSAL_VALOR"));
            const QString letra = texto::recortar(rs.texto(QStringLiteral("LETRA")));
            const QString cuenta = texto::recortar(rs.texto(QStringLiteral("CABCUENTA")));
            for (auto k = porNumero.constFind(numero); k != porNumero.cend() && k.key() == numero; ++k) {
                const ClaveComprobante& c = pendientes[k.value()];
                if (lectura::enteroInicial(c.Sucursal).o(0) == sucursal && !rs.esNulo(QStringLiteral("SUCURSAL_VALOR"))
                    && texto::igual(c.Letra, letra) && (c.Proveedor.isEmpty() || texto::igual(c.Proveedor, cuenta)))
                    filas[k.value()].push_back(filaRecibida(rs));
            }
        });
    }
    FilasAnticipadas* anticipadas = con.estadoTransaccion().capaExtension<FilasAnticipadas>();
    for (size_t i = 0; i < pendientes.size(); ++i)
        if (tomados[i]) anticipadas->porClave.insert(bloqueos[qsizetype(i)], std::move(filas[i]));
}

} // namespace vexa::recepcion
