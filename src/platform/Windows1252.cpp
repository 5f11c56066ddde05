#include "Windows1252.h"

namespace vexa::windows1252 {

namespace {
// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five codes the code
// page leaves unassigned keep their own code points, as Windows itself maps them.
constexpr char16_t kAltos[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

int codigo(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
    for (int i = 0; i < 32; ++i)
        if (kAltos[i] == u) return 0x80 + i;
    return '?';
}

QChar caracter(int c)
{
    if (c >= 0x80 && c <= 0x9F) return QChar(kAltos[c - 0x80]);
    return QChar(char16_t(c));
}

QString decodificar(const QByteArray& bytes)
{
    QString s(bytes.size(), Qt::Uninitialized);
    QChar* d = s.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) d[i] = caracter(static_cast<unsigned char>(bytes[i]));
    return s;
}

} // namespace vexa::windows1252
