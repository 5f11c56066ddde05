#pragma once
// Utility component: conversions of typed text, small text rules, the central
// error handler ManejaError and the step runner that obeys its answers.
#include "Errores.h"
#include "Moneda.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QVariant>

#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

namespace vexa {

class Conexion;

// ---- small text rules (pure) ----
namespace texto {
// Trims blanks (U+0020) only: a tab is data.
QString recortar(const QString& s);
QString recortarDerecha(const QString& s);
QString recortarIzquierda(const QString& s);
// True when the (whole) value converts to qint64 without overflow; false for NaN.
bool enRangoEntero64(double d);
// Number written with a leading blank when not negative: 3 -> " 3", -3 -> "-3".
QString str(qint64 n);
// Appends the number in plain decimal, as QString::number writes it, without
// a text of its own (keys built many times a run).
void agregarEntero(QString& s, qint64 n);
QString str(double n);
// Case-insensitive comparisons used all over the program.
inline bool igual(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }
inline bool contiene(const QString& s, const QString& t) { return s.contains(t, Qt::CaseInsensitive); }
// True when every character is a digit 0-9 (and there is at least one).
bool soloDigitos(QStringView s);
// The value of a text soloDigitos accepts, of at most nine digits.
int valorCifras(QStringView cifras);
// The company's upper-case rule on a typed character code: with the rule on,
// the letters a..z and "ñ" become upper case; anything else passes unchanged.
int mayusculaTecla(int codigo, bool soloMayusculas);
} // namespace texto

class Utilidades {
public:

    // Central error handler. Shows the error in an Abort/Retry/Ignore box (through the
    // dialog seam, and defined with it: only the window level calls it), writes a
    // line into ArchivoLog and returns the answer:
    // 4 = repeat the failing statement, 5 = go on with the next, 3 (or any other) = leave.
    static int ManejaError(const std::exception& e, const QString& procedimiento);
    static int ManejaError(int numero, const QString& descripcion, const QString& procedimiento);
    // Reports an error without offering to go on (inside a transaction); logs it too. Returns 3.
    static int InformaError(int numero, const QString& descripcion, const QString& procedimiento);
    // Error-log file, set at start-up from the settings ("TbErr.Log" in the
    // user's folder while it is empty).
    static QString ArchivoLog;
    static QString archivoLog();
    static void escribirLog(int numero, const QString& descripcion, const QString& procedimiento);
    // An error as one entry of a list (a reception's rejected lines): the first
    // line of its text, which is the program's own where it has one; a text of
    // more lines (an engine's message and its detail) goes whole to the error log.
    static QString LineaDeLista(const std::exception& e, const QString& procedimiento);

    static QString NuloATexto(const QVariant& v);
    // Every occurrence of the given characters removed.
    static QString QuitaCaracteres(const QString& s, const QString& c1, const QString& c2 = QString(), const QString& c3 = QString());
    // Leading zeros up to the width (a longer text stays as it is).
    static QString CompletaCeros(const QString& s, int ancho);
    // Path ending in the folder separator.
    static QString AgregaBarra(const QString& ruta);
    static void SeparaRuta(const QString& ruta, QString& carpeta, QString& archivo, QString& nombre, QString& extension);
    // Reversible enciphering for values kept in the settings file.
    static QString Cifrar(const QString& s);
    static QString Descifrar(const QString& s);
    static Moneda TextoAMoneda(const QString& s);  // invalid or empty -> 0
    static bool EsVacio(const QString& s);         // empty or blanks only
    static QString FechaSQL(const QDate& d);       // ISO literal 'yyyy-mm-dd' (prefer binding)
    static QString AjustaLargo(const QString& s, int largo); // cut or blank-padded
    // Date picker (defined with the dialog seam) opened on the date of the
    // text: the chosen date (dd/MM/yyyy); nullopt when closed without one.
    static std::optional<QString> Calendario(const QString& desde = QString());
    static QString NombreMes(int mes);
    static int NumeroMes(const QString& nombre);
    // dd/MM/yyyy (also d/M/yy, dd-MM-yyyy, ISO); invalid QDate when not a date.
    static QDate TextoAFecha(const QString& s);
    static QString FechaATexto(const QDate& d); // dd/MM/yyyy
    // The program's language for long dates and month and day names: Spanish
    // (Argentina) whatever the machine's locale. Amounts and the numbers typed
    // are never read or written through it (its decimal mark is a comma).
    static QLocale Idioma();
};

// A step of a procedure run under the central error handler.
using Paso = std::function<void()>;

// Runs the steps in order (defined with the dialog seam: it asks the operator).
// On an error: numbers in 'quePasan' go on with the next
// step; otherwise ManejaError(procedimiento) decides: 4 repeats the step, 5 goes on
// with the next, anything else leaves. Returns true when the last step was reached
// and finished. While the given connection (nullptr: none is involved, e.g.
// before the company is open) is inside a transaction, going on or repeating
// after a failure is not offered: the error is reported, the runner leaves and the
// caller's Transaccion guard rolls back.
bool EjecutarPasos(const QString& procedimiento, const std::vector<Paso>& pasos,
                   std::initializer_list<int> quePasan = {}, Conexion* conexion = nullptr);

} // namespace vexa
