# cmake -DLISTA=<file> -P ComprobarFuentesReglas.cmake
# Reads the sources of the rules libraries (one path a line, written by
# vexa_comprobar_niveles) and fails when one of them includes a window header
# or asks the operator something: the rules return what their caller shows.
file(STRINGS "${LISTA}" fuentes)
set(prohibidos
  "#include[ \t]*[<\"]Qt(Widgets|Gui|PrintSupport|Multimedia)/"
  "#include[ \t]*[<\"](Dialogos|DialogosQt|ListaConsulta|ListaConsultaQt|Reportes|ReportesQt|ListadoTestigo|UtilidadesVentanas|ControlesFormulario|ProgresoVentana|UtilTeb|GrillaEditable)\\.h[>\"]"
  "(^|[^A-Za-z0-9_])(dialogos|listaConsulta|reportes)\\(\\)"
  "(^|[^A-Za-z0-9_])(MsgBox|ManejaError|InformaError|EjecutarPasos|Calendario|GeneraReporte|EmiteReporte|ImprimirLista)\\("
)
set(faltas "")
foreach(f IN LISTS fuentes)
  file(STRINGS "${f}" lineas)
  set(n 0)
  foreach(l IN LISTS lineas)
    math(EXPR n "${n} + 1")
    string(REGEX REPLACE "//.*" "" codigo "${l}")
    # A declaration is not a call (Utilidades.h and MotorReportes.h declare what
    # the seams define).
    if(codigo MATCHES "^[ \t]*(static[ \t]+)?(int|bool|plataforma::ResultadoReporte|std::optional<QString>)[ \t]+(ManejaError|InformaError|Calendario|EjecutarPasos|GeneraReporte|EmiteReporte)\\(")
      continue()
    endif()
    foreach(p IN LISTS prohibidos)
      if(codigo MATCHES "${p}")
        string(APPEND faltas "${f}:${n}: ${l}\n")
      endif()
    endforeach()
  endforeach()
endforeach()
list(LENGTH fuentes cuantas)
if(faltas)
  message(FATAL_ERROR "Código de reglas que muestra o pregunta algo al operador:\n${faltas}")
endif()
message(STATUS "${cuantas} fuentes de reglas revisadas: ninguna muestra ventanas")
