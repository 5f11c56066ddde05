#include "ImportacionCuentas.h"

#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "CodigosDialogo.h"
#include "DivisorLineas.h"
#include "Entorno.h"
#include "LectorInterfaz.h"
#include "Lectores.h"
#include "Progreso.h"
#include "Utilidades.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace vexa::recepcion {

namespace {
constexpr qint64 kMsLote = 250;
// Definitions are written into the database by hand: a name is found whatever
// blanks surround it, without regard to case (the statements bind it trimmed).
const QString kNombreDefinicion = QStringLiteral("UPPER(TRIM(NOMBRE)) = UPPER(?)");
const QString kCaracteresCodigo = QStringLiteral("0123456789.ABCDEFGHIJKLMNÑOPQRSTUVWXYZ.abcdefghijklmnñopqrstuvwxyz");

bool esEntero(const QString& s)
{
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

// Both whole numbers: compared as numbers; else trimmed, ignoring case.
bool mismaCondicion(const QString& a, const QString& b)
{
    const QString x = texto::recortar(a), y = texto::recortar(b);
    if (esEntero(x) && esEntero(y)) {
        qsizetype i = 0, j = 0;
        while (i < x.size() - 1 && x[i] == QLatin1Char('0')) ++i;
        while (j < y.size() - 1 && y[j] == QLatin1Char('0')) ++j;
        return QStringView(x).mid(i) == QStringView(y).mid(j);
    }
    return texto::igual(x, y);
}
} // namespace

bool ExisteDefinicion(Conexion& con, const QString& nombre)
{
    return con.PrimeraFila(QStringLiteral("SELECT 1 FROM TA_IMPORTACUENTAS WHERE ") + kNombreDefinicion + QStringLiteral(" LIMIT 1"),
                           {texto::recortar(nombre)})
        .has_value();
}

bool CodigoOrigenValido(const QString& codigo)
{
    for (QChar c : codigo)
        if (!kCaracteresCodigo.contains(c)) return false;
    return true;
}

QString CondicionIvaNormalizada(const QString& condicion)
{
    const QString c = texto::recortar(condicion);
    if (esEntero(c) && c.size() > 4) {
        qsizetype i = 0;
        while (i < c.size() - 4 && c[i] == QLatin1Char('0')) ++i;
        return c.mid(i);
    }
    return Utilidades::CompletaCeros(c, 4);
}

// ---------------------------------------------------------------------------

bool DefinicionImportacion::ObtieneDatosImp(const QString& nombre)
{
    Nombre = texto::recortar(nombre);
    Campos.assign(1, CampoImportacion{});
    equivalencias_.clear();
    equivalenciasLeidas_ = false;
    const auto cab = con_.PrimeraFila(
        QStringLiteral("SELECT CUENTA, TIPO_ARCHIVO, SEPARADOR, CALIFICADOR, CAMPO_CODIGO, CAMPO_DESCRIPCION, "
                       "CAMPO_CUIT, CAMPO_CONDIVA FROM TA_IMPORTACUENTAS WHERE ") + kNombreDefinicion,
        {Nombre});
    if (cab) {
        CuentaMadre = texto::recortar(cab->texto(0));
        TipoArchivo = cab->texto(1);
        Separador = cab->texto(2);
        Calificador = cab->texto(3);
        CampoCodigo = cab->texto(4);
        CampoDescripcion = cab->texto(5);
        CampoCuit = cab->texto(6);
        CampoCondIva = cab->texto(7);
    }
    Recordset rs = con_.ObtenerRecordset(
        QStringLiteral("SELECT NOMBRE_CAMPO, LONGITUD FROM TA_IMPORTACUENTASDETALLE WHERE ") + kNombreDefinicion +
            QStringLiteral(" ORDER BY SECUENCIA"),
        {Nombre});
    bool primero = true;
    for (; !rs.eof(); rs.siguiente()) {
        if (!primero) Campos.emplace_back();
        primero = false;
        CampoImportacion& c = Campos.back();
        c.Nombre = rs.texto(QStringLiteral("NOMBRE_CAMPO")).left(100);
        c.Longitud = qint16(std::clamp<qint64>(rs.entero(QStringLiteral("LONGITUD")), -32768, 32767));
    }
    return cab.has_value();
}

qint16 DefinicionImportacion::PosicionCampo(const QString& nombre) const
{
    const QString n = texto::recortar(nombre);
    for (size_t i = 0; i < Campos.size(); ++i)
        if (texto::igual(texto::recortar(Campos[i].Nombre), n)) return qint16(i + 1);
    return 0;
}

QString DefinicionImportacion::ValorCampo(const QString& nombre) const
{
    const qint16 i = PosicionCampo(nombre);
    return i > 0 ? Campos[size_t(i - 1)].Valor : QString();
}

void DefinicionImportacion::dividir(const QString& linea)
{
    QList<int> anchos;
    anchos.reserve(qsizetype(Campos.size()));
    for (const auto& c : Campos) anchos << c.Longitud;
    const QStringList valores = DivisorLineas(TipoArchivo, Separador, Calificador).dividir(linea, anchos);
    for (size_t i = 0; i < Campos.size(); ++i) Campos[i].Valor = qsizetype(i) < valores.size() ? valores[qsizetype(i)] : QString();
}

QString DefinicionImportacion::BuscaEquivalenciaCONDIVA(const QString& codigo)
{
    if (!equivalenciasLeidas_) {
        Recordset rs = con_.ObtenerRecordset(
            QStringLiteral("SELECT CODIGO_ORIGEN, CODIGO_SISTEMA FROM EQ_CONDIVA_IMPORTACION WHERE ") + kNombreDefinicion +
                QStringLiteral(" ORDER BY ID"),
            {Nombre});
        for (; !rs.eof(); rs.siguiente())
            equivalencias_.emplace_back(texto::recortar(rs.texto(QStringLiteral("CODIGO_ORIGEN"))),
                                        texto::recortar(rs.texto(QStringLiteral("CODIGO_SISTEMA"))));
        equivalenciasLeidas_ = true;
    }
    const QString c = texto::recortar(codigo);
    for (const auto& [origen, sistema] : equivalencias_)
        if (texto::igual(origen, c)) return sistema;
    return codigo;
}

bool DefinicionImportacion::Valida_Codigo(const QString& codigo, QString& cuentaAsignada)
{
    const QVariant v = con_.Escalar(
        QStringLiteral("SELECT CODIGO_SISTEMA FROM TESTIGO_EXPORTACION WHERE CODIGO_ORIGEN = ? AND CUENTA = ?"),
        {texto::recortar(codigo), CuentaMadre});
    if (!v.isValid()) return true;
    cuentaAsignada = Utilidades::NuloATexto(v);
    return false;
}

// ---------------------------------------------------------------------------

namespace {

// The run's state over its lines.
class Corredor {
public:
    Corredor(ContextoEmpresa& ctx, DefinicionImportacion& def) : con_(ctx.con()), def_(def)
    {
        // The level below the parent, from the structure read for this run.
        const EstructuraCuentas& e = ctx.cuentas;
        const auto largo = def_.CuentaMadre.size();
        for (size_t i = 0; i < 5; ++i)
            if (largo == e.fin[i]) {
                ancho_ = e.digitos[i + 1];
                break;
            }
        ancho_ = qBound<int>(0, ancho_, 18);
        maximo_ = 0;
        for (int i = 0; i < ancho_; ++i) maximo_ = maximo_ * 10 + 9;
        if (ancho_ > 0) leerTomados();
        Recordset rs = con_.ObtenerRecordset(QStringLiteral("SELECT CODIGO FROM TA_CONDIVA"));
        for (; !rs.eof(); rs.siguiente()) condiciones_ << texto::recortar(rs.texto(QStringLiteral("CODIGO")));
    }

    // A batch begins: what its lines take may have to be given back.
    void marcar()
    {
        contadorMarca_ = contador_;
        agregados_.clear();
    }
    // The batch was rolled back: its numbers are free again.
    void volverAMarca()
    {
        for (qint64 c : agregados_) tomados_.remove(c);
        agregados_.clear();
        contador_ = contadorMarca_;
    }

    // One line inside the open batch; its writes in a savepoint. The message
    // (empty: created without remark). Throws on an unexpected error, the line's
    // work rolled back and the counter as it was.
    QString procesar(const QString& linea)
    {
        def_.dividir(linea);
        const QString codigo = texto::recortar(def_.ValorCampo(def_.CampoCodigo));
        if (!CodigoOrigenValido(codigo)) return QStringLiteral("El Código de de origen contiene caracteres no válidos");
        if (codigo.isEmpty()) return QStringLiteral("El Código de de origen no contiene un valor");
        qint64 choque = -1; // a number whose insert clashed: taken by another station
        for (;;) {
            Transaccion punto(con_);
            QString asignada;
            if (!def_.Valida_Codigo(codigo, asignada))
                return QStringLiteral("El código ") + codigo + QStringLiteral(" ya fue Asignado a la Cuenta (") + asignada +
                       QLatin1Char(')');
            if (choque >= 0) tomar(choque);
            qint64 c = contador_;
            do ++c;
            while (tomados_.contains(c));
            if (c > maximo_) return QStringLiteral("Ya no puede asignar codigos a la cuenta ") + def_.CuentaMadre;
            const QString nuevo = def_.CuentaMadre + QString::number(c).rightJustified(ancho_, QLatin1Char('0'));

            const QString descripcion = texto::recortar(def_.ValorCampo(def_.CampoDescripcion));
            if (descripcion.isEmpty() || Utilidades::EsVacio(descripcion))
                return QStringLiteral("La Descripcion no puede ser un valor vacío");
            QString cuit = QStringLiteral("0");
            if (!texto::recortar(def_.CampoCuit).isEmpty()) {
                cuit = texto::recortar(def_.ValorCampo(def_.CampoCuit));
                if (cuit.isEmpty() || Utilidades::EsVacio(cuit)) cuit = QStringLiteral("0");
            }
            QString condicion = QStringLiteral("1");
            if (!texto::recortar(def_.CampoCondIva).isEmpty()) {
                const qint16 p = def_.PosicionCampo(def_.CampoCondIva);
                const QString valor = def_.BuscaEquivalenciaCONDIVA(texto::recortar(def_.ValorCampo(def_.CampoCondIva)));
                if (p > 0) def_.Campos[size_t(p - 1)].Valor = valor;
                // A line without a condition is listed with the warning: only a
                // definition that maps no condition field takes "1" silently.
                condicion = texto::recortar(valor);
            }
            QString mensaje;
            bool valida = false;
            for (const QString& k : condiciones_)
                if (mismaCondicion(k, condicion)) {
                    valida = true;
                    break;
                }
            if (!valida)
                mensaje = QStringLiteral("<AVISO>La condicion de IVA de ") + codigo + QStringLiteral("  ") + descripcion +
                          QStringLiteral(" no es valida o las equivalencias no son correctas");
            try {
                const QDateTime ahora = plataforma::ahora();
                con_.EjecutarSQL(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DV, DESCRIPCION, TITULO, FECHAHORA_GRABACION) "
                                                "VALUES (?, ?, ?, 0, ?)"),
                                 {nuevo, int(Configuracion::DigitoVerificador(nuevo)), descripcion, ahora});
                con_.EjecutarSQL(QStringLiteral("INSERT INTO MA_CUENTASADIC (CODIGO, NUMERO_DOCUMENTO, IVA) VALUES (?, ?, ?)"),
                                 {nuevo, cuit, CondicionIvaNormalizada(condicion)});
                con_.EjecutarSQL(QStringLiteral("INSERT INTO TESTIGO_EXPORTACION (CODIGO_ORIGEN, CUENTA, CODIGO_SISTEMA, "
                                                "FH_GRABACION) VALUES (?, ?, ?, ?)"),
                                 {codigo, def_.CuentaMadre, nuevo, ahora});
                punto.confirmar();
            } catch (const ErrorBD& e) {
                if (!e.esClaveDuplicada()) throw;
                // Another station took the code or the origin code meanwhile:
                // the next attempt tells which.
                punto.deshacer();
                choque = c;
                continue;
            }
            tomar(c);
            contador_ = c;
            return mensaje;
        }
    }

private:
    void tomar(qint64 c)
    {
        if (!tomados_.contains(c)) {
            tomados_.insert(c);
            agregados_.push_back(c);
        }
    }
    // The numbers of the level below the parent that MA_CUENTAS or
    // MA_CUENTASADIC already use, read once.
    void leerTomados()
    {
        const auto largo = def_.CuentaMadre.size();
        for (const char* tabla : {"MA_CUENTAS", "MA_CUENTASADIC"}) {
            Recordset rs = con_.ObtenerRecordset(QStringLiteral("SELECT CODIGO FROM ") + QLatin1String(tabla) +
                                                     QStringLiteral(" WHERE SUBSTR(CODIGO, 1, ?) = ?"),
                                                 {int(largo), def_.CuentaMadre});
            for (; !rs.eof(); rs.siguiente()) {
                const QString k = texto::recortarDerecha(rs.texto(QStringLiteral("CODIGO")));
                if (k.size() != largo + ancho_ || !texto::igual(k.left(largo), def_.CuentaMadre)) continue;
                const QString resto = k.mid(largo);
                if (esEntero(resto)) tomados_.insert(lectura::entero(resto).o(0));
            }
        }
    }

    Conexion& con_;
    DefinicionImportacion& def_;
    int ancho_ = 0;
    qint64 maximo_ = 0;
    qint64 contador_ = 0, contadorMarca_ = 0;
    QSet<qint64> tomados_;
    std::vector<qint64> agregados_; // taken since the mark
    QSet<QString> condiciones_;
};

// The open batch of a run: its lines and their results, committed every
// kMsLote milliseconds. A batch that fails at its commit gives its numbers back
// and is replayed line by line.
class LoteCuentas {
public:
    LoteCuentas(Conexion& con, Corredor& corredor, const OpcionesCuentas& op, ResultadoCorrida& r)
        : con_(con), corredor_(corredor), op_(op), r_(r)
    {
    }

    // Every line of the file through the batches; false when the operator stopped the run.
    bool recorrer(LectorInterfaz& lector, Progreso& progreso)
    {
        LineaLeida linea;
        while (lector.siguiente(linea)) {
            if (tx_ && reloj_.elapsed() >= kMsLote) confirmar();
            const QString paso = QStringLiteral("Registro: ") + texto::str(linea.numero) + linea.texto.left(30);
            if (!progreso.Actualizar(linea.posicion, paso)) {
                confirmar();
                progreso.MostrarVentana(false);
                const bool parar = op_.confirmarCancelar ? op_.confirmarCancelar() : true;
                progreso.MostrarVentana(true);
                if (parar) return false;
            }
            procesar(linea);
        }
        confirmar();
        return true;
    }

    void confirmar()
    {
        if (!tx_) return;
        try {
            tx_->confirmar();
        } catch (const ErrorBD& e) {
            tx_.reset();
            if (e.impideSeguir()) throw;
            if (lineas_.size() <= 1 || !e.esReintentable()) {
                rechazarLote(e);
                return;
            }
            // Replayed one line per transaction, from the numbers the batch began with.
            corredor_.volverAMarca();
            auto repetir = std::move(lineas_);
            lineas_.clear();
            resultados_.clear();
            for (const auto& l : repetir) {
                procesar(l);
                confirmar();
            }
            return;
        }
        tx_.reset();
        lineas_.clear();
        auto rs = std::move(resultados_);
        resultados_.clear();
        entregar(rs);
    }

private:
    static LoteRecepcion::Resultado resultado(const LineaLeida& l, const QString& mensaje)
    {
        return LoteRecepcion::Resultado{int(l.numero), l.posicion, l.largo, mensaje};
    }
    void entregar(const std::vector<LoteRecepcion::Resultado>& rs)
    {
        for (const auto& x : rs) (x.mensaje.isEmpty() ? r_.grabados : r_.rechazados)++;
        if (op_.alConfirmar && !rs.empty()) op_.alConfirmar(rs);
    }
    // Every line of a batch that cannot be committed nor replayed is rejected with the error.
    void rechazarLote(const ErrorBD& e)
    {
        std::vector<LoteRecepcion::Resultado> rs;
        const QString lista = Utilidades::LineaDeLista(e, QStringLiteral("Procesa_Registro"));
        for (const auto& l : lineas_) rs.push_back(resultado(l, lista));
        corredor_.volverAMarca();
        lineas_.clear();
        resultados_.clear();
        entregar(rs);
    }
    void abrirLote()
    {
        if (tx_) return;
        tx_.emplace(con_);
        reloj_.start();
        corredor_.marcar();
    }
    // One line in the open batch; an unexpected error comes back as its text.
    QString unaLinea(const LineaLeida& l, bool& repetir)
    {
        abrirLote();
        if (!l.problema.isEmpty()) return l.problema;
        try {
            return corredor_.procesar(l.texto);
        } catch (const std::exception& e) {
            // A database that can't go on stops the run: the open batch is dropped, no line rejected for it.
            if (ErrorBD::impideSeguir(e)) throw;
            const QString lista = Utilidades::LineaDeLista(e, QStringLiteral("Procesa_Registro"));
            if (!op_.alFallar) return lista;
            // Nothing of the line stays; the batch's earlier lines are
            // committed before the operator is asked.
            confirmar();
            repetir = op_.alFallar(numeroDeError(e), descripcionDeError(e)) == plataforma::vbRetry;
            return lista;
        }
    }
    void procesar(const LineaLeida& l)
    {
        for (;;) {
            bool repetir = false;
            const QString mensaje = unaLinea(l, repetir);
            if (repetir) continue;
            abrirLote(); // the line's result waits for a commit like any other
            lineas_.push_back(l);
            resultados_.push_back(resultado(l, mensaje));
            return;
        }
    }

    Conexion& con_;
    Corredor& corredor_;
    const OpcionesCuentas& op_;
    ResultadoCorrida& r_;
    std::optional<Transaccion> tx_;
    QElapsedTimer reloj_;
    std::vector<LineaLeida> lineas_;
    std::vector<LoteRecepcion::Resultado> resultados_;
};

} // namespace

ResultadoCorrida RecibirCuentas(ContextoEmpresa& ctx, const QString& definicion, const QString& archivo,
                                Progreso& progreso, const OpcionesCuentas& op)
{
    ResultadoCorrida r;
    std::optional<ContextoEmpresa::Corrida> corrida;
    try {
        corrida.emplace(ctx);
    } catch (const std::exception&) {
        r.fin = ResultadoCorrida::Fin::Rechazada;
        r.error = MensajeOtraRecepcion();
        return r;
    }
    Conexion& con = ctx.con();
    bool iniciado = false;
    try {
        DefinicionImportacion def(con);
        if (!def.ObtieneDatosImp(definicion)) throw ErrorVexa(3021, QStringLiteral("El nombre informado no es correcto"));
        if (!ctx.configuracion().ExisteCuenta(def.CuentaMadre)) {
            r.fin = ResultadoCorrida::Fin::Rechazada;
            r.error = QStringLiteral("La cuenta madre (") + def.CuentaMadre + QStringLiteral(") de la interfaz no existe");
            return r;
        }
        auto lector = std::make_shared<LectorInterfaz>(archivo);
        lector->setOmitirVacias(true);
        if (!lector->abrir()) throw ErrorVexa(53, lector->error());
        if (op.alLeer) op.alLeer(lector);
        // The account-code structure as it is now, not as it was at start-up.
        LeerDigitosCuentas(ctx);
        CalcularPosicionesCuentas(ctx);
        Corredor corredor(ctx, def);

        progreso.Iniciar(QStringLiteral("ACTUALIZANDO DATOS"), QFileInfo(archivo).size());
        iniciado = true;
        LoteCuentas lote(con, corredor, op, r);
        const bool completa = lote.recorrer(*lector, progreso);
        if (!lector->error().isEmpty()) throw ErrorVexa(53, lector->error());
        r.fin = completa ? ResultadoCorrida::Fin::Completa : ResultadoCorrida::Fin::Cancelada;
    } catch (const std::exception& e) {
        r.fin = ResultadoCorrida::Fin::Error;
        r.errorNumero = numeroDeError(e);
        r.error = descripcionDeError(e);
    }
    if (iniciado) progreso.Cerrar();
    return r;
}

} // namespace vexa::recepcion
