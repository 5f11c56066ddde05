#include "TitulosCopiadores.h"

#include "Conexion.h"
#include "CodigosDialogo.h"
#include "Lectores.h"
#include "Utilidades.h"

namespace vexa::titulos {

std::vector<TituloCopiador> CargarTitulos(Conexion& con, qint64 desde, qint64 hasta)
{
    std::vector<TituloCopiador> r;
    Recordset rs = con.ObtenerRecordset(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_TITCOPIADORES ORDER BY CODIGO"));
    for (; !rs.eof(); rs.siguiente()) {
        const QString codigo = texto::recortar(rs.texto(QStringLiteral("CODIGO")));
        if (!texto::soloDigitos(codigo) || codigo.size() > 18) continue;
        const qint64 n = lectura::entero(codigo).o(0);
        if (n < desde || n > hasta) continue;
        r.push_back({codigo, Utilidades::NuloATexto(rs.valor(QStringLiteral("DESCRIPCION")))});
    }
    return r;
}

bool CambiarCodigo(Conexion& con, const QString& viejo, const QString& nuevo)
{
    Transaccion t(con);
    if (con.PrimeraFila(QStringLiteral("SELECT CODIGO FROM TA_TITCOPIADORES WHERE CODIGO = ?"), {nuevo})) return false;
    int n = 0;
    try {
        n = con.EjecutarSQL(QStringLiteral("UPDATE TA_TITCOPIADORES SET CODIGO = ? WHERE CODIGO = ?"), {nuevo, viejo});
    } catch (const ErrorBD& e) {
        if (e.esClaveDuplicada()) return false; // taken by another station since the check
        throw;
    }
    if (n != 1) throw ErrorVexa(-1, QStringLiteral("El título copiador %1 ya no existe").arg(viejo));
    t.confirmar();
    return true;
}

QString RenumerarTitulos(Conexion& con, const QStringList& codigos, qint64 incremento, const AlFallar& alFallar)
{
    QString colisiones;
    const qsizetype n = codigos.size();
    for (qsizetype k = 0; k < n; ++k) {
        const QString viejo = texto::recortar(codigos[incremento > 0 ? n - 1 - k : k]);
        const qint64 numero = lectura::enteroRedondeado(viejo).o(0) + incremento;
        const QString plano = QString::number(numero);
        if (numero < 0 || numero > 9999) {
            colisiones += QStringLiteral("\r El codigo (%1) no puede reemplazarce por (%2) puesto que %2 no es un codigo de cuatro digitos")
                              .arg(viejo, plano);
            continue;
        }
        const QString nuevo = Utilidades::CompletaCeros(plano, 4);
        for (;;) {
            try {
                if (!CambiarCodigo(con, Utilidades::CompletaCeros(viejo, 4), nuevo))
                    colisiones += QStringLiteral("\r El codigo (%1) no puede reemplazarce por (%2) puesto que %2 ya existe como codigo de Titulos Copiadores")
                                      .arg(viejo, plano);
                break;
            } catch (const std::exception& e) {
                const int r = alFallar ? alFallar(e) : plataforma::vbAbort;
                if (r == plataforma::vbRetry) continue;
                if (r == plataforma::vbIgnore) {
                    colisiones += QStringLiteral("\r El codigo (%1) no pudo recodificarse: ").arg(viejo) + descripcionDeError(e);
                    break;
                }
                return colisiones;
            }
        }
    }
    return colisiones;
}

Recodificacion Recodificar(Conexion& con, const QString& viejo, const std::optional<QString>& respuesta)
{
    const QString r = respuesta ? texto::recortar(*respuesta) : QString();
    if (r.isEmpty()) return Recodificacion::Vacio;
    if (r.size() > 4) return Recodificacion::Largo;
    if (!texto::soloDigitos(r)) return Recodificacion::NoNumerico;
    if (!CambiarCodigo(con, Utilidades::CompletaCeros(texto::recortar(viejo), 4), Utilidades::CompletaCeros(r, 4)))
        return Recodificacion::Existe;
    return Recodificacion::Hecho;
}

QString MensajeRecodificacion(Recodificacion r)
{
    switch (r) {
    case Recodificacion::Hecho: return QString();
    case Recodificacion::Vacio: return QStringLiteral("Debe Informar el Nuevo Titulo");
    case Recodificacion::Largo: return QStringLiteral("La cantidad de Digitos para el Nuevo Titulo debe ser 4 (Cuatro)");
    case Recodificacion::NoNumerico: return QStringLiteral("El Nuevo Titulo debe ser numérico");
    case Recodificacion::Existe: return QStringLiteral("El nuevo titulo ya existe");
    }
    return QString();
}

} // namespace vexa::titulos
