#include "DivisorLineas.h"

#include "Utilidades.h"

namespace vexa::recepcion {

DivisorLineas::DivisorLineas(const QString& tipoArchivo, const QString& separador, const QString& calificador)
    : separador_(texto::recortar(separador)), calificador_(calificador)
{
    const QString t = texto::recortar(tipoArchivo);
    if (texto::igual(t, QStringLiteral("F"))) tipo_ = Tipo::AnchoFijo;
    else if (texto::igual(t, QStringLiteral("D"))) tipo_ = Tipo::Delimitado;
}

QStringList DivisorLineas::dividir(const QString& linea, const QList<int>& anchos) const
{
    switch (tipo_) {
    case Tipo::AnchoFijo: return dividirAnchoFijo(linea, anchos);
    case Tipo::Delimitado: return dividirDelimitado(linea, anchos.size());
    case Tipo::Ninguno: break;
    }
    return QStringList(anchos.size(), QString());
}

QStringList DivisorLineas::dividirAnchoFijo(const QString& linea, const QList<int>& anchos) const
{
    QStringList valores;
    valores.reserve(anchos.size());
    qsizetype posicion = 0;
    for (int ancho : anchos) {
        if (ancho <= 0 || posicion >= linea.size()) {
            valores.append(QString());
        } else {
            valores.append(linea.mid(posicion, ancho));
        }
        if (ancho > 0) posicion += ancho;
    }
    return valores;
}

qsizetype DivisorLineas::buscarSeparador(const QString& s, qsizetype desde) const
{
    if (separador_.isEmpty()) return -1;
    if (calificador_.isEmpty()) return s.indexOf(separador_, desde, Qt::CaseInsensitive);
    bool dentro = false;
    if (separador_.size() == 1 && calificador_.size() == 1) {
        // One character each (the usual ';' and '"'): compared in place.
        const QChar sep = separador_[0], cal = calificador_[0], sepPlegado = sep.toCaseFolded();
        for (qsizetype i = desde; i < s.size(); ++i) {
            const QChar c = s[i];
            if (c == cal) {
                dentro = !dentro;
            } else if (!dentro) {
                // ASCII folds A..Z to a..z and nothing else.
                const char16_t u = c.unicode();
                const QChar plegado = u < 128 ? QChar(u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u) : c.toCaseFolded();
                if (c == sep || plegado == sepPlegado) return i;
            }
        }
        return -1;
    }
    for (qsizetype i = desde; i < s.size();) {
        if (QStringView(s).mid(i).startsWith(calificador_)) {
            dentro = !dentro;
            i += calificador_.size();
            continue;
        }
        if (!dentro && QStringView(s).mid(i).startsWith(separador_, Qt::CaseInsensitive)) return i;
        ++i;
    }
    return -1;
}

QString DivisorLineas::limpiar(const QString& valor) const
{
    return calificador_.isEmpty() ? valor : Utilidades::QuitaCaracteres(valor, calificador_);
}

QStringList DivisorLineas::dividirDelimitado(const QString& linea, qsizetype campos) const
{
    QStringList valores(campos, QString());
    QString resto = texto::recortar(linea);
    if (!separador_.isEmpty()) {
        if (resto.startsWith(separador_, Qt::CaseInsensitive)) resto.remove(0, separador_.size());
        if (resto.endsWith(separador_, Qt::CaseInsensitive)) resto.chop(separador_.size());
    }
    qsizetype desde = 0;
    for (qsizetype i = 0; i < campos; ++i) {
        const qsizetype p = buscarSeparador(resto, desde);
        if (p < 0) {
            valores[i] = limpiar(resto.mid(desde));
            break;
        }
        valores[i] = limpiar(resto.mid(desde, p - desde));
        desde = p + separador_.size();
    }
    return valores;
}

} // namespace vexa::recepcion
