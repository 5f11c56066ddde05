#pragma once
// The listed lines of a reception run, kept compactly, and the two list models
// (recorded lines, rejected lines) that show them.
//
// Per line only its number, its place in the file and, for a rejected line, the
// number of its message are kept (about 16 bytes a recorded line, 20 a rejected
// one); a message is stored once however many lines share it. A recorded line's
// text is read again from the file when a row is shown (textoLinea, usually
// LectorInterfaz::lineaEn of the reader that read the file).
//
// The rows read exactly as the reception has always listed them:
//   recorded: "Linea: " + texto::str(numero) + "  " + the line's text
//   rejected: "Linea: " + texto::str(numero) + "  " + the message
// A rejected row without a line number (numero 0: a message about a whole
// voucher, which names the voucher itself) reads as its message alone.
//
// Use: create one per window, hand the models to the list views, call
// fijarTextoLinea with the run's reader, agregar() each committed batch (the
// models emit rowsInserted), textos() to print a list, limpiar() before a new run.
#include <QAbstractListModel>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace vexa::recepcion {

class ResultadosRecepcion;

// One of the two lists, read-only; rows fetched from the store when shown.
class ModeloResultados : public QAbstractListModel {
    Q_OBJECT
public:
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    friend class ResultadosRecepcion;
    ModeloResultados(const ResultadosRecepcion& r, bool grabados) : r_(r), grabados_(grabados) {}
    const ResultadosRecepcion& r_;
    bool grabados_;
};

class ResultadosRecepcion {
public:
    enum class Lista { Grabados, Rechazados };

    // One line's final result, as its batch committed.
    struct Fila {
        qint64 numero = 0;   // line number in the file, from 1; 0: none (the message says it all)
        qint64 posicion = 0; // byte offset and length of the line in the file (LineaLeida)
        qint64 largo = 0;
        QString mensaje;     // empty: recorded; else why it was rejected
    };

    // Text of the line at that place of the file.
    using TextoLinea = std::function<QString(qint64 posicion, qint64 largo)>;

    ResultadosRecepcion();
    ~ResultadosRecepcion();
    ResultadosRecepcion(const ResultadosRecepcion&) = delete;
    ResultadosRecepcion& operator=(const ResultadosRecepcion&) = delete;

    void fijarTextoLinea(TextoLinea f);
    // Appends a committed batch in file order; each model signals its new rows.
    void agregar(const std::vector<Fila>& lote);
    // Empties both lists (models reset) and forgets the messages and textoLinea.
    void limpiar();

    qsizetype cantidad(Lista l) const;
    // Fields of a row (0-based) of a list; mensaje is empty for a recorded line.
    Fila fila(Lista l, qsizetype i) const;
    // The row's text as listed.
    QString texto(Lista l, qsizetype i) const;
    // Every row's text in order (for printing).
    QStringList textos(Lista l) const;

    ModeloResultados* modeloGrabados() const { return grabados_.get(); }
    ModeloResultados* modeloRechazados() const { return rechazados_.get(); }

    // Bytes the store holds (capacities of its arrays and the distinct messages).
    qint64 bytesOcupados() const;
    qsizetype mensajesDistintos() const { return mensajes_.size(); }

private:
    quint32 interno(const QString& mensaje);

    // Recorded lines.
    std::vector<quint32> gNumero_, gLargo_;
    std::vector<qint64> gPosicion_;
    // Rejected lines.
    std::vector<quint32> rNumero_, rLargo_, rMensaje_;
    std::vector<qint64> rPosicion_;

    std::vector<QString> mensajes_;
    QHash<QString, quint32> idMensaje_;
    qint64 bytesMensajes_ = 0;
    TextoLinea textoLinea_;
    std::unique_ptr<ModeloResultados> grabados_, rechazados_;
};

} // namespace vexa::recepcion
