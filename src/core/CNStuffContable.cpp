#include "Esquema.h"
#include "CNStuffContable.h"

#include "ArchivoIni.h"
#include "Conexion.h"
#include "ContextoEmpresa.h"
#include "CodigosDialogo.h"
#include "Entorno.h"
#include "EstadoGlobal.h"
#include "Lectores.h"
#include "LineaComandos.h"
#include "Utilidades.h"

#include <QTextStream>


namespace vexa {

namespace {

constexpr int kTiempoEsperaComandos = 360;

plataforma::AvisoOperador avisoSinConexion(const QString& motivo)
{
    const QString t = QStringLiteral("No se pudo conectar con la base de datos.\n") + motivo;
    QTextStream(stderr) << t << Qt::endl;
    return {t, plataforma::vbCritical, QStringLiteral("Aviso al operador")};
}

} // namespace

QString cadenaDSN(const QString& dbName, const QString& usuario, const QString& password)
{
    return QStringLiteral("DSN=") + dbName + QStringLiteral("; UID=") + usuario + QStringLiteral("; PWD=") + password;
}

QString seccionDeEquipo()
{
    return plataforma::InfoSistema::NombreEquipo().toUpper() + u'|' + plataforma::InfoSistema::IdentidadSesion().toUpper();
}

bool ConectarBaseDatos(EstadoInicio& inicio, plataforma::AvisoOperador& aviso)
{
    aviso = {};
    Conexion& con = Conexion::instancia();
    inicio.carpetaPrograma = Utilidades::AgregaBarra(plataforma::carpetaPrograma());
    const QString linea = inicio.lineaComandos;
    inicio.seccionConexion = seccionDeEquipo();
    try {
        const QString planas =
            ArchivoIni::LeerIni(ArchivoIniPrograma, inicio.seccionConexion, QStringLiteral("FlatToolbars"), QStringLiteral("1"));
        inicio.barrasPlanas = lectura::numeroInicial(planas).o(0) != 0;
    } catch (const std::exception&) {
        inicio.barrasPlanas = true;
    }

    if (!con.Conectado()) {
        const ClavesConexion k = cortarClaves(linea);
        inicio.parametroAdicional = k.parametroAdicional;
        inicio.menuInicial = k.menu;
        inicio.caja = k.caja;
        con.setDatos({k.server, k.dbName, k.usuario, k.password});
        QString motivo;
        bool abierta = false;
        try {
            abierta = con.Abrir();
            if (!abierta) motivo = con.ultimoError();
        } catch (const std::exception& e) {
            motivo = descripcionDeError(e);
        }
        if (abierta && con.Conectado()) motivo = EsquemaEmpresa(con).verificarEsquema(); // not a company, newer, update failed
        if (!abierta || !con.Conectado() || !motivo.isEmpty()) {
            if (motivo.isEmpty()) motivo = QStringLiteral("La conexión no se abrió.");
            con.Cerrar();
            aviso = avisoSinConexion(motivo);
            return false;
        }
        con.setTiempoEspera(kTiempoEsperaComandos);
    }

    inicio.cadenaDSN = cadenaDSN(con.datos().dbName, con.datos().usuario, con.datos().password);

    return true;
}

} // namespace vexa
