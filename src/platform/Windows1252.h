#pragma once
// The Windows-1252 code page, in which the suite's other programs and the
// interface files of other systems write their texts.
#include <QByteArray>
#include <QChar>
#include <QString>

namespace vexa::windows1252 {

// The code (0..255) of a character; '?' for one the code page cannot write.
int codigo(QChar c);
// The character of a code 0..255.
QChar caracter(int codigo);
// A whole text decoded from Windows-1252 bytes.
QString decodificar(const QByteArray& bytes);

} // namespace vexa::windows1252
