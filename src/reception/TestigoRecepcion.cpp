#include "TestigoRecepcion.h"

#include "Conexion.h"
#include "Entorno.h"

namespace vexa::recepcion {

TestigoRecepcion::TestigoRecepcion(Conexion* con) : con_(con) {}

Conexion& TestigoRecepcion::con()
{
    if (!con_) throw ErrorVexa(91, QStringLiteral("Sin conexión con la base de datos"));
    return *con_;
}

qint32 TestigoRecepcion::Reservar(const QString& archivo, const QString& usuario)
{
    Conexion& c = con();
    if (c.enTransaccion())
        throw ErrorVexa(5, QStringLiteral("El testigo de recepción se reserva fuera de una transacción"));
    leidos_ = ignorados_ = 0;
    // Another station may take the same number between the read and the insert:
    // its row wins the key and this run tries the next number.
    for (int intento = 0;; ++intento) {
        try {
            Transaccion t(c);
            const qint32 id = qint32(c.Escalar(QStringLiteral("SELECT COALESCE(MAX(ID), 0) FROM TESTIGO_RECEPCION")).toLongLong()) + 1;
            c.Insertar(QStringLiteral("TESTIGO_RECEPCION"),
                       {{QStringLiteral("ID"), id},
                        {QStringLiteral("FECHA_HORA"), plataforma::ahora()},
                        {QStringLiteral("USUARIO"), usuario},
                        {QStringLiteral("ARCHIVO"), archivo},
                        {QStringLiteral("REGISTROS_LEIDOS"), 0},
                        {QStringLiteral("REGISTROS_IGNORADOS"), 0},
                        {QStringLiteral("TOTAL_LINEAS"), QVariant()}, // written when the run ends
                        {QStringLiteral("ANULADA"), 0}});
            t.confirmar();
            id_ = id;
            return id;
        } catch (const ErrorBD& e) {
            if (!e.esClaveDuplicada() || intento >= 50) throw;
        }
    }
}

void TestigoRecepcion::EscribeConteos(int masGrabados, int masIgnorados)
{
    const int leidos = leidos_ + masGrabados;
    const int ignorados = ignorados_ + masIgnorados;
    // The update waits for a cancel that holds the row, then finds it cancelled.
    const int filas = con().EjecutarSQL(
        QStringLiteral("UPDATE TESTIGO_RECEPCION SET REGISTROS_LEIDOS = ?, REGISTROS_IGNORADOS = ? WHERE ID = ? "
                       "AND (ANULADA = 0 OR ANULADA IS NULL)"),
        {leidos, ignorados, id_});
    if (filas == 0) throw RecepcionAnulada();
}

void TestigoRecepcion::Graba_Datos(const QString& archivo, int leidos, int ignorados)
{
    leidos_ = leidos;
    ignorados_ = ignorados;
    con().EjecutarSQL(QStringLiteral("UPDATE TESTIGO_RECEPCION SET FECHA_HORA = ?, ARCHIVO = ?, REGISTROS_LEIDOS = ?, "
                                     "REGISTROS_IGNORADOS = ?, TOTAL_LINEAS = ? WHERE ID = ?"),
                      {plataforma::ahora(), archivo, leidos, ignorados, leidos + ignorados, id_});
}

} // namespace vexa::recepcion
