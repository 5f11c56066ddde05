#pragma once
// What a connection remembers while a transaction is open, typed per need.
//
// Most of it follows the savepoints: each open level (the transaction, then
// one per savepoint) keeps only its own changes; a lookup reads from the
// innermost level out, a released savepoint merges its changes into the
// enclosing level, a rolled-back one drops them. Nothing is copied when a
// savepoint opens, so a batch that opens one per line stays linear.
//
// The entry numbers taken per family are kept for the whole transaction
// instead, even past a rolled-back savepoint.
//
// Outside a transaction nothing is kept: setters do nothing, lookups find
// nothing. The end of the outermost transaction clears everything.
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace vexa {

// A voucher numbering to write just before the commit.
struct NumeracionPendiente {
    QString tc;
    QString sucursal;
    QString numero; // as written in the entry
    QString letra;
    qint64 valor = 0; // the number's value
};

// The highest advisory lock taken: its level, then its key's hash.
using OrdenBloqueo = std::pair<int, qint64>;

// Changes of one level that belong to a library above the platform (the
// reception's rows read ahead). The library derives from it; merging into the
// enclosing level's slot of the same type is its own business.
class CapaExtension {
public:
    virtual ~CapaExtension() = default;
    // Hands this level's changes to the enclosing level's slot (same type).
    virtual void fundirEn(CapaExtension& padre) = 0;
};

class EstadoTransaccion {
public:
    // Level bookkeeping, driven by Conexion.
    void abrirNivel();
    void confirmarNivel(); // a released savepoint: its changes go to the enclosing level
    void deshacerNivel();  // a rolled-back level: its changes are dropped
    void terminar();       // the outermost transaction ended (or the connection closed)
    bool activo() const { return !niveles_.empty(); }

    // Entry numbers: the last one handed out per family, kept until the
    // transaction ends. olvidarNumeros drops them all.
    std::optional<qint32> numeroTomado(const QString& familia) const;
    void fijarNumeroTomado(const QString& familia, qint32 numero);
    void olvidarNumeros();

    // Voucher numberings pending for the commit, by key, and their keys in
    // the order first noted.
    std::optional<NumeracionPendiente> numeracionPendiente(const QString& clave) const;
    void fijarNumeracionPendiente(const QString& clave, const NumeracionPendiente& n);
    QStringList clavesNumeracion() const;
    void fijarClavesNumeracion(const QStringList& claves);
    // Forgets one pending numbering (it was written).
    void olvidarNumeracion(const QString& clave);

    // Families locked by Conexion::bloquearFamilia (key as given there).
    bool familiaBloqueada(const QString& clave) const;
    void marcarFamiliaBloqueada(const QString& clave);

    // Advisory locks held (key hashes) and the highest one taken.
    bool bloqueoTomado(qint64 hash) const;
    void marcarBloqueoTomado(qint64 hash);
    std::optional<OrdenBloqueo> mayorBloqueo() const;
    void fijarMayorBloqueo(OrdenBloqueo orden);

    // Vouchers met in the batch (by their identity key).
    bool comprobanteVisto(const QString& clave) const;
    void marcarComprobanteVisto(const QString& clave);

    // The extension slot of each level, innermost first, of type T (a
    // CapaExtension). Lookups walk them with paraCadaExtension; capaExtension
    // gives the innermost level's, made on first use (nullptr outside a
    // transaction).
    template <class T, class F>
    void paraCadaExtension(F&& f) const
    {
        for (auto it = niveles_.rbegin(); it != niveles_.rend(); ++it)
            if (const auto* e = dynamic_cast<const T*>(it->extension.get()))
                if (f(*e)) return; // true: found, stop
    }
    template <class T>
    T* capaExtension()
    {
        if (niveles_.empty()) return nullptr;
        auto& slot = niveles_.back().extension;
        if (!slot) slot = std::make_unique<T>();
        return dynamic_cast<T*>(slot.get());
    }

private:
    struct Nivel {
        // nullopt: forgotten at this level (hides what an enclosing level has).
        QHash<QString, std::optional<NumeracionPendiente>> numeraciones;
        std::optional<QStringList> clavesNumeracion;
        QSet<QString> familias;
        QSet<qint64> bloqueos;
        std::optional<OrdenBloqueo> mayorBloqueo;
        QSet<QString> vistos;
        std::unique_ptr<CapaExtension> extension;
    };
    // Whether any open level's set holds the key.
    template <class Conjunto, class Clave>
    bool enAlguno(Conjunto Nivel::*conjunto, const Clave& clave) const
    {
        for (const Nivel& n : niveles_)
            if ((n.*conjunto).contains(clave)) return true;
        return false;
    }

    std::vector<Nivel> niveles_;
    QHash<QString, qint32> numeros_;
};

} // namespace vexa
