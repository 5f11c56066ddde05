#include "Conexion.h"

#include "AnalisisSQL.h"
#include "ArchivoSQLite.h"
#include "MotorBD.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlResult>

#include <sqlite3.h>

#include <atomic>
#include <map>

namespace vexa {

// ---------------------------------------------------------------- connection

struct Conexion::Cache {
    std::map<QString, std::vector<std::unique_ptr<QSqlQuery>>> libres;
    size_t total = 0;
    // SQLite: action statements prepared once on the database handle itself.
    std::map<QString, sqlite3_stmt*> acciones;
    // SQLite: the bulk inserts' statements (InsercionMasiva), by table, columns and rows.
    std::map<QString, sqlite3_stmt*> masivas;
    // Columns of each statement's placeholders (see AnalisisSQL.h).
    std::map<QString, std::vector<QString>> marcas;
    void finalizarAcciones()
    {
        motor_sqlite::finalizar(acciones);
        motor_sqlite::finalizar(masivas);
    }
    ~Cache() { finalizarAcciones(); }
};

namespace {
std::atomic<int> g_contador{0};
} // namespace

Conexion::Conexion() : nombre_(QStringLiteral("vexa_%1").arg(++g_contador)), cache_(std::make_unique<Cache>()) {}

Conexion::~Conexion()
{
    Cerrar();
    db_ = QSqlDatabase();
    if (QSqlDatabase::contains(nombre_)) QSqlDatabase::removeDatabase(nombre_);
}

Conexion& Conexion::instancia()
{
    static Conexion* c = new Conexion(); // lives for the whole process
    return *c;
}

void Conexion::setDatos(const DatosConexion& d) { datos_ = d; }

Motor Conexion::motor() const { return datos_.esSQLite() ? Motor::SQLite : Motor::PostgreSQL; }
QString Conexion::Driver() const { return MotorBD::de(motor()).driver(); }

bool Conexion::Abrir()
{
    Cerrar();
    ultimoError_.clear();
    if (QSqlDatabase::contains(nombre_)) {
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(nombre_);
    }
    db_ = QSqlDatabase::addDatabase(Driver(), nombre_);
    if (!db_.isValid()) {
        ultimoError_ = QStringLiteral("No está disponible el controlador de base de datos ") + Driver();
        return false;
    }
    const MotorBD& m = MotorBD::de(motor());
    if (!m.configurar(db_, datos(), &ultimoError_)) return false;
    const bool esSQLite = motor() == Motor::SQLite;
    const QString archivo = datos_.dbName.trimmed();
    bool vacio = false;
    if (esSQLite) {
        ultimoError_ = archivo_sqlite::comprobarAntesDeAbrir(archivo);
        if (!ultimoError_.isEmpty()) return false;
        vacio = QFileInfo(archivo).size() == 0;
    }
    if (!db_.open()) {
        const QSqlError e = db_.lastError();
        ultimoError_ = esSQLite ? archivo_sqlite::mensajeAlAbrir(archivo, e.nativeErrorCode().toInt(), e.databaseText())
                                : e.text();
        return false;
    }
    perdida_ = false;
    daniado_ = false;
    mensajeDaniado_.clear();
    abierta_ = true;
    olvidarCatalogo();
    try {
        if (esSQLite) {
            sqlite_ = motor_sqlite::manejador(db_);
            motor_sqlite::preparar(sqlite_, &Conexion::esperaOcupada, this);
        }
        for (const QString& s : m.sentenciasDeSesion()) ejecutarDirecto(s);
        if (const QString s = m.sentenciaDiario(); !s.isEmpty() && !vacio) ejecutarDirecto(s);
        if (esSQLite) {
            // The header and the schema are read now: a file that is no database,
            // damaged or locked is refused here, not at the first command.
            ejecutarDirecto(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
            if (sqlite3_db_readonly(sqlite_, "main") == 1)
                throw ErrorBD(SQLITE_READONLY, QString(), QString::number(SQLITE_READONLY));
        }
        setTiempoEspera(tiempoEspera_);
    } catch (const ErrorBD& e) {
        // The engine's own text is the last line of the description.
        ultimoError_ = esSQLite ? archivo_sqlite::mensajeAlAbrir(archivo, e.estado().toInt(),
                                                                 e.descripcion().section(u'\n', -1))
                                : e.descripcion();
        sqlite_ = nullptr;
        daniado_ = false;
        abierta_ = false;
        db_.close();
        return false;
    }
    if (esSQLite) archivoAbierto_ = archivo_sqlite::registrarAbierto(archivo);
    return true;
}


bool Conexion::Conectado() const { return db_.isValid() && db_.isOpen(); }

void Conexion::liberarConsultas()
{
    cache_->libres.clear();
    cache_->total = 0;
    cache_->finalizarAcciones();
}

sqlite3_stmt*& Conexion::sentenciaMasiva(const QString& clave) { return cache_->masivas[clave]; }

bool Conexion::crearBaseSQLite(const QString& archivo)
{
    if (QFileInfo::exists(archivo)) {
        ultimoError_ = QStringLiteral("Ya existe el archivo ") + archivo;
        return false;
    }
    {
        QFile f(archivo);
        if (!f.open(QIODevice::WriteOnly)) {
            ultimoError_ = f.errorString();
            return false;
        }
    }
    datos_ = DatosConexion{QString(), archivo, QString(), QString()};
    if (!Abrir()) return false;
    // Opening an empty file leaves it empty; the new company's file is written now.
    try {
        ejecutarDirecto(MotorBD::de(motor()).sentenciaDiario());
    } catch (const ErrorBD& e) {
        ultimoError_ = e.descripcion();
        Cerrar();
        return false;
    }
    return true;
}

void Conexion::Cerrar()
{
    revision_.reset(); // a check still running is stopped: the file was not written meanwhile
    liberarConsultas();
    sqlite_ = nullptr;
    nivelTransaccion_ = 0;
    estadoTransaccion_.terminar();
    fallaNivel_.clear();
    abierta_ = false;
    if (db_.isValid() && db_.isOpen()) db_.close();
    if (archivoAbierto_) {
        archivo_sqlite::olvidarAbierto(archivoAbierto_);
        archivoAbierto_ = 0;
    }
}

QString Conexion::CadenaConexion() const
{
    if (motor() == Motor::SQLite) return QStringLiteral("Driver=QSQLITE;Database=") + datos_.dbName;
    return QStringLiteral("Driver=QPSQL;Server=%1;Database=%2;Uid=%3;Pwd=%4").arg(datos_.server, datos_.dbName, datos_.usuario, datos_.password);
}

void Conexion::setTiempoEspera(int segundos)
{
    tiempoEspera_ = segundos;
    if (!Conectado()) return;
    const QString s = MotorBD::de(motor()).sentenciaTiempoEspera(segundos);
    if (!s.isEmpty()) ejecutarDirecto(s);
}

int Conexion::esperaOcupada(void* conexion, int veces)
{
    auto* c = static_cast<Conexion*>(conexion);
    if (veces == 0) c->inicioEspera_.start();
    const qint64 limite = qint64(c->tiempoEspera_) * 1000;
    const qint64 esperado = c->inicioEspera_.elapsed();
    if (esperado >= limite) return 0;
    if (c->alEsperar_) {
        try {
            c->alEsperar_(int(esperado));
        } catch (...) {
            return 0;
        }
    }
    sqlite3_sleep(int(std::min<qint64>(25, limite - esperado)));
    return 1;
}

bool Conexion::cerradaSinCerrar() const
{
    // The PostgreSQL driver reports the connection closed once libpq saw it end.
    return abierta_ && (!Conectado() || MotorBD::de(motor()).conexionCerrada(db_));
}

bool Conexion::conexionPerdida()
{
    if (perdida_ || cerradaSinCerrar()) return true;
    // A server that ended the session while the program was idle is noticed
    // only by talking to it: a trivial statement, outside a transaction.
    const QString sonda = MotorBD::de(motor()).sentenciaSonda();
    if (!abierta_ || nivelTransaccion_ > 0 || sonda.isEmpty()) return false;
    QSqlQuery q(db_);
    if (!q.exec(sonda) && cerradaSinCerrar()) perdida_ = true;
    return perdida_;
}

bool Conexion::reabrir()
{
    // Abrir closes what is left (an open transaction is lost with the connection)
    // and opens again with the same fields; the wait hook and time-out stay.
    // Until it opens, the connection stays lost for every statement and check.
    if (Abrir()) return true;
    perdida_ = true;
    return false;
}

bool Conexion::transaccionAbortadaEnServidor() const
{
    return Conectado() && MotorBD::de(motor()).transaccionAbortada(db_);
}

const std::vector<QString>& Conexion::columnasDeMarcas(const QString& sql)
{
    auto it = cache_->marcas.find(sql);
    if (it == cache_->marcas.end()) {
        if (cache_->marcas.size() > 2000) cache_->marcas.clear();
        it = cache_->marcas.emplace(sql, sql::columnasDeMarcas(sql)).first;
    }
    return it->second;
}

QString Conexion::traducir(const QString& sql) const { return MotorBD::de(motor()).traducir(sql); }

QString Conexion::comoTexto(const QString& columna) const { return MotorBD::de(motor()).comoTexto(columna); }
QString Conexion::textoExacto(const QString& columna) const { return MotorBD::de(motor()).textoExacto(columna); }
QString Conexion::likeOperador() const { return MotorBD::de(motor()).likeOperador(); }

void Conexion::lanzar(const QSqlQuery& q, const QString& sql)
{
    const QSqlError e = q.lastError();
    QString desc = e.databaseText().trimmed();
    if (desc.isEmpty()) desc = e.text().trimmed();
    fallar(ErrorBD::delMotor(motor(), e.nativeErrorCode(), desc, sql, cerradaSinCerrar()));
}

void Conexion::fallar(const ErrorBD& e)
{
    if (!fallaNivel_.empty()) fallaNivel_.back() = true;
    if (e.esConexionPerdida()) perdida_ = true;
    if (sqlite_ && archivo_sqlite::esCodigoDeArchivoDaniado(e.estado().toInt())) {
        // The file is damaged: this command stops, and nothing more is written to it.
        daniado_ = true;
        mensajeDaniado_ = archivo_sqlite::mensajeDaniado(datos_.dbName.trimmed()) + u'\n' + e.descripcion();
        const ErrorBD d(e.numero(), mensajeDaniado_, e.estado(), e.sql(), e.causa());
        ultimoErrorSQL_ = d.descripcion();
        throw d;
    }
    ultimoErrorSQL_ = e.descripcion();
    throw e;
}

void Conexion::ejecutarDirecto(const QString& sql)
{
    QSqlQuery q(db_);
    if (!q.exec(sql)) lanzar(q, sql);
}

bool Conexion::leeEnFlujo() const { return MotorBD::de(motor()).leeEnFlujo(); }

void Conexion::exigirAbierta(const QString& sql)
{
    if (Conectado()) return; // the PostgreSQL driver answers from the connection's state
    // Opened and not closed by the program: the server or the network ended it.
    if (abierta_ || perdida_)
        fallar(ErrorBD::delMotor(motor(), QString(), QStringLiteral("La conexión con el servidor se cerró."), sql, true));
    throw ErrorBD(3704, QStringLiteral("La conexión con la base de datos no está abierta"), QString(), sql);
}

std::unique_ptr<QSqlQuery> Conexion::preparar(const QString& sql, const Params& p)
{
    exigirAbierta(sql);
    exigirArchivoSano(sql);
    std::unique_ptr<QSqlQuery> q;
    if (p.isEmpty()) {
        // Without parameters the statement runs as it is (DDL and utility statements can't be prepared).
        q = std::make_unique<QSqlQuery>(db_);
        q->setForwardOnly(leeEnFlujo());
        q->setNumericalPrecisionPolicy(QSql::HighPrecision);
        if (sql::cambiaEsquema(sql)) olvidarCatalogo();
        if (!q->exec(traducir(sql))) lanzar(*q, sql);
        return q;
    }
    auto it = cache_->libres.find(sql);
    if (it != cache_->libres.end() && !it->second.empty()) {
        q = std::move(it->second.back());
        it->second.pop_back();
        --cache_->total;
    } else {
        q = std::make_unique<QSqlQuery>(db_);
        q->setForwardOnly(leeEnFlujo());
        q->setNumericalPrecisionPolicy(QSql::HighPrecision);
        if (!q->prepare(traducir(sql))) lanzar(*q, sql);
    }
    const std::vector<QString>& columnas = columnasDeMarcas(sql);
    try {
        for (int i = 0; i < p.size(); ++i) q->bindValue(i, valorParaColumna(p[i], i < (int)columnas.size() ? columnas[i] : QString()));
    } catch (const ErrorBD& e) {
        devolver(std::move(q), sql);
        fallar(ErrorBD(e.numero(), e.descripcion(), e.estado(), sql));
    }
    if (!q->exec()) {
        try {
            lanzar(*q, sql);
        } catch (...) {
            q->finish();
            throw;
        }
    }
    return q;
}

void Conexion::devolver(std::unique_ptr<QSqlQuery> q, const QString& sql)
{
    if (!q) return;
    q->finish();
    if (!Conectado() || cache_->total >= 200 || q->boundValues().isEmpty()) return;
    cache_->libres[sql].push_back(std::move(q));
    ++cache_->total;
}

Recordset Conexion::ObtenerRecordset(const QString& sql, const Params& p)
{
    auto q = preparar(sql, p);
    return Recordset(this, std::move(q), sql);
}

std::optional<Fila> Conexion::PrimeraFila(const QString& sql, const Params& p)
{
    Recordset rs = ObtenerRecordset(sql, p);
    if (rs.eof()) return std::nullopt;
    Fila f = rs.fila();
    rs.cerrar();
    return f;
}

QVariant Conexion::Escalar(const QString& sql, const Params& p)
{
    auto f = PrimeraFila(sql, p);
    if (!f || f->cantidad() == 0) return QVariant();
    return f->valor(0);
}

int Conexion::ejecutarAccionSQLite(const QString& sql, const Params& p)
{
    const std::vector<QString>& columnas = columnasDeMarcas(sql);
    std::vector<QVariant> valores;
    valores.reserve(p.size());
    try {
        for (int i = 0; i < p.size(); ++i)
            valores.push_back(valorParaColumna(p[i], i < (int)columnas.size() ? columnas[i] : QString()));
        return motor_sqlite::ejecutarAccion(sqlite_, cache_->acciones, sql, valores);
    } catch (const ErrorBD& e) {
        fallar(e.sql().isEmpty() ? ErrorBD(e.numero(), e.descripcion(), e.estado(), sql, e.causa()) : e);
    }
}

int Conexion::EjecutarSQL(const QString& sql, const Params& p)
{
    // Action statements with parameters go straight to SQLite: binding through
    // the generic driver costs more than the statement itself on a posting run.
    exigirArchivoSano(sql);
    if (sqlite_ && !p.isEmpty() && Conectado()) return ejecutarAccionSQLite(sql, p);
    auto q = preparar(sql, p);
    int n = q->numRowsAffected();
    devolver(std::move(q), sql);
    return n;
}

void Conexion::iniciarTransaccion(bool escritura)
{
    exigirAbierta(QString());
    if (escritura) exigirArchivoSano(QStringLiteral("BEGIN IMMEDIATE"));
    if (nivelTransaccion_ == 0) {
        for (auto& [s, v] : cache_->libres)
            for (auto& q : v) q->finish();
        ejecutarDirecto(MotorBD::de(motor()).sentenciaInicio(escritura));
        estadoTransaccion_.terminar();
    } else {
        ejecutarDirecto(QStringLiteral("SAVEPOINT vexa_%1").arg(nivelTransaccion_));
    }
    ++nivelTransaccion_;
    estadoTransaccion_.abrirNivel();
    fallaNivel_.push_back(false);
}

void Conexion::confirmarTransaccion()
{
    if (nivelTransaccion_ <= 0) return;
    // On any failure the level is rolled back here: afterwards it is closed either way.
    const auto deshacerYLanzar = [this](const ErrorBD& e) {
        try {
            deshacerTransaccion();
        } catch (...) {
        }
        throw e;
    };
    // PostgreSQL answers COMMIT with a rollback when a statement failed inside the
    // transaction, even one run around this layer: that is a failure too.
    if (transaccionFallida() || (nivelTransaccion_ == 1 && transaccionAbortadaEnServidor())) {
        deshacerYLanzar(ErrorBD(-2147168242,
                                QStringLiteral("No se confirmaron los cambios: una sentencia falló dentro de la transacción "
                                               "y todos sus cambios se deshicieron.") +
                                    (ultimoErrorSQL_.isEmpty() ? QString() : u'\n' + ultimoErrorSQL_),
                                QString(), QString(), ErrorBD::Causa::TransaccionFallida));
    }
    if (nivelTransaccion_ == 1) {
        for (auto& [s, v] : cache_->libres)
            for (auto& q : v) q->finish();
        bool rechazado = false;
        try {
            QSqlQuery q(db_);
            if (!q.exec(QStringLiteral("COMMIT"))) lanzar(q, QStringLiteral("COMMIT"));
            rechazado = MotorBD::de(motor()).commitDeshecho(q);
        } catch (const ErrorBD& e) {
            deshacerYLanzar(e);
        }
        if (rechazado) {
            --nivelTransaccion_;
            estadoTransaccion_.terminar();
            fallaNivel_.clear();
            throw ErrorBD(-2147168242,
                          QStringLiteral("No se confirmaron los cambios: el servidor deshizo la transacción porque una "
                                         "sentencia había fallado dentro de ella."),
                          QString(), QStringLiteral("COMMIT"), ErrorBD::Causa::TransaccionFallida);
        }
        estadoTransaccion_.terminar();
        fallaNivel_.clear();
    } else {
        try {
            ejecutarDirecto(QStringLiteral("RELEASE SAVEPOINT vexa_%1").arg(nivelTransaccion_ - 1));
        } catch (const ErrorBD& e) {
            deshacerYLanzar(e);
        }
        fallaNivel_.pop_back();
        estadoTransaccion_.confirmarNivel();
    }
    --nivelTransaccion_;
}

void Conexion::deshacerTransaccion()
{
    if (nivelTransaccion_ <= 0) return;
    --nivelTransaccion_;
    estadoTransaccion_.deshacerNivel();
    if (!fallaNivel_.empty()) fallaNivel_.pop_back();
    for (auto& [s, v] : cache_->libres)
        for (auto& q : v) q->finish();
    if (nivelTransaccion_ == 0) {
        estadoTransaccion_.terminar();
        fallaNivel_.clear();
        if (perdida_ || cerradaSinCerrar()) return; // nothing left to roll back on a lost connection
        ejecutarDirecto(QStringLiteral("ROLLBACK"));
    } else {
        ejecutarDirecto(QStringLiteral("ROLLBACK TO SAVEPOINT vexa_%1").arg(nivelTransaccion_));
        ejecutarDirecto(QStringLiteral("RELEASE SAVEPOINT vexa_%1").arg(nivelTransaccion_));
    }
}

void Conexion::bloquearFamilia(const QString& clave)
{
    const QString bloqueo = MotorBD::de(motor()).sentenciaBloqueo();
    if (bloqueo.isEmpty()) return;
    const QString marca = clave.trimmed().toUpper();
    if (estadoTransaccion_.familiaBloqueada(marca)) return;
    // FNV-1a over the key's UTF-8 bytes: the same key gives the same lock on every station.
    quint64 h = 1469598103934665603ULL;
    for (char c : marca.toUtf8()) {
        h ^= (unsigned char)c;
        h *= 1099511628211ULL;
    }
    EjecutarSQL(bloqueo, {qlonglong(h)});
    estadoTransaccion_.marcarFamiliaBloqueada(marca);
}

// ---------------------------------------------------------------- transaction guard

Transaccion::Transaccion(Conexion& c, bool escritura) : c_(c)
{
    c_.iniciarTransaccion(escritura);
    activa_ = true;
}

Transaccion::~Transaccion()
{
    if (activa_) {
        try {
            c_.deshacerTransaccion();
        } catch (...) {
        }
    }
}

void Transaccion::confirmar()
{
    if (!activa_) return;
    activa_ = false;
    c_.confirmarTransaccion(); // ends the level even when it throws
}

void Transaccion::deshacer()
{
    if (!activa_) return;
    activa_ = false;
    c_.deshacerTransaccion();
}

} // namespace vexa
