#pragma once
// Reading interface text files written by other systems, mostly on Windows.
// The bytes are taken as UTF-8 when they are valid UTF-8 (a leading byte-order
// mark is dropped) and as Windows-1252 otherwise. Lines end at LF; the CR of a
// CR LF ending is removed; a last line without an ending counts; an ending at
// the end of the file does not make an extra empty line.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vexa::recepcion {

class ArchivoTexto {
public:
    static QString decodificar(const QByteArray& bytes);
    static QStringList separarLineas(const QString& texto);
    static QStringList lineas(const QByteArray& bytes) { return separarLineas(decodificar(bytes)); }

    // Reads the whole file; false with the reason when it cannot be read.
    static bool leer(const QString& ruta, QStringList& lineas, QString* error = nullptr);
};

} // namespace vexa::recepcion
