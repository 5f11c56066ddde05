// Receptions stopped because the database can't go on (a full disk, another
// user's lock held past the time-out, a connection the server ended), on both
// kinds of file, without a window: a stopped run lists only what it committed,
// names the cause once, and its lists, its log row and its end message agree.
// After a lost connection the connection is opened again and the next
// reception posts.
#include "AyudaRecepcion.h"
#include "AyudaVexa.h"
#include "BaseDePrueba.h"
#include "ContextoEmpresa.h"
#include "CorridaRecepcion.h"
#include "CorridaVexa.h"
#include "LoteRecepcion.h"
#include "TestigoRecepcion.h"
#include "Progreso.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <numeric>
#include <memory>

using namespace vexa;
using namespace vexa::recepcion;
using namespace vexa::prueba;

namespace {

// Calls the hook at each step of the run (the interface run: each line; the
// commercial file's run: each line read); 'cancelarEn' answers one cancel there.
class ProgresoConPaso : public ProgresoNulo {
public:
    bool Actualizar(qint64, const QString&) override
    {
        ++pasos;
        if (alPaso) alPaso(pasos);
        return pasos != cancelarEn;
    }
    std::function<void(int)> alPaso;
    int pasos = 0;
    int cancelarEn = -1;
};

enum class Causa { DiscoLleno, EsperaAgotada, ConexionPerdida };
enum class Archivo { Interfaz, Vexa };

// What a stopped run left: its result and what it listed.
struct Detenida {
    bool conError = false; // ended with Fin::Error
    qint32 id = 0;
    int grabados = 0, rechazados = 0;
    int listadosGrabados = 0, listadosRechazados = 0;
    QStringList mensajesListados;
    QString error;
};

class CorridaDetenida : public BaseDePrueba {
protected:
    bool conDemo() const override { return true; }
    void SetUp() override
    {
        BaseDePrueba::SetUp();
        ctx = std::make_unique<ContextoEmpresa>(con());
        CargarValoresContables(*ctx);
        ctx->usuario = QStringLiteral("PEPE");
        ctx->seccionEquipo = QStringLiteral("EQUIPO|PEPE");
    }
    void TearDown() override
    {
        if (con().Conectado() && !con().conexionPerdida()) {
            con().setTiempoEspera(30);
            if (motor() == Motor::SQLite) con().EjecutarSQL(QStringLiteral("PRAGMA max_page_count = 1073741823"));
        }
        ctx.reset();
        BaseDePrueba::TearDown();
    }
    QString escribir(const QString& nombre, const QStringList& lineas)
    {
        const QString ruta = dir.filePath(nombre);
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((lineas.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
        return ruta;
    }
    // 60 vouchers numbered from 'desde'; the second is refused (an unknown
    // customer, an unbalanced entry).
    QString archivo(Archivo a, int desde)
    {
        QStringList lineas;
        for (int i = 0; i < kComprobantes; ++i) {
            const int n = desde + i;
            if (a == Archivo::Interfaz) lineas << (i == 1 ? lineaVenta(n, "100", "21", "121", "CLI999") : lineaVenta(n));
            else lineas << (i == 1 ? ventaVexa(QString::number(i + 1), n, "100", "50", "121") : ventaVexa(QString::number(i + 1), n));
        }
        return escribir(a == Archivo::Interfaz ? QStringLiteral("ventas.txt") : QStringLiteral("vexa.txt"), lineas);
    }
    // The step of the run at which the tenth voucher has been handed over.
    static int pasoDelDecimo(Archivo a) { return a == Archivo::Interfaz ? 10 : 30; }

    Detenida recibir(Archivo a, const QString& ruta, ProgresoConPaso& progreso)
    {
        Detenida d;
        if (a == Archivo::Interfaz) {
            const ResultadoCorrida r = RecibirInterface(*ctx, QStringLiteral("VENTAS"), ruta, progreso, [&](const auto& lote) {
                for (const auto& x : lote) {
                    (x.mensaje.isEmpty() ? d.listadosGrabados : d.listadosRechazados)++;
                    if (!x.mensaje.isEmpty()) d.mensajesListados << x.mensaje;
                }
            });
            d.conError = r.fin == ResultadoCorrida::Fin::Error;
            d.id = r.idRecepcion;
            d.grabados = r.grabados;
            d.rechazados = r.rechazados;
            d.error = r.error;
        } else {
            const ResultadoCorridaVexa r = RecibirVexa(
                *ctx, ruta, progreso,
                [&](const QStringList& errores) {
                    d.listadosRechazados += int(errores.size());
                    d.mensajesListados << errores;
                },
                {},
                [this] {
                    if (alCancelar) alCancelar();
                    return false; // the operator goes on
                });
            d.conError = r.fin == ResultadoCorridaVexa::Fin::Error;
            d.id = r.idRecepcion;
            d.grabados = r.grabados;
            d.rechazados = r.leidos - r.grabados;
            d.error = r.error;
            d.listadosGrabados = -1; // this run lists its rejected vouchers only
        }
        return d;
    }
    // Lists, log row, journal and message tell the same story.
    void revisar(const Detenida& d, const QString& causa)
    {
        ASSERT_TRUE(d.conError) << d.error.toStdString() << " grabados=" << d.grabados << " rechazados=" << d.rechazados;
        ASSERT_NE(d.id, 0);
        const QStringList lineas = d.error.split(u'\n');
        EXPECT_TRUE(lineas.first().startsWith(causa)) << d.error.toStdString();
        EXPECT_EQ(lineas.last(), MensajeCorridaDetenida(d.grabados, d.rechazados)) << d.error.toStdString();
        EXPECT_EQ(d.error.count(causa), 1) << d.error.toStdString();
        for (const QString& m : d.mensajesListados) EXPECT_FALSE(m.contains(causa)) << m.toStdString();
        if (d.listadosGrabados >= 0) {
            EXPECT_EQ(d.listadosGrabados, d.grabados);
        }
        EXPECT_EQ(d.listadosRechazados, d.rechazados);
        EXPECT_LE(d.rechazados, 1); // the refused second voucher, when its batch was committed; nothing else
        EXPECT_LT(d.grabados + d.rechazados, kComprobantes); // it stopped
        const auto t = con().PrimeraFila(QStringLiteral("SELECT * FROM TESTIGO_RECEPCION WHERE ID = ?"), {d.id});
        ASSERT_TRUE(t);
        EXPECT_EQ(t->entero("REGISTROS_LEIDOS"), d.grabados);
        EXPECT_EQ(t->entero("REGISTROS_IGNORADOS"), d.rechazados);
        EXPECT_TRUE(t->esNulo("TOTAL_LINEAS"));
        EXPECT_EQ(contar(con(), QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE NRO_TRANSMISION = ?"), {d.id}),
                  3 * d.grabados);
        EXPECT_EQ(asientosRotos(con()), 0);
    }

    // The tenth voucher's rows fail with the SQLSTATE when they are written (once).
    void fallaAlGrabarElDecimo(int desde, const char* estado)
    {
        con().EjecutarSQL(QStringLiteral("CREATE SEQUENCE sq_falla"));
        con().EjecutarSQL(QStringLiteral("CREATE FUNCTION f_falla() RETURNS trigger AS $$ BEGIN "
                                         "IF NEW.numero_valor = %1 THEN IF nextval('sq_falla') = 1 THEN %2; END IF; END IF; "
                                         "RETURN NEW; END $$ LANGUAGE plpgsql")
                              .arg(desde + 9)
                              .arg(QString::fromLatin1(estado)));
        con().EjecutarSQL(QStringLiteral("CREATE TRIGGER tr_falla AFTER INSERT ON MV_ASIENTOS FOR EACH ROW EXECUTE FUNCTION f_falla()"));
    }

    static constexpr int kComprobantes = 60;
    std::unique_ptr<ContextoEmpresa> ctx;
    QTemporaryDir dir;
    std::function<void()> alCancelar;
};

const char* nombreCausa(Causa c)
{
    return c == Causa::DiscoLleno ? "disco lleno" : c == Causa::EsperaAgotada ? "bloqueo agotado" : "conexión perdida";
}

QString textoCausa(Causa c)
{
    switch (c) {
    case Causa::DiscoLleno: return QStringLiteral("El disco de la base de datos está lleno");
    case Causa::EsperaAgotada: return QStringLiteral("Otro usuario tiene ocupados los datos");
    case Causa::ConexionPerdida: return QStringLiteral("Se perdió la conexión con la base de datos");
    }
    return QString();
}

TEST_P(CorridaDetenida, ListasTestigoYMensajeDicenLoMismo)
{
    const bool pg = motor() == Motor::PostgreSQL;
    int desde = 800;
    for (Causa causa : {Causa::DiscoLleno, Causa::EsperaAgotada, Causa::ConexionPerdida}) {
        for (Archivo a : {Archivo::Interfaz, Archivo::Vexa}) {
            SCOPED_TRACE(std::string(nombreCausa(causa)) + (a == Archivo::Interfaz ? " / interfaz" : " / comercial"));
            // A server that ends a session exists only on PostgreSQL; SQLite lets
            // another connection take the write lock only between batches, which
            // the commercial run's cancel question offers.
            if (causa == Causa::ConexionPerdida && !pg) continue;
            if (causa == Causa::EsperaAgotada && !pg && a == Archivo::Interfaz) continue;
            desde += 100;
            const QString ruta = archivo(a, desde);
            ProgresoConPaso progreso;
            std::unique_ptr<Conexion> otra;
            std::unique_ptr<Transaccion> retiene;
            alCancelar = {};
            switch (causa) {
            case Causa::DiscoLleno:
                if (pg) {
                    fallaAlGrabarElDecimo(desde, "RAISE EXCEPTION 'could not extend file: No space left on device' "
                                                 "USING ERRCODE = 'disk_full'");
                } else {
                    // No free page left in the file, and no room for another.
                    con().EjecutarSQL(QStringLiteral("VACUUM"));
                    progreso.alPaso = [&](int paso) {
                        if (paso != pasoDelDecimo(a)) return;
                        const qlonglong paginas = con().Escalar(QStringLiteral("PRAGMA page_count")).toLongLong();
                        con().EjecutarSQL(QStringLiteral("PRAGMA max_page_count = %1").arg(paginas));
                    };
                }
                break;
            case Causa::EsperaAgotada:
                con().setTiempoEspera(2);
                otra = otraConexion();
                if (pg) {
                    // Another station holds the run's log row: the next batch waits for it in vain.
                    progreso.alPaso = [&](int paso) {
                        if (paso != pasoDelDecimo(a)) return;
                        retiene = std::make_unique<Transaccion>(*otra);
                        otra->Escalar(QStringLiteral("SELECT ID FROM TESTIGO_RECEPCION WHERE ID = "
                                                     "(SELECT MAX(ID) FROM TESTIGO_RECEPCION) FOR UPDATE"));
                    };
                } else {
                    // Asked whether to cancel, between two batches, while another
                    // station takes the write lock; the operator goes on.
                    progreso.cancelarEn = pasoDelDecimo(a);
                    alCancelar = [&] { retiene = std::make_unique<Transaccion>(*otra); };
                }
                break;
            case Causa::ConexionPerdida:
                fallaAlGrabarElDecimo(desde, "PERFORM pg_terminate_backend(pg_backend_pid())");
                break;
            }

            const Detenida d = recibir(a, ruta, progreso);

            retiene.reset();
            otra.reset();
            if (causa == Causa::ConexionPerdida) {
                ASSERT_TRUE(con().conexionPerdida());
                ASSERT_TRUE(con().reabrir()) << con().ultimoError().toStdString();
            }
            con().setTiempoEspera(30);
            if (!pg) con().EjecutarSQL(QStringLiteral("PRAGMA max_page_count = 1073741823"));
            if (pg) {
                con().EjecutarSQL(QStringLiteral("DROP TRIGGER IF EXISTS tr_falla ON MV_ASIENTOS"));
                con().EjecutarSQL(QStringLiteral("DROP FUNCTION IF EXISTS f_falla()"));
                con().EjecutarSQL(QStringLiteral("DROP SEQUENCE IF EXISTS sq_falla"));
            }
            revisar(d, textoCausa(causa));

            // The next reception of the same station posts.
            ProgresoConPaso otraVez;
            const QString siguiente = escribir(QStringLiteral("siguiente.txt"),
                                               a == Archivo::Interfaz ? QStringList{lineaVenta(desde + 90)}
                                                                      : ventaVexa(QStringLiteral("1"), desde + 90));
            const Detenida n = recibir(a, siguiente, otraVez);
            EXPECT_FALSE(n.conError) << n.error.toStdString();
            EXPECT_EQ(n.grabados, 1) << n.error.toStdString();
        }
    }
}

// A run longer than one batch lists each batch's lines as the batch commits,
// not all of them at the end (the list in the window fills while it runs, and
// the results of a long file are never all held at once).
TEST_P(CorridaDetenida, CadaLoteSeListaAlConfirmarse)
{
    const int lineas = 2 * int(LoteRecepcion::lineasPorLote(motor()));
    QStringList texto;
    for (int i = 0; i < lineas; ++i) texto << lineaVenta(5000 + i);
    const QString ruta = escribir(QStringLiteral("largo.txt"), texto);
    ProgresoConPaso progreso;
    std::vector<int> pasoDeEntrega, tamanos;
    const ResultadoCorrida r = RecibirInterface(*ctx, QStringLiteral("VENTAS"), ruta, progreso, [&](const auto& lote) {
        pasoDeEntrega.push_back(progreso.pasos);
        tamanos.push_back(int(lote.size()));
    });
    ASSERT_EQ(r.fin, ResultadoCorrida::Fin::Completa) << r.error.toStdString();
    EXPECT_EQ(r.grabados, lineas);
    ASSERT_GE(pasoDeEntrega.size(), 2u);
    EXPECT_LT(pasoDeEntrega.front(), lineas) << "the first batch was listed only at the end";
    EXPECT_EQ(std::accumulate(tamanos.begin(), tamanos.end(), 0), lineas);

    // However fast the lines go by: a batch that reaches its size commits
    // inside procesar, and its lines are there to hand out at once.
    struct Aceptar : RegistroLote {
        Respuesta registrar(const LineaLeida&) override { return {}; }
    } registro;
    TestigoRecepcion testigo(&con());
    testigo.Reservar(ruta, QStringLiteral("PEPE"));
    LoteRecepcion lote(con(), registro, testigo);
    LineaLeida l;
    size_t antes = 0;
    for (int i = 1; i <= lineas && !lote.hayConfirmados(); ++i) {
        l.numero = i;
        lote.procesar(l);
        antes = size_t(i);
    }
    ASSERT_TRUE(lote.hayConfirmados());
    EXPECT_LT(antes, size_t(lineas));
    EXPECT_EQ(lote.confirmados().size(), LoteRecepcion::lineasPorLote(motor()));
    EXPECT_FALSE(lote.hayConfirmados());
    lote.confirmar();
}

VEXA_AMBOS_MOTORES(CorridaDetenida);

} // namespace
