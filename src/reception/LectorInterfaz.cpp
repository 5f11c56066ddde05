#include "LectorInterfaz.h"

#include "ArchivoSQLite.h"
#include "DefinicionInterfaz.h"
#include "Windows1252.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vexa::recepcion {

namespace {

constexpr qsizetype kBuffer = 64 * 1024;
// Bytes looked at to recognise UTF-16 without a mark.
constexpr qsizetype kMuestraUtf16 = 4096;

QString textoSistema(int e) { return QString::fromLocal8Bit(std::strerror(e)); }

QString nombre(const QString& ruta) { return QDir::toNativeSeparators(ruta); }

QString mensajeApertura(const QString& ruta, int e)
{
    QString m;
    if (e == ENOENT || e == ENOTDIR) m = QStringLiteral("No se encuentra el archivo ") + nombre(ruta);
    else if (e == EACCES || e == EPERM) m = QStringLiteral("No se puede leer el archivo ") + nombre(ruta) + QStringLiteral(": permiso denegado");
    else if (e == EISDIR) m = QStringLiteral("No se puede leer el archivo ") + nombre(ruta) + QStringLiteral(": es una carpeta");
    else m = QStringLiteral("No se puede leer el archivo ") + nombre(ruta);
    return m + u'\n' + textoSistema(e);
}

QString hex2(unsigned char b) { return QStringLiteral("0x") + QString::number(b, 16).toUpper().rightJustified(2, u'0'); }

bool esContinuacion(unsigned char b) { return (b & 0xC0) == 0x80; }

} // namespace

qsizetype LectorInterfaz::primerByteInvalidoUtf8(const char* datos, qsizetype n, bool cortadaValida)
{
    const auto* p = reinterpret_cast<const unsigned char*>(datos);
    qsizetype i = 0;
    while (i < n) {
        // Eight ASCII bytes at a time (most lines are all ASCII).
        std::uint64_t ocho;
        while (i + 8 <= n && (std::memcpy(&ocho, p + i, 8), (ocho & 0x8080808080808080ULL) == 0)) i += 8;
        if (i >= n) break;
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int largo;
        unsigned char min2 = 0x80, max2 = 0xBF; // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) largo = 2;
        else if (b >= 0xE0 && b <= 0xEF) {
            largo = 3;
            if (b == 0xE0) min2 = 0xA0;      // no overlong forms
            else if (b == 0xED) max2 = 0x9F; // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            largo = 4;
            if (b == 0xF0) min2 = 0x90;
            else if (b == 0xF4) max2 = 0x8F; // nothing past U+10FFFF
        } else {
            return i;
        }
        for (int k = 1; k < largo; ++k) {
            if (i + k >= n) return cortadaValida ? -1 : i;
            const unsigned char c = p[i + k];
            if (k == 1 ? (c < min2 || c > max2) : !esContinuacion(c)) return i;
        }
        i += largo;
    }
    return -1;
}

LectorInterfaz::LectorInterfaz(const QString& ruta, qint64 largoMaximo)
    : ruta_(ruta), largoMaximo_(largoMaximo > 0 ? largoMaximo : 1)
{
}

LectorInterfaz::LectorInterfaz(const QString& ruta, const DefinicionInterfaz& def)
    : LectorInterfaz(ruta, largoMaximoLinea(def))
{
    sobranteBlanco_ = def.divisor().esAnchoFijo();
}

LectorInterfaz::~LectorInterfaz()
{
    if (fd_ >= 0) ::close(fd_);
}

bool LectorInterfaz::abrir()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    error_.clear();
    codificacion_ = Codificacion::Indefinida;
    unidad_ = 1;
    ini_ = fin_ = 0;
    posBuf_ = 0;
    finArchivo_ = false;
    saltarLf_ = false;
    numero_ = 0;
    if (ruta_.isEmpty()) {
        error_ = QStringLiteral("No se ha indicado el archivo a leer");
        return false;
    }
    if (archivo_sqlite::esArchivoDeBaseAbierta(ruta_)) {
        // Reading it would drop the database engine's locks on it (ArchivoSQLite.h).
        error_ = QStringLiteral("El archivo ") + nombre(ruta_) +
                 QStringLiteral(" es la base de datos de la empresa abierta (o uno de sus archivos de trabajo), no un "
                                "archivo de interfaz: elija el archivo a recibir.");
        return false;
    }
    const QByteArray r = QFile::encodeName(ruta_);
    int fd;
    do fd = ::open(r.constData(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error_ = mensajeApertura(ruta_, errno);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        error_ = mensajeApertura(ruta_, EISDIR);
        return false;
    }
    fd_ = fd;
    buf_.resize(kBuffer);
    detectarMarca();
    if (!error_.isEmpty()) {
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    return true;
}

bool LectorInterfaz::rellenar()
{
    if (finArchivo_ || fd_ < 0) return false;
    if (ini_ > 0) {
        std::memmove(buf_.data(), buf_.constData() + ini_, size_t(fin_ - ini_));
        posBuf_ += ini_;
        fin_ -= ini_;
        ini_ = 0;
    }
    if (fin_ == buf_.size()) return false;
    ssize_t n;
    do n = ::read(fd_, buf_.data() + fin_, size_t(buf_.size() - fin_));
    while (n < 0 && errno == EINTR);
    if (n < 0) {
        error_ = QStringLiteral("Error al leer el archivo ") + nombre(ruta_) + u'\n' + textoSistema(errno);
        finArchivo_ = true;
        return false;
    }
    if (n == 0) {
        finArchivo_ = true;
        return false;
    }
    fin_ += n;
    return true;
}

void LectorInterfaz::asegurar(qsizetype n)
{
    while (fin_ - ini_ < n && rellenar()) {
    }
}

void LectorInterfaz::detectarMarca()
{
    asegurar(kMuestraUtf16);
    const auto* b = reinterpret_cast<const unsigned char*>(buf_.constData());
    const qsizetype n = fin_ - ini_;
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        codificacion_ = Codificacion::Utf8;
        ini_ = 3;
    } else if (n >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        codificacion_ = Codificacion::Utf16LE;
        ini_ = 2;
    } else if (n >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        codificacion_ = Codificacion::Utf16BE;
        ini_ = 2;
    } else {
        // ASCII-range text in UTF-16 pairs every character with a zero byte.
        const qsizetype pares = n / 2;
        qsizetype cerosPar = 0, cerosImpar = 0;
        for (qsizetype i = 0; i < pares * 2; i += 2) {
            cerosPar += b[i] == 0;
            cerosImpar += b[i + 1] == 0;
        }
        if (pares >= 2 && cerosPar == 0 && cerosImpar * 4 >= pares * 3) codificacion_ = Codificacion::Utf16LE;
        else if (pares >= 2 && cerosImpar == 0 && cerosPar * 4 >= pares * 3) codificacion_ = Codificacion::Utf16BE;
    }
    if (codificacion_ == Codificacion::Utf16LE || codificacion_ == Codificacion::Utf16BE) unidad_ = 2;
}

void LectorInterfaz::decidirOchoBits()
{
    asegurar(buf_.size());
    const qsizetype malo = primerByteInvalidoUtf8(buf_.constData() + ini_, fin_ - ini_, !finArchivo_);
    codificacion_ = malo < 0 ? Codificacion::Utf8 : Codificacion::Windows1252;
}

qsizetype LectorInterfaz::buscarFinLinea(qsizetype desde, qsizetype limite, bool& finLinea, bool& cr) const
{
    qsizetype i = desde;
    finLinea = false;
    if (unidad_ == 1) {
        // One byte a unit: the bytes compared in place.
        const char* b = buf_.constData();
        while (i < limite && b[i] != '\n' && b[i] != '\r') ++i;
        finLinea = i < limite;
        cr = finLinea && b[i] == '\r';
        return i;
    }
    while (i < limite && !(finLinea = esFinLinea(i, &cr))) i += unidad_;
    return i;
}

bool LectorInterfaz::esFinLinea(qsizetype i, bool* cr) const
{
    const char* b = buf_.constData();
    char c;
    if (unidad_ == 1) c = b[i];
    else if (codificacion_ == Codificacion::Utf16LE) {
        if (b[i + 1] != 0) return false;
        c = b[i];
    } else {
        if (b[i] != 0) return false;
        c = b[i + 1];
    }
    *cr = c == '\r';
    return c == '\r' || c == '\n';
}

bool LectorInterfaz::esBlanco(qsizetype i) const
{
    const char* b = buf_.constData();
    if (unidad_ == 1) return b[i] == ' ';
    if (codificacion_ == Codificacion::Utf16LE) return b[i] == ' ' && b[i + 1] == 0;
    return b[i] == 0 && b[i + 1] == ' ';
}

qsizetype LectorInterfaz::primerFueraDelTope(qsizetype desde, qsizetype hasta, qint64 permitidos, int faltan) const
{
    if (permitidos <= 0) return desde;
    if (codificacion_ != Codificacion::Utf8) return std::min<qint64>(hasta, desde + permitidos * unidad_);
    qint64 c = 0;
    for (qsizetype i = desde; i < hasta; ++i) {
        const auto b = static_cast<unsigned char>(buf_[i]);
        if (esContinuacion(b) && faltan > 0) {
            --faltan;
            continue;
        }
        if (c == permitidos) return i;
        ++c;
        faltan = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    }
    return hasta;
}

bool LectorInterfaz::siguiente(LineaLeida& l)
{
    for (;;) {
        if (!leerLinea(l)) return false;
        // A line without a single character (doubled line ends, "\r\r\n" or
        // "\n\r") holds nothing to receive: it keeps its number and is passed by.
        if (!omitirVacias_ || l.largo > 0 || !l.problema.isEmpty()) return true;
    }
}

bool LectorInterfaz::leerLinea(LineaLeida& l)
{
    if (fd_ < 0 || !error_.isEmpty()) return false;
    bool cr = false;
    if (saltarLf_) {
        asegurar(unidad_);
        if (fin_ - ini_ >= unidad_ && esFinLinea(ini_, &cr) && !cr) ini_ += unidad_;
        saltarLf_ = false;
    }
    asegurar(1);
    if (fin_ == ini_) return false;

    l = LineaLeida();
    l.numero = numero_ + 1;
    l.posicion = posBuf_ + ini_;
    linea_.resize(0);
    TramoLinea t;
    t.maxBytes = largoMaximo_ > std::numeric_limits<qint64>::max() / 4 ? std::numeric_limits<qint64>::max() : largoMaximo_ * 4;
    for (;;) {
        if (fin_ - ini_ < unidad_) {
            if (rellenar()) continue;
            if (!error_.isEmpty()) return false;
            if (fin_ > ini_) { // half a UTF-16 unit at the end of the file: kept, and found invalid
                t.bytes += fin_ - ini_;
                t.caracteres += 1;
                if (!t.demasiado) linea_.append(buf_.constData() + ini_, fin_ - ini_);
                ini_ = fin_;
            }
            break;
        }
        // The segment runs to the line's end or to the last whole unit of the buffer.
        const qsizetype limite = ini_ + (fin_ - ini_) / unidad_ * unidad_;
        bool finLinea = false;
        qsizetype corte = buscarFinLinea(ini_, limite, finLinea, cr);
        bool decidir = false;
        if (codificacion_ == Codificacion::Indefinida) {
            for (qsizetype i = ini_; i < corte; ++i)
                if (static_cast<unsigned char>(buf_[i]) >= 0x80) {
                    corte = i;
                    decidir = true;
                    finLinea = false;
                    break;
                }
        }
        const int faltanAntes = t.faltan;
        const qint64 c = caracteresTramo(corte, t.faltan);
        agregarTramo(t, corte, c, faltanAntes);
        ini_ = corte;
        if (decidir) {
            decidirOchoBits();
            continue;
        }
        if (finLinea) {
            ini_ += unidad_;
            saltarLf_ = cr;
            break;
        }
    }
    const qint64 bytes = t.bytes, caracteres = t.caracteres;
    const bool demasiado = t.demasiado;

    ++numero_;
    l.largo = bytes;
    l.caracteres = caracteres;
    if (demasiado) {
        l.problema = QStringLiteral("La línea tiene ") + QString::number(caracteres) + QStringLiteral(" caracteres, más que el máximo de ")
                     + QString::number(largoMaximo_);
        return true;
    }
    l.texto = decodificar(linea_);
    revisar(l);
    return true;
}

qint64 LectorInterfaz::caracteresTramo(qsizetype corte, int& faltan) const
{
    if (codificacion_ != Codificacion::Utf8) return (corte - ini_) / unidad_;
    // Characters as decoding gives them: a sequence is one, a stray byte one more.
    qint64 c = 0;
    for (qsizetype i = ini_; i < corte; ++i) {
        const auto b = static_cast<unsigned char>(buf_[i]);
        if (esContinuacion(b) && faltan > 0) {
            --faltan;
            continue;
        }
        ++c;
        faltan = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    }
    return c;
}

void LectorInterfaz::agregarTramo(TramoLinea& t, qsizetype corte, qint64 c, int faltanAntes)
{
    const qsizetype n = corte - ini_;
    t.bytes += n;
    if (sobranteBlanco_ && !t.demasiado && (t.enSobrante || t.caracteres + c > largoMaximo_)) {
        // Up to the cap the text is kept; past it only blanks may follow.
        const qsizetype k = t.enSobrante ? ini_ : primerFueraDelTope(ini_, corte, largoMaximo_ - t.caracteres, faltanAntes);
        linea_.append(buf_.constData() + ini_, k - ini_);
        t.enSobrante = true;
        for (qsizetype i = k; i < corte; i += unidad_)
            if (!esBlanco(i)) {
                t.demasiado = true;
                linea_ = QByteArray();
                break;
            }
        t.caracteres += c;
        return;
    }
    t.caracteres += c;
    if (!t.demasiado && (t.caracteres > largoMaximo_ || t.bytes > t.maxBytes)) {
        t.demasiado = true;
        linea_ = QByteArray(); // the text of an over-long line is not kept
    }
    if (!t.demasiado) linea_.append(buf_.constData() + ini_, n);
}

QString LectorInterfaz::decodificar(const QByteArray& bytes) const
{
    switch (codificacion_) {
    case Codificacion::Windows1252: return windows1252::decodificar(bytes);
    case Codificacion::Utf16LE:
    case Codificacion::Utf16BE: {
        QString s = QStringDecoder(codificacion_ == Codificacion::Utf16LE ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                                   QStringDecoder::Flag::Stateless)
                        .decode(bytes);
        if (bytes.size() % 2) s += QChar(QChar::ReplacementCharacter); // half a unit at the end of the file
        return s;
    }
    case Codificacion::Utf8: return QString::fromUtf8(bytes);
    case Codificacion::Indefinida: break;
    }
    // Only reached before any byte above 0x7F was read, or by lineaEn on a file not read yet.
    if (primerByteInvalidoUtf8(bytes.constData(), bytes.size()) < 0) return QString::fromUtf8(bytes);
    return windows1252::decodificar(bytes);
}

void LectorInterfaz::revisar(LineaLeida& l) const
{
    const QByteArray& b = linea_;
    if (codificacion_ == Codificacion::Utf8) {
        const qsizetype malo = primerByteInvalidoUtf8(b.constData(), b.size());
        if (malo >= 0) {
            const qsizetype pos = QString::fromUtf8(b.constData(), malo).size() + 1;
            l.problema = QStringLiteral("La línea contiene un byte no válido en UTF-8 (") + hex2(static_cast<unsigned char>(b[malo]))
                         + QStringLiteral(") en la posición ") + QString::number(pos);
            return;
        }
    } else if (unidad_ == 2) {
        // A lone surrogate, or half a unit at the end of the file.
        const bool le = codificacion_ == Codificacion::Utf16LE;
        const qsizetype unidades = b.size() / 2;
        auto unidad = [&](qsizetype k) {
            const auto a = static_cast<unsigned char>(b[2 * k]), z = static_cast<unsigned char>(b[2 * k + 1]);
            return char16_t(le ? (z << 8 | a) : (a << 8 | z));
        };
        qsizetype malo = -1;
        for (qsizetype k = 0; k < unidades && malo < 0; ++k) {
            const char16_t u = unidad(k);
            if (QChar::isHighSurrogate(u)) {
                if (k + 1 < unidades && QChar::isLowSurrogate(unidad(k + 1))) ++k;
                else malo = k;
            } else if (QChar::isLowSurrogate(u)) {
                malo = k;
            }
        }
        if (malo < 0 && b.size() % 2) malo = unidades;
        if (malo >= 0) {
            l.problema = QStringLiteral("La línea contiene un carácter no válido en UTF-16 en la posición ") + QString::number(malo + 1);
            return;
        }
    }
    const qsizetype nulo = l.texto.indexOf(QChar(0));
    if (nulo >= 0) l.problema = QStringLiteral("La línea contiene un carácter nulo (NUL) en la posición ") + QString::number(nulo + 1);
}

QString LectorInterfaz::lineaEn(qint64 posicion, qint64 largo) const
{
    if (fd_ < 0 || posicion < 0 || largo <= 0) return QString();
    const qint64 tope = largoMaximo_ > std::numeric_limits<qint64>::max() / 4 ? largo : largoMaximo_ * 4;
    QByteArray b(qsizetype(std::min(largo, tope)), Qt::Uninitialized);
    qsizetype leidos = 0;
    while (leidos < b.size()) {
        const ssize_t n = ::pread(fd_, b.data() + leidos, size_t(b.size() - leidos), off_t(posicion + leidos));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        leidos += n;
    }
    b.truncate(leidos);
    return decodificar(b);
}

qint64 largoMaximoLinea(const DefinicionInterfaz& def)
{
    if (!def.divisor().esAnchoFijo()) return LectorInterfaz::kLargoMaximoDelimitado;
    qint64 total = 0;
    for (const CampoInterfaz& c : def.campos) total += std::max(c.Longitud, 0);
    return total > 0 ? total : LectorInterfaz::kLargoMaximoDelimitado;
}

} // namespace vexa::recepcion
