#pragma once
// Streaming reader of an interface text file: one line at a time, with its
// number and its place in the file, never the whole file in memory.
//
// Line ends: CR LF, LF and a lone CR each end a line, in any mix. A last line
// without an end counts; an end at the end of the file makes no extra empty
// line; an empty line in the middle is a line. A reception reads with
// setOmitirVacias(true): an empty line (not a single character between two
// line ends, as doubled ends "\r\r\n" or "\n\r" leave) keeps its number but
// is not handed out, so no reader receives, lists or counts it.
//
// Encoding, decided once per file:
// - A byte-order mark decides and is dropped: EF BB BF is UTF-8, FF FE UTF-16
//   little-endian, FE FF UTF-16 big-endian.
// - Without one, a file whose first bytes hold ASCII-range characters in pairs
//   with a zero byte (every odd byte zero, no even one, or the reverse) is
//   UTF-16 LE (BE).
// - Otherwise the file is UTF-8 or Windows-1252. While the bytes are ASCII
//   both read the same; at the first byte above 0x7F the reader looks at a
//   window of up to 64 KiB from there: valid UTF-8 makes the file UTF-8, an
//   invalid sequence makes it Windows-1252. The rest of the file is read in
//   that encoding: when a file taken as UTF-8 holds an invalid byte further on
//   (or when it began with the UTF-8 mark), that line is decoded with U+FFFD
//   for the byte and comes with a problem that names the byte and its place;
//   the other lines are unaffected.
//
// Each line is checked, and a line that cannot be used carries a problem (a
// message to list it as rejected; the caller should not post it):
// - longer than the cap (largoMaximo, in characters): its length is counted
//   while the reader goes past it in chunks; its text is not kept. A reader
//   made for a fixed-width definition (the constructor that takes it) caps a
//   line at the total width of the fields, but a line whose characters past
//   that width are all blanks is not too long: files of older systems pad
//   their lines with spaces. Its text is then the line up to the total width
//   (the fields read nothing beyond it), and the blanks are not kept;
// - an invalid UTF-8 byte or UTF-16 unit (see above);
// - a NUL character.
//
// Memory: a 64 KiB read buffer plus the line being read, at most about four
// bytes per character of the cap; nothing grows with the file.
//
// The file is kept open until the reader is destroyed, so that lineaEn can
// fetch the text of any line afterwards (for a preview or the result lists).
// A file changed after it was read gives the new bytes at the old places.
#include <QByteArray>
#include <QString>

namespace vexa::recepcion {

class DefinicionInterfaz;

enum class Codificacion {
    Indefinida,  // only ASCII read so far, without a mark: UTF-8 and Windows-1252 agree
    Utf8,
    Windows1252,
    Utf16LE,
    Utf16BE,
};

struct LineaLeida {
    qint64 numero = 0;   // from 1
    qint64 posicion = 0; // byte offset of the line's first byte in the file
    qint64 largo = 0;    // bytes of the line, without its end
    qint64 caracteres = 0; // characters of the line
    QString texto;       // decoded text; empty when the line is over the cap
    QString problema;    // empty when the line can be used; else why not (to list it as rejected)
};

class LectorInterfaz {
public:
    // A generous cap for delimited files; fixed-width files pass their total width.
    static constexpr qint64 kLargoMaximoDelimitado = 64 * 1024;

    explicit LectorInterfaz(const QString& ruta, qint64 largoMaximo = kLargoMaximoDelimitado);
    // For the files of a definition: the cap is largoMaximoLinea(def), and a
    // fixed-width line may run past it with blanks only (see above).
    LectorInterfaz(const QString& ruta, const DefinicionInterfaz& def);
    ~LectorInterfaz();
    LectorInterfaz(const LectorInterfaz&) = delete;
    LectorInterfaz& operator=(const LectorInterfaz&) = delete;

    // Opens the file. False with error() when it cannot be read: the message
    // names the file and the cause, the system's own text on a second line.
    bool abrir();
    // The next line; false at the end of the file, or on a read error (error() set).
    bool siguiente(LineaLeida& linea);
    // Empty lines are passed by (see above); off by default (a preview shows them).
    void setOmitirVacias(bool omitir) { omitirVacias_ = omitir; }
    // Why the file could not be opened or read; empty when all went well.
    const QString& error() const { return error_; }

    const QString& ruta() const { return ruta_; }
    qint64 largoMaximo() const { return largoMaximo_; }
    Codificacion codificacion() const { return codificacion_; }
    // Lines read so far (the number of the last one, empty lines passed by included).
    qint64 lineasLeidas() const { return numero_; }

    // The text of the line at that place (as siguiente() gave posicion and largo),
    // read again from the file in its encoding; at most about largoMaximo
    // characters. Empty when the file cannot be read there.
    QString lineaEn(qint64 posicion, qint64 largo) const;

    // Byte offset of the first invalid UTF-8 sequence in the bytes; -1 when all valid.
    // A sequence cut by the end counts as invalid unless cortadaValida.
    static qsizetype primerByteInvalidoUtf8(const char* p, qsizetype n, bool cortadaValida = false);

private:
    bool leerLinea(LineaLeida& l); // the next line, empty or not
    // The line being read, segment after segment of the buffer.
    struct TramoLinea {
        qint64 bytes = 0, caracteres = 0, maxBytes = 0;
        int faltan = 0;          // continuation bytes still expected in UTF-8
        bool demasiado = false;  // over the cap: its text is not kept
        bool enSobrante = false; // past the cap of a definition that allows blanks there
    };
    // Characters of the buffer from ini_ to 'corte' ('faltan' carries an open UTF-8 sequence).
    qint64 caracteresTramo(qsizetype corte, int& faltan) const;
    // Adds the buffer from ini_ to 'corte' ('c' characters) to the line.
    void agregarTramo(TramoLinea& t, qsizetype corte, qint64 c, int faltanAntes);
    bool rellenar();            // reads more after fin_; false at end of file or on error
    void asegurar(qsizetype n); // at least n bytes from ini_, unless the file ends first
    void detectarMarca();
    void decidirOchoBits();     // UTF-8 or Windows-1252, from the window at ini_
    bool esFinLinea(qsizetype i, bool* cr) const;
    // The first unit of buf_ in [desde, limite) that ends a line (finLinea,
    // and cr when it is a CR), else limite.
    qsizetype buscarFinLinea(qsizetype desde, qsizetype limite, bool& finLinea, bool& cr) const;
    bool esBlanco(qsizetype i) const; // the unit at buf_[i] is a space
    // Byte of buf_ in [desde, hasta) where the character after 'permitidos' more begins.
    qsizetype primerFueraDelTope(qsizetype desde, qsizetype hasta, qint64 permitidos, int faltan) const;
    QString decodificar(const QByteArray& bytes) const;
    void revisar(LineaLeida& l) const;

    QString ruta_;
    qint64 largoMaximo_;
    bool sobranteBlanco_ = false; // blanks past the cap are allowed (fixed-width definition)
    bool omitirVacias_ = false;
    QString error_;
    int fd_ = -1; // read in order by siguiente(), at any place (pread) by lineaEn()
    Codificacion codificacion_ = Codificacion::Indefinida;
    int unidad_ = 1; // bytes per code unit: 1, or 2 for UTF-16
    QByteArray buf_;
    qsizetype ini_ = 0, fin_ = 0;
    qint64 posBuf_ = 0;   // file offset of buf_[0]
    bool finArchivo_ = false;
    bool saltarLf_ = false; // the previous line ended in CR: a LF right after belongs to it
    qint64 numero_ = 0;
    QByteArray linea_;
};

// The cap for a definition's files: the total width of its fields for a
// fixed-width definition (when that is positive), else kLargoMaximoDelimitado.
qint64 largoMaximoLinea(const DefinicionInterfaz& def);

} // namespace vexa::recepcion
