#include "Utilidades.h"

#include "Conexion.h"
#include "Dialogos.h"

#include <algorithm>

// The central error handler's boxes, the date picker and the step runner: they
// ask the operator, so they live with the dialog seam, which only the window
// libraries link (Utilidades.h declares them).

namespace vexa {

int Utilidades::ManejaError(const std::exception& e, const QString& procedimiento)
{
    return ManejaError(numeroDeError(e), descripcionDeError(e), procedimiento);
}

int Utilidades::ManejaError(int numero, const QString& descripcion, const QString& procedimiento)
{
    escribirLog(numero, descripcion, procedimiento);
    const QString t = QStringLiteral("Error: %1 %2\n\nProcedimiento: %3").arg(numero).arg(descripcion, procedimiento);
    return plataforma::dialogos().MsgBox(t, plataforma::vbAbortRetryIgnore | plataforma::vbCritical,
                                         QStringLiteral("Error de datos!"));
}

int Utilidades::InformaError(int numero, const QString& descripcion, const QString& procedimiento)
{
    escribirLog(numero, descripcion, procedimiento);
    const QString t = QStringLiteral("Error: %1 %2\n\nProcedimiento: %3\n\nNo se grabó ningún cambio.")
                          .arg(numero).arg(descripcion, procedimiento);
    plataforma::dialogos().MsgBox(t, plataforma::vbOKOnly | plataforma::vbCritical, QStringLiteral("Error de datos!"));
    return plataforma::vbAbort;
}

std::optional<QString> Utilidades::Calendario(const QString& desde)
{
    const QDate d = plataforma::dialogos().PedirFecha(QStringLiteral("Calendario"), TextoAFecha(desde));
    if (!d.isValid()) return std::nullopt;
    return FechaATexto(d);
}

// ---------------------------------------------------------------- step runner

bool EjecutarPasos(const QString& procedimiento, const std::vector<Paso>& pasos, std::initializer_list<int> quePasan,
                   Conexion* conexion)
{
    size_t i = 0;
    while (i < pasos.size()) {
        try {
            pasos[i]();
            ++i;
            continue;
        } catch (const std::exception& e) {
            const int num = numeroDeError(e);
            if (conexion && conexion->enTransaccion()) {
                Utilidades::InformaError(num, descripcionDeError(e), procedimiento);
                return false;
            }
            if (std::find(quePasan.begin(), quePasan.end(), num) != quePasan.end()) {
                ++i;
                continue;
            }
            const int r = Utilidades::ManejaError(e, procedimiento);
            if (r == plataforma::vbRetry) continue;
            if (r == plataforma::vbIgnore) { ++i; continue; }
            return false;
        }
    }
    return true;
}

} // namespace vexa
