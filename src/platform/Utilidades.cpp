#include "Utilidades.h"

#include "Conexion.h"
#include "Entorno.h"
#include "Lectores.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <charconv>

namespace vexa {

// ---------------------------------------------------------------- texto

namespace texto {

QString recortarIzquierda(const QString& s)
{
    int i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    return s.mid(i);
}
QString recortarDerecha(const QString& s)
{
    int n = s.size();
    while (n > 0 && s[n - 1] == u' ') --n;
    return s.left(n);
}
QString recortar(const QString& s)
{
    // One cut for both ends (a text blank on both sides is copied once).
    qsizetype i = 0, n = s.size();
    while (i < n && s[i] == u' ') ++i;
    while (n > i && s[n - 1] == u' ') --n;
    return s.mid(i, n - i);
}

bool enRangoEntero64(double d) { return d >= -9223372036854775808.0 && d < 9223372036854775808.0; }

QString str(qint64 n) { return n < 0 ? QString::number(n) : u' ' + QString::number(n); }

void agregarEntero(QString& s, qint64 n)
{
    char b[24];
    const auto r = std::to_chars(b, b + sizeof b, n);
    s.append(QLatin1StringView(b, r.ptr - b));
}
QString str(double n)
{
    QString t = QString::number(n, 'g', 15);
    return n < 0 ? t : u' ' + t;
}

bool soloDigitos(QStringView s)
{
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

int valorCifras(QStringView cifras)
{
    int n = 0;
    for (QChar c : cifras) n = n * 10 + (c.unicode() - u'0');
    return n;
}

int mayusculaTecla(int codigo, bool soloMayusculas)
{
    static const QString permitidos =
        QStringLiteral("0123456789.ABCDEFGHIJKLMNÑOPQRSTUVWXYZ.abcdefghijklmnñopqrstuvwxyz");
    if (!soloMayusculas || codigo <= 0 || codigo > 255) return codigo;
    // Key codes are Latin-1 character codes.
    const QChar c = QChar::fromLatin1(char(quint8(codigo)));
    if (!permitidos.contains(c, Qt::CaseInsensitive)) return codigo;
    return int(c.toUpper().unicode());
}

} // namespace texto

// ---------------------------------------------------------------- Utilidades

QString Utilidades::ArchivoLog;

QString Utilidades::archivoLog()
{
    return ArchivoLog.isEmpty() ? plataforma::carpetaUsuario() + QStringLiteral("TbErr.Log") : ArchivoLog;
}

void Utilidades::escribirLog(int numero, const QString& descripcion, const QString& procedimiento)
{
    QFile f(archivoLog());
    if (!f.open(QIODevice::Append | QIODevice::Text)) return;
    QTextStream ts(&f);
    QString d = descripcion;
    d.replace(u'\n', u' ');
    ts << plataforma::ahora().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << " | " << procedimiento << " | " << numero
       << " | " << d << "\n";
}

QString Utilidades::LineaDeLista(const std::exception& e, const QString& procedimiento)
{
    const QString d = descripcionDeError(e);
    const QStringList lineas = d.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    QString primera;
    for (const QString& l : lineas) {
        primera = l.trimmed();
        if (!primera.isEmpty()) break;
    }
    if (primera.isEmpty()) primera = QStringLiteral("Error ") + QString::number(numeroDeError(e));
    if (primera != d.trimmed()) escribirLog(numeroDeError(e), d, procedimiento);
    return primera;
}

QString Utilidades::NuloATexto(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

QString Utilidades::QuitaCaracteres(const QString& s, const QString& c1, const QString& c2, const QString& c3)
{
    QString r = s;
    for (const QString* c : {&c1, &c2, &c3})
        if (!c->isEmpty()) r.remove(*c);
    return r;
}

QString Utilidades::CompletaCeros(const QString& s, int ancho) { return s.rightJustified(ancho, u'0'); }

QString Utilidades::AgregaBarra(const QString& ruta) { return ruta.endsWith(u'/') ? ruta : ruta + u'/'; }

void Utilidades::SeparaRuta(const QString& ruta, QString& carpeta, QString& archivo, QString& nombre, QString& extension)
{
    QFileInfo fi(ruta);
    int p = ruta.lastIndexOf(u'/');
    carpeta = p >= 0 ? ruta.left(p + 1) : QString();
    archivo = p >= 0 ? ruta.mid(p + 1) : ruta;
    nombre = fi.completeBaseName();
    extension = fi.suffix();
}

namespace {
const QByteArray kClave = QByteArrayLiteral("Vx731pCfg");
}

QString Utilidades::Cifrar(const QString& s)
{
    QByteArray b = s.toUtf8();
    for (int i = 0; i < b.size(); ++i) b[i] = char(b[i] ^ kClave[i % kClave.size()]);
    return QString::fromLatin1(b.toHex().toUpper());
}

QString Utilidades::Descifrar(const QString& s)
{
    QByteArray b = QByteArray::fromHex(s.toLatin1());
    for (int i = 0; i < b.size(); ++i) b[i] = char(b[i] ^ kClave[i % kClave.size()]);
    return QString::fromUtf8(b);
}

Moneda Utilidades::TextoAMoneda(const QString& s) { return lectura::importe(s).o(Moneda()); }

bool Utilidades::EsVacio(const QString& s) { return std::all_of(s.cbegin(), s.cend(), [](QChar c) { return c == u' '; }); }

QString Utilidades::FechaSQL(const QDate& d) { return u'\'' + d.toString(Qt::ISODate) + u'\''; }

QString Utilidades::AjustaLargo(const QString& s, int largo) { return s.left(largo).leftJustified(largo, u' '); }

namespace {
const char* kMeses[] = {"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio",
                        "Agosto", "Septiembre", "Octubre", "Noviembre", "Diciembre"};
}

QString Utilidades::NombreMes(int mes) { return mes >= 1 && mes <= 12 ? QString::fromLatin1(kMeses[mes - 1]) : QString(); }

int Utilidades::NumeroMes(const QString& nombre)
{
    for (int i = 0; i < 12; ++i)
        if (texto::igual(texto::recortar(nombre), QString::fromLatin1(kMeses[i]))) return i + 1;
    return 0;
}

QDate Utilidades::TextoAFecha(const QString& s) { return lectura::fecha(s).o(QDate()); }

QString Utilidades::FechaATexto(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString(); }

QLocale Utilidades::Idioma() { return QLocale(QLocale::Spanish, QLocale::Argentina); }

} // namespace vexa
