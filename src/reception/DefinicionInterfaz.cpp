#include "DefinicionInterfaz.h"

#include "Conexion.h"
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

// ---------------------------------------------------------------- DefinicionInterfaz

DefinicionInterfaz::DefinicionInterfaz()
{
    campos.resize(1);
    Prepara();
}

bool DefinicionInterfaz::ObtieneDatosInterface(Conexion& con, const QString& nombre)
{
    const QString n = texto::recortar(nombre);
    auto cab = con.PrimeraFila(QStringLiteral("SELECT * FROM TA_INTERFACES WHERE NOMBRE = ?"), {n});
    if (!cab) return false;

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
        const double largo = texto::val(textoDe(rs.fila(), "LONGITUD"));
        if (largo < -32768 || largo > 32767)
            throw ErrorVexa(6, QStringLiteral("Desbordamiento: la longitud del campo %1 no es válida").arg(ci.Nombre));
        ci.Longitud = int(largo);
        cs.push_back(std::move(ci));
    }
    if (cs.empty()) cs.resize(1);

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

    cabecera = std::move(c);
    campos = std::move(cs);
    equivalenciasTc = std::move(tc);
    equivalenciasCta = std::move(cta);
    reglas = std::move(rg);
    Prepara();
    return true;
}

void DefinicionInterfaz::Prepara()
{
    divisor_ = DivisorLineas(cabecera.TipoArchivo, cabecera.Separador, cabecera.Calificador);
    anchos_.clear();
    posiciones_.clear();
    for (size_t i = 0; i < campos.size(); ++i) {
        anchos_.append(campos[i].Longitud);
        const QString k = claveNombre(campos[i].Nombre);
        if (!posiciones_.contains(k)) posiciones_.insert(k, int(i) + 1);
    }
}

void DefinicionInterfaz::DivideLinea(const QString& linea)
{
    const QStringList valores = divisor_.dividir(linea, anchos_);
    for (size_t i = 0; i < campos.size(); ++i) campos[i].Valor = i < size_t(valores.size()) ? valores[qsizetype(i)] : QString();
}

int DefinicionInterfaz::PosicionCampo(const QString& nombre) const
{
    return posiciones_.value(claveNombre(nombre), 0);
}

QString DefinicionInterfaz::ValorCampo(const QString& nombre) const
{
    const int p = PosicionCampo(nombre);
    return p ? campos[size_t(p - 1)].Valor : QString();
}

void DefinicionInterfaz::LimpiaValores()
{
    for (auto& c : campos) c.Valor.clear();
}

} // namespace vexa::recepcion
