#pragma once
// Reading a whole interface text file into memory, for small files and for
// callers that need every line at once. The rules are those of the streaming
// reader (LectorInterfaz.h), which a reception run should use instead:
// - CR LF, LF and a lone CR each end a line; a last line without an ending
//   counts; an ending at the end of the file does not make an extra empty line.
// - A byte-order mark decides the encoding and is dropped (UTF-8, UTF-16 LE or
//   BE); UTF-16 is also recognised by the zero bytes of ASCII-range text.
//   Without a mark the bytes are UTF-8 when they are valid UTF-8 and
//   Windows-1252 otherwise (decodificar decides on all the bytes at once).
//   An invalid byte of a file marked UTF-8 becomes U+FFFD.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vexa::recepcion {

class ArchivoTexto {
public:
    static QString decodificar(const QByteArray& bytes);
    static QStringList separarLineas(const QString& texto);
    static QStringList lineas(const QByteArray& bytes) { return separarLineas(decodificar(bytes)); }

    // Reads the whole file through LectorInterfaz; false with the reader's
    // message (file name and cause) when it cannot be read.
    static bool leer(const QString& ruta, QStringList& lineas, QString* error = nullptr);
};

} // namespace vexa::recepcion
