#include "CNStuffContable.h"

#include "ArchivoIni.h"
#include "Conexion.h"
#include "Configuracion.h"
#include "Dialogos.h"
#include "Entorno.h"
#include "EstadoGlobal.h"
#include "LineaComandos.h"
#include "Utilidades.h"

#include <QTextStream>

#include <cmath>
#include <limits>

namespace vexa {

namespace {

constexpr int kTiempoEsperaComandos = 360;

// 16-bit arithmetic of the code structure: a value out of range is an overflow.
qint16 aEntero16(double v)
{
    const double r = std::nearbyint(v);
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max())
        throw ErrorVexa(6, QStringLiteral("Desbordamiento"));
    return qint16(r);
}

void informarSinConexion(const QString& motivo)
{
    const QString t = QStringLiteral("No se pudo conectar con la base de datos.\n") + motivo;
    QTextStream(stderr) << t << Qt::endl;
    plataforma::dialogos().MsgBox(t, plataforma::vbCritical, QStringLiteral("Aviso al operador"));
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

bool ConectarBaseDatos()
{
    Conexion& con = Conexion::instancia();
    CarpetaPrograma = Utilidades::AgregaBarra(plataforma::carpetaPrograma());
    const QString linea = LineaComandosPrograma;
    SeccionConexion = seccionDeEquipo();
    try {
        BarrasPlanas = texto::val(ArchivoIni::instancia().LeerIni(ArchivoIniPrograma, SeccionConexion,
                                                                  QStringLiteral("FlatToolbars"), QStringLiteral("1"))) != 0;
    } catch (const std::exception&) {
        BarrasPlanas = true;
    }

    if (!con.Conectado()) {
        const ClavesConexion k = cortarClaves(linea);
        ParametroAdicional = k.parametroAdicional;
        MenuInicial = k.menu;
        Caja = k.caja;
        con.Usuario = k.usuario;
        con.DbName = k.dbName;
        con.Password = k.password;
        con.Server = k.server;
        QString motivo;
        bool abierta = false;
        try {
            abierta = con.Abrir();
            if (!abierta) motivo = con.ultimoError();
        } catch (const std::exception& e) {
            motivo = descripcionDeError(e);
        }
        if (abierta && con.Conectado()) motivo = con.verificarEsquema(); // not a company, newer, update failed
        if (!abierta || !con.Conectado() || !motivo.isEmpty()) {
            if (motivo.isEmpty()) motivo = QStringLiteral("La conexión no se abrió.");
            con.Cerrar();
            informarSinConexion(motivo);
            return false;
        }
        con.setTiempoEspera(kTiempoEsperaComandos);
    }

    CadenaDSN = cadenaDSN(con.DbName, con.Usuario, con.Password);

    Configuracion::instancia().copiarConexion(con);

    IniContable();
    return true;
}

void IniContable()
{
    EjecutarPasos(QStringLiteral("IniContable"), {
        [] { SoloMayusculas = texto::igual(Configuracion::instancia().ObtieneValor(QStringLiteral("ESCRIBE_SOLO_MAYUSCULAS")), QStringLiteral("SI")); },
        [] { PeriodoActivo = Configuracion::instancia().ObtieneValor(QStringLiteral("PERIODO")); },
    });
}

QString Cfg(const QString& clave)
{
    // Going on after a failed read finds no row (" "); leaving gives "".
    QString valor = QStringLiteral(" ");
    if (!EjecutarPasos(QStringLiteral("Cfg"), {[&] { valor = Configuracion::instancia().ObtieneValor(clave); }}))
        return QString();
    return valor;
}

void LeerDigitosCuentas()
{
    Configuracion& cfg = Configuracion::instancia();
    static const char* const niveles[] = {"Capitulo", "SubCapitulo", "Rubro", "SubRubro", "Cuenta", "SubCuenta"};
    qint16* const digitos[] = {&DigitosCapitulo, &DigitosSubCapitulo, &DigitosRubro, &DigitosSubRubro, &DigitosCuenta, &DigitosSubCuenta};
    qint16 total = 0;
    for (int i = 0; i < 6; ++i) {
        *digitos[i] = aEntero16(texto::val(cfg.ObtieneValor(QStringLiteral("Digitos_") + QLatin1String(niveles[i]))));
        total = aEntero16(double(total) + *digitos[i]);
        cfg.DigitosNivel[i] = *digitos[i];
    }
    DigitosTotal = total;
    cfg.DigitosNivel[6] = DigitosTotal;
}

void CalcularPosicionesCuentas()
{
    Configuracion& cfg = Configuracion::instancia();
    static const char* const claves[] = {"DIGITOS_CAPITULO", "DIGITOS_SUBCAPITULO", "DIGITOS_RUBRO", "DIGITOS_SUBRUBRO", "DIGITOS_CUENTA", "DIGITOS_SUBCUENTA"};
    qint16* const fines[] = {&FinCapitulo, &FinSubCapitulo, &FinRubro, &FinSubRubro, &FinCuenta, &FinSubCuenta};
    qint16 anterior = 0;
    for (int i = 0; i < 6; ++i) {
        *fines[i] = aEntero16(texto::val(cfg.ObtieneValor(QLatin1String(claves[i]))) + anterior);
        anterior = *fines[i];
        cfg.PosicionNivel[i] = *fines[i];
    }
    LargoCodigo = FinSubCuenta;
    cfg.PosicionNivel[6] = LargoCodigo;
}

} // namespace vexa
