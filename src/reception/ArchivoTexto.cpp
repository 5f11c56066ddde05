#include "ArchivoTexto.h"

#include <QFile>
#include <QStringDecoder>

namespace vexa::recepcion {

namespace {
// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned
// bytes keep their own code points, as Windows itself maps them.
constexpr char16_t kAltos[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

QString ArchivoTexto::desdeWindows1252(const QByteArray& bytes)
{
    QString s(bytes.size(), Qt::Uninitialized);
    QChar* d = s.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kAltos[b - 0x80]) : QChar(char16_t(b));
    }
    return s;
}

QString ArchivoTexto::decodificar(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(bytes);
    if (utf8.hasError()) return desdeWindows1252(bytes);
    if (s.startsWith(QChar(0xFEFF))) s.remove(0, 1);
    return s;
}

QStringList ArchivoTexto::separarLineas(const QString& texto)
{
    QStringList lineas;
    qsizetype desde = 0;
    while (desde < texto.size()) {
        qsizetype fin = texto.indexOf(u'\n', desde);
        if (fin < 0) fin = texto.size();
        qsizetype largo = fin - desde;
        if (largo > 0 && texto[fin - 1] == u'\r') --largo; // CR LF, or a CR closing the file
        lineas.append(texto.mid(desde, largo));
        desde = fin + 1;
    }
    return lineas;
}

bool ArchivoTexto::leer(const QString& ruta, QStringList& lineas, QString* error)
{
    lineas.clear();
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error) *error = f.errorString();
        return false;
    }
    lineas = ArchivoTexto::lineas(bytes);
    return true;
}

} // namespace vexa::recepcion
