#pragma once
// Starting the suite's companion programs with the connection on their command
// lines: the report runner "RZ731R.EXE", the forms runner "RZ731CF.EXE" and the
// maintenance programs named by "shell:" targets, all from the install folder.
// Processes are started directly (no shell): the values travel untouched.
#include "CodigosDialogo.h"
#include "DatosConexion.h"

#include <QString>
#include <QStringList>

#include "Conexion.h"

namespace vexa {

// Marker every companion command line ends with.
inline const QString MarcaFinComando = QStringLiteral("qorn@");


// "@Menu=<name>;@Server=..;@DbName=..;@Usuario=..;@Password=..;qorn@;"
QString argumentosEjecutor(const QString& nombre, const DatosConexion& c);
// "; @server=..; @dbname=..; @usuario=..; @Password=..; @ParametroAdicional=..; qorn@ ;"
// (the whole command puts a blank between the program and this text).
QString argumentosPrograma(const QString& parametroAdicional, const DatosConexion& c);
// Full command text: the runner path (in double quotes when it holds a blank), a blank, the arguments.
QString comandoEjecutor(const QString& ruta, const QString& argumentos);

// The file of that name in the folder, found without regard to letter case
// (the exact name first); empty when there is none.
QString buscarArchivoCarpeta(const QString& carpeta, const QString& nombre);

// Each starts its program with the details of the given (open) connection and
// returns what the caller must tell the operator: empty when the program
// started (or there was nothing to start), else the message box to show.
// Starts the report runner for the report (nothing when the name is blank).
[[nodiscard]] plataforma::AvisoOperador EjecutarReporte(const Conexion& con, const QString& reporte);
// Starts the forms runner for the form (nothing when the name is blank).
[[nodiscard]] plataforma::AvisoOperador EjecutarFormulario(const Conexion& con, const QString& formulario);
// Starts the maintenance program of a "shell:" target (its first six characters
// are dropped). tareaId is non-zero when the program was started, 0 otherwise
// (the notice returned then says so).
[[nodiscard]] plataforma::AvisoOperador EjecutarPrograma(const Conexion& con, const QString& programa,
                                                         const QString& parametroAdicional, qint64& tareaId);

} // namespace vexa
