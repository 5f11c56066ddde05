#include "ArchivoIni.h"

#include "Entorno.h"
#include "Errores.h"
#include "Utilidades.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <optional>

namespace vexa {

namespace {

QStringList leerLineas(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString t = QString::fromUtf8(f.readAll());
    if (t.startsWith(QChar(0xFEFF))) t.remove(0, 1);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList l = t.split(u'\n');
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
    return l;
}

// Section name of a "[name]" line (nothing when the line is not a section header).
std::optional<QString> seccionDe(const QString& linea)
{
    const QString s = linea.trimmed();
    if (s.size() < 2 || !s.startsWith(u'[') || !s.endsWith(u']')) return std::nullopt;
    return texto::recortar(s.mid(1, s.size() - 2));
}

bool esComentario(const QString& linea)
{
    const QString s = linea.trimmed();
    return s.startsWith(u';') || s.startsWith(u'#');
}

// Key of a "key=value" line (nothing when the line holds no key).
std::optional<QString> claveDe(const QString& linea, QString* valor = nullptr)
{
    if (esComentario(linea)) return std::nullopt;
    const int igual = linea.indexOf(u'=');
    if (igual < 0) return std::nullopt;
    if (valor) *valor = texto::recortar(linea.mid(igual + 1));
    return texto::recortar(linea.left(igual));
}

bool mismoNombre(const QString& a, const QString& b) { return texto::igual(texto::recortar(a), texto::recortar(b)); }

} // namespace

QString ArchivoIni::ruta(const QString& archivo)
{
    if (QFileInfo(archivo).isAbsolute() || archivo.contains(u'/')) return archivo;
    return plataforma::carpetaUsuario() + archivo;
}

QString ArchivoIni::LeerIni(const QString& archivo, const QString& seccion, const QString& clave, const QString& defecto)
{
    bool enSeccion = false;
    for (const QString& linea : leerLineas(ruta(archivo))) {
        if (const auto s = seccionDe(linea)) {
            enSeccion = mismoNombre(*s, seccion);
            continue;
        }
        if (!enSeccion) continue;
        QString valor;
        const auto k = claveDe(linea, &valor);
        if (k && mismoNombre(*k, clave)) return valor;
    }
    return defecto;
}

bool ArchivoIni::GrabarIni(const QString& archivo, const QString& seccion, const QString& clave, const QString& valor)
{
    const QString r = ruta(archivo);
    QStringList lineas = leerLineas(r);
    const QString nueva = texto::recortar(clave) + u'=' + valor;

    int inicio = -1;  // header line of the section
    int ultima = -1;  // last key line of the section
    bool hecho = false;
    for (int i = 0; i < lineas.size() && !hecho; ++i) {
        if (const auto s = seccionDe(lineas[i])) {
            if (inicio >= 0) break; // the section ended
            if (mismoNombre(*s, seccion)) inicio = ultima = i;
            continue;
        }
        if (inicio < 0) continue;
        const auto k = claveDe(lineas[i]);
        if (k) {
            ultima = i;
            if (mismoNombre(*k, clave)) {
                lineas[i] = *k + u'=' + valor; // keeps the key as it was written
                hecho = true;
            }
        } else if (!lineas[i].trimmed().isEmpty()) {
            ultima = i;
        }
    }
    if (!hecho) {
        if (inicio >= 0) {
            lineas.insert(ultima + 1, nueva);
        } else {
            if (!lineas.isEmpty() && !lineas.last().trimmed().isEmpty()) lineas.append(QString());
            lineas.append(u'[' + texto::recortar(seccion) + u']');
            lineas.append(nueva);
        }
    }

    QDir().mkpath(QFileInfo(r).absolutePath());
    QSaveFile f(r);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write((lineas.join(u'\n') + u'\n').toUtf8());
    return f.commit();
}

QString textoBooleano(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }

bool aBooleano(const QString& s)
{
    const QString t = s.trimmed();
    if (texto::igual(t, QStringLiteral("True"))) return true;
    if (texto::igual(t, QStringLiteral("False"))) return false;
    bool ok = false;
    const double n = t.toDouble(&ok);
    if (ok) return n != 0;
    throw ErrorVexa(13, QStringLiteral("No coinciden los tipos: \"%1\" no es un valor lógico").arg(s));
}

} // namespace vexa
