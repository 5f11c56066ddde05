#include "ArchivoTexto.h"

#include "Windows1252.h"

#include <QFile>
#include <QStringDecoder>

namespace vexa::recepcion {

QString ArchivoTexto::decodificar(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(bytes);
    if (utf8.hasError()) return windows1252::decodificar(bytes);
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
