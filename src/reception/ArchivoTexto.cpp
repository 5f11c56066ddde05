#include "ArchivoTexto.h"

#include "LectorInterfaz.h"
#include "Windows1252.h"

#include <QStringDecoder>

#include <limits>

namespace vexa::recepcion {

namespace {
// ASCII-range text in UTF-16 without a mark: one byte of each pair is zero.
QStringDecoder::Encoding utf16SinMarca(const QByteArray& bytes)
{
    const qsizetype pares = std::min<qsizetype>(bytes.size(), 4096) / 2;
    qsizetype cerosPar = 0, cerosImpar = 0;
    for (qsizetype i = 0; i < pares * 2; i += 2) {
        cerosPar += bytes[i] == 0;
        cerosImpar += bytes[i + 1] == 0;
    }
    if (pares >= 2 && cerosPar == 0 && cerosImpar * 4 >= pares * 3) return QStringDecoder::Utf16LE;
    if (pares >= 2 && cerosImpar == 0 && cerosPar * 4 >= pares * 3) return QStringDecoder::Utf16BE;
    return QStringDecoder::System;
}


QString utf16(QStringDecoder::Encoding e, QByteArrayView bytes)
{
    QString s = QStringDecoder(e, QStringDecoder::Flag::Stateless).decode(bytes);
    if (bytes.size() % 2) s += QChar(QChar::ReplacementCharacter); // half a unit at the end
    return s;
}
} // namespace

QString ArchivoTexto::decodificar(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE")) return utf16(QStringDecoder::Utf16LE, QByteArrayView(bytes).sliced(2));
    if (bytes.startsWith("\xFE\xFF")) return utf16(QStringDecoder::Utf16BE, QByteArrayView(bytes).sliced(2));
    const auto u16 = utf16SinMarca(bytes);
    if (u16 != QStringDecoder::System) return utf16(u16, bytes);
    if (LectorInterfaz::primerByteInvalidoUtf8(bytes.constData(), bytes.size()) < 0) return QString::fromUtf8(bytes);
    return windows1252::decodificar(bytes);
}

QStringList ArchivoTexto::separarLineas(const QString& texto)
{
    QStringList lineas;
    const qsizetype n = texto.size();
    qsizetype desde = 0;
    while (desde < n) {
        qsizetype fin = desde;
        while (fin < n && texto[fin] != u'\n' && texto[fin] != u'\r') ++fin;
        lineas.append(texto.mid(desde, fin - desde));
        if (fin < n && texto[fin] == u'\r' && fin + 1 < n && texto[fin + 1] == u'\n') ++fin; // CR LF is one ending
        desde = fin + 1;
    }
    return lineas;
}

bool ArchivoTexto::leer(const QString& ruta, QStringList& lineas, QString* error)
{
    lineas.clear();
    LectorInterfaz lector(ruta, std::numeric_limits<qint64>::max());
    bool ok = lector.abrir();
    if (ok) {
        LineaLeida l;
        while (lector.siguiente(l)) lineas.append(l.texto);
        ok = lector.error().isEmpty();
    }
    if (!ok) {
        lineas.clear();
        if (error) *error = lector.error();
    }
    return ok;
}

} // namespace vexa::recepcion
