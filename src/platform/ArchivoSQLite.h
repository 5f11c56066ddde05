#pragma once
// The SQLite company file as a file: what stops it being opened (permissions,
// a damaged or foreign file), the messages for the operator, and the files
// that connections of this process hold open.
//
// Nothing in the process but the database engine may open the company's files
// (the database, its -wal, -shm and -journal): SQLite keeps its locks as POSIX
// record locks, and closing any other descriptor of one of those files drops
// every lock the process holds on it, so that another program believes the
// database unused. Code that opens a file the operator names asks
// esArchivoDeBaseAbierta first.
#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

struct sqlite3;

namespace vexa::archivo_sqlite {

// The integrity check of a company file (PRAGMA quick_check: every page of the
// file read and its structure checked), run on a connection of its own in a
// thread of its own, so that the program starts without waiting for it.
// Conexion waits for its result before the first statement that writes.
class RevisionIntegridad {
public:
    explicit RevisionIntegridad(const QString& archivo);
    // Stops a check still running (nothing is known then) and waits for its thread.
    ~RevisionIntegridad();
    RevisionIntegridad(const RevisionIntegridad&) = delete;
    RevisionIntegridad& operator=(const RevisionIntegridad&) = delete;
    // Waits for the check: "" when the file is sound (or could not be read to
    // the end for a reason other than damage, which the statements will meet
    // themselves), else the message for a damaged file with the engine's findings.
    QString resultado();

private:
    void correr();
    QString archivo_;
    std::mutex m_;
    std::condition_variable fin_;
    bool terminada_ = false;
    bool detener_ = false;
    sqlite3* bd_ = nullptr; // while the check runs (to interrupt it)
    QString resultado_;
    std::thread hilo_;
};

// Checks that need no descriptor of the file (only its metadata), before the
// engine opens it: "" when it may be opened, else the message. A file nobody
// may write and a folder where the engine cannot create the -wal and -shm
// files are refused here, so that the engine leaves nothing behind.
QString comprobarAntesDeAbrir(const QString& archivo);

// The message for an error the engine gave while the file was being opened
// (primary or extended result code, the engine's text): a Spanish first line
// naming the file and the cause, the engine's text on the second.
QString mensajeAlAbrir(const QString& archivo, int codigo, const QString& textoMotor);

// The message for a file found damaged (by the check at start-up or by an
// error met later): names the file and says what to do.
QString mensajeDaniado(const QString& archivo);

// Whether a result code says the file is damaged or is no database.
bool esCodigoDeArchivoDaniado(int codigo);

// The registry of open company files: one entry per connection, from its
// opening to its closing (the number registrarAbierto gives; 0: not kept,
// the file could not be found).
quint64 registrarAbierto(const QString& archivo);
void olvidarAbierto(quint64 registro);
// True when ruta is a database file a connection of this process has open, or
// its -wal, -shm or -journal file (compared by device and inode, so another
// spelling of the path or a link to the file counts too).
bool esArchivoDeBaseAbierta(const QString& ruta);

} // namespace vexa::archivo_sqlite
