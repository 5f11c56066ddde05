#include "DefinicionInterfaz.h"

#include "Conexion.h"
#include "Lectores.h"
#include "Utilidades.h"

namespace vexa::recepcion {

namespace {
QString textoDe(const Fila& f, const char* columna)
{
    const QString c = QLatin1String(columna);
    return f.tiene(c) ? texto::recortar(Utilidades::NuloATexto(f.valor(c))) : QString();
}
QString claveNombre(const QString& nombre) { return texto::recortar(nombre).toUpper(); }
} // namespace

// ---------------------------------------------------------------- Equivalencias

QString Equivalencias::clave(const QString& codigo) { return texto::recortar(codigo).toUpper(); }

void Equivalencias::agregar(const QString& origen, const QString& sistema)
{
    const QString k = clave(origen);
    if (!mapa_.contains(k)) mapa_.insert(k, texto::recortar(sistema));
}

QString Equivalencias::buscar(const QString& codigo) const
{
    auto it = mapa_.constFind(clave(codigo));
    return it == mapa_.constEnd() ? codigo : *it;
}

// ---------------------------------------------------------------- ValoresLinea

QString ValoresLinea::valor(int posicion) const
{
    return posicion >= 1 && posicion <= valores_.size() ? valores_[posicion - 1] : QString();
}

void ValoresLinea::fijar(int posicion, const QString& valor)
{
    if (posicion < 1) return;
    while (valores_.size() < posicion) valores_.append(QString());
    valores_[posicion - 1] = valor;
}

// ---------------------------------------------------------------- DefinicionInterfaz

DefinicionInterfaz::DefinicionInterfaz() : DefinicionInterfaz(CabeceraInterfaz(), {}) {}

DefinicionInterfaz::DefinicionInterfaz(CabeceraInterfaz cab, std::vector<CampoInterfaz> cs, Equivalencias tc,
                                       Equivalencias cta, std::vector<ReglaCuenta> rg)
    : cabecera(std::move(cab)),
      campos(cs.empty() ? std::vector<CampoInterfaz>(1) : std::move(cs)),
      equivalenciasTc(std::move(tc)),
      equivalenciasCta(std::move(cta)),
      reglas(std::move(rg)),
      divisor_(cabecera.TipoArchivo, cabecera.Separador, cabecera.Calificador)
{
    for (size_t i = 0; i < campos.size(); ++i) {
        anchos_.append(campos[i].Longitud);
        const QString k = claveNombre(campos[i].Nombre);
        if (!posiciones_.contains(k)) posiciones_.insert(k, int(i) + 1);
    }
}

std::optional<DefinicionInterfaz> DefinicionInterfaz::Obtiene(Conexion& con, const QString& nombre)
{
    const QString n = texto::recortar(nombre);
    auto cab = con.PrimeraFila(QStringLiteral("SELECT * FROM TA_INTERFACES WHERE NOMBRE = ?"), {n});
    if (!cab) return std::nullopt;

    CabeceraInterfaz c;
    c.Nombre = textoDe(*cab, "NOMBRE");
    c.Subdiario = textoDe(*cab, "SUBDIARIO");
    c.TipoArchivo = textoDe(*cab, "TIPO_ARCHIVO");
    c.Separador = textoDe(*cab, "SEPARADOR");
    c.Calificador = textoDe(*cab, "CALIFICADOR");
    c.FechaBasicos = textoDe(*cab, "FECHA_BASICOS");
    c.TcBasicos = textoDe(*cab, "TC_BASICOS");
    c.SucBasicos = textoDe(*cab, "SUC_BASICOS");
    c.NumBasicos = textoDe(*cab, "NUM_BASICOS");
    c.LetBasicos = textoDe(*cab, "LET_BASICOS");
    c.SucNumLetBasicos = textoDe(*cab, "SUCNUMLET_BASICOS");
    c.FormatoSucNumLet = textoDe(*cab, "FORMATO_SUC_NUM_LET");
    c.ImporteTotalBasicos = textoDe(*cab, "IMPORTETOTAL_BASICOS");
    c.VencimientoBasicos = textoDe(*cab, "VENCIMIENTO_BASICOS");
    c.CuentaPrincipalBasicos = textoDe(*cab, "CUENTA_PRINCIPAL_BASICOS");
    c.LivaTipo = textoDe(*cab, "LIVA_TIPO");
    c.LivaNeto = textoDe(*cab, "LIVA_NETO");
    c.LivaNetoN = textoDe(*cab, "LIVA_NETON");
    c.LivaCfri = textoDe(*cab, "LIVA_CFRI");
    c.LivaRetGanancias = textoDe(*cab, "LIVA_RET_GANANCIAS");
    c.LivaDfri = textoDe(*cab, "LIVA_DFRI");
    c.LivaDfrni = textoDe(*cab, "LIVA_DFRNI");
    c.LivaImpIvaRec = textoDe(*cab, "LIVA_IMPIVAREC");
    c.LivaRetIbtos = textoDe(*cab, "LIVA_RET_IBTOS");
    c.LivaRetPerc = textoDe(*cab, "LIVA_RET_PERC");
    c.LivaRm = textoDe(*cab, "LIVA_RM");
    c.LivaCf = textoDe(*cab, "LIVA_CF");
    c.LivaExento = textoDe(*cab, "LIVA_EXENTO");
    c.NombreArchivo = textoDe(*cab, "NOMBRE_ARCHIVO");

    std::vector<CampoInterfaz> cs;
    for (auto rs = con.ObtenerRecordset(
             QStringLiteral("SELECT * FROM TA_INTERFACES_DETALLE WHERE INTERFACE = ? ORDER BY SECUENCIA"), {n});
         !rs.eof(); rs.siguiente()) {
        CampoInterfaz ci;
        ci.Nombre = textoDe(rs.fila(), "NOMBRE_CAMPO");
        ci.Formato = textoDe(rs.fila(), "FORMATO");
        ci.TIPO_DATO = textoDe(rs.fila(), "TIPO_DATO");
        const double largo = lectura::numeroInicial(textoDe(rs.fila(), "LONGITUD")).o(0);
        if (largo < -32768 || largo > 32767)
            throw ErrorVexa(6, QStringLiteral("Desbordamiento: la longitud del campo %1 no es válida").arg(ci.Nombre));
        ci.Longitud = int(largo);
        cs.push_back(std::move(ci));
    }

    Equivalencias tc, cta;
    for (auto rs = con.ObtenerRecordset(
             QStringLiteral("SELECT CODIGO_ORIGEN, CODIGO_SISTEMA FROM EQ_TC_INTERFACE WHERE INTERFACE = ? ORDER BY ID"), {n});
         !rs.eof(); rs.siguiente())
        tc.agregar(rs.texto(QStringLiteral("CODIGO_ORIGEN")), rs.texto(QStringLiteral("CODIGO_SISTEMA")));
    for (auto rs = con.ObtenerRecordset(
             QStringLiteral("SELECT CODIGO_ORIGEN, CODIGO_SISTEMA FROM EQ_CTA_INTERFACE WHERE INTERFACE = ? ORDER BY ID"), {n});
         !rs.eof(); rs.siguiente())
        cta.agregar(rs.texto(QStringLiteral("CODIGO_ORIGEN")), rs.texto(QStringLiteral("CODIGO_SISTEMA")));

    std::vector<ReglaCuenta> rg;
    for (auto rs = con.ObtenerRecordset(
             QStringLiteral("SELECT * FROM EQ_COND_INTERFACES WHERE INTERFACE = ? ORDER BY SECUENCIA"), {n});
         !rs.eof(); rs.siguiente()) {
        ReglaCuenta r;
        r.Secuencia = int(rs.entero(QStringLiteral("SECUENCIA")));
        r.Operador = textoDe(rs.fila(), "OPERADOR");
        r.CampoOrigen = textoDe(rs.fila(), "CAMPO_ORIGEN");
        r.ValorCampoOrigen = textoDe(rs.fila(), "VALOR_CAMPO_ORIGEN");
        r.AsignadoACuenta = textoDe(rs.fila(), "ASIGNADO_A_CUENTA");
        r.AlDebeOHaber = textoDe(rs.fila(), "AL_DEBE_O_HABER");
        r.ValorCampo = textoDe(rs.fila(), "VALOR_CAMPO");
        rg.push_back(std::move(r));
    }

    return DefinicionInterfaz(std::move(c), std::move(cs), std::move(tc), std::move(cta), std::move(rg));
}

ValoresLinea DefinicionInterfaz::DivideLinea(const QString& linea) const
{
    QStringList valores = divisor_.dividir(linea, anchos_);
    valores.resize(qsizetype(campos.size()));
    return ValoresLinea(std::move(valores));
}

int DefinicionInterfaz::PosicionCampo(const QString& nombre) const
{
    return posiciones_.value(claveNombre(nombre), 0);
}

QString DefinicionInterfaz::ValorCampo(const ValoresLinea& valores, const QString& nombre) const
{
    const int p = PosicionCampo(nombre);
    return p ? valores.valor(p) : QString();
}

} // namespace vexa::recepcion
