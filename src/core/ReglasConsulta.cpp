#include "ReglasConsulta.h"

#include <initializer_list>

namespace vexa {

namespace {

bool es(const QString& a, const char* b) { return QString::compare(a, QLatin1String(b), Qt::CaseInsensitive) == 0; }

bool unoDe(const QString& t, std::initializer_list<const char*> nombres)
{
    for (const char* n : nombres)
        if (es(t, n)) return true;
    return false;
}

bool empiezaCon(const QString& t, const char* prefijo) { return t.startsWith(QLatin1String(prefijo), Qt::CaseInsensitive); }

} // namespace

QString ClaveDerivada(const QString& parte)
{
    QString r = QStringLiteral("ID") + parte;
    if (r.endsWith(u'S') || r.endsWith(u's')) r.chop(1);
    return r;
}

ColumnasConsulta ReglasConsulta(const QString& tablaPedida, const ColumnasConsulta& previas)
{
    const QString t = tablaPedida.trimmed();
    const auto fijar = [](const QString& d, const QString& c, const QString& e) { return ColumnasConsulta{d, c, e}; };
    const QString D = QStringLiteral("DESCRIPCION"), d = QStringLiteral("Descripcion");

    if (es(t, "V_TA_Cpte")) return fijar(d, t, QString());
    if (es(t, "V_TA_RETENCIONES")) return fijar(D, QStringLiteral("IDRETENCION"), QString());
    if (es(t, "V_ta_PoliticaPrecios")) return fijar(d, QStringLiteral("codigo"), QString());
    if (unoDe(t, {"V_TA_Cajas", "V_TA_Bancos", "V_TA_MotivoVta", "V_TA_MotivoCpra", "V_TA_Deposito", "V_TA_Tecnicos",
                  "V_TA_Tareas", "V_TA_Unidad", "V_TA_TipoArticulo", "V_TA_Rubros", "V_TA_MotivoStock", "V_TA_CPRA_VTA",
                  "V_TA_CATEGORIA", "V_TA_DESTINO", "V_TA_ORIGEN"})) {
        QString codigo = ClaveDerivada(t.mid(5));
        if (es(t, "V_TA_CPRA_VTA")) codigo = QStringLiteral("IDCOND_CPRA_VTA");
        else if (es(t, "V_TA_TipoArticulo")) codigo = QStringLiteral("IDTIPO");
        else if (es(t, "V_TA_Cajas")) codigo = QStringLiteral("IDCajas");
        return fijar(es(t, "V_TA_Tecnicos") ? QStringLiteral("NOMBRE") : D, codigo, QString());
    }
    if (unoDe(t, {"P_TA_NIVELESTUDIO", "P_TA_CONOCIMIENTOS", "P_TA_Categorizacion", "P_TA_CentroMedico", "P_TA_FormasDePago",
                  "P_MA_Empresas", "P_TA_ZONARESIDENCIA", "P_TA_ObraSocial", "P_TA_MotivoEgreso", "P_TA_Grupos",
                  "P_TA_EstadoBusqueda", "P_TA_Areas", "P_TA_IDIOMAS", "P_TA_TITULOs", "P_TA_ESTADOPOSTULANTE",
                  "P_TA_Parentesco", "P_TA_EstadoCivil"})) {
        const QString codigo = es(t, "P_TA_Areas") ? QStringLiteral("ID") + t.mid(5) : ClaveDerivada(t.mid(5));
        return fijar(es(t, "P_MA_Empresas") ? QStringLiteral("NombreEmpresa") : d, codigo, QString());
    }
    if (es(t, "P_SINDICATOS")) return fijar(d, QStringLiteral("IdSindicato"), QString());
    if (es(t, "P_TA_Funciones")) return fijar(D, QStringLiteral("ID") + t.mid(5), QString());
    if (unoDe(t, {"TA_Categoria", "TA_Deposito", "TA_MotivoStock", "TA_TipoArticulo", "TA_Rubros"}))
        return fijar(D, es(t, "TA_TipoArticulo") ? QStringLiteral("IDTIPO") : ClaveDerivada(t.mid(3)), QString());
    if (es(t, "P_MA_Clientes")) return fijar(QStringLiteral("RAZON_SOCIAL"), QStringLiteral("IDCLIENTE"), QString());
    if (es(t, "TA_Cpte")) return fijar(D, QStringLiteral("CODIGO"), D);
    if (es(t, "V_MA_ARTICULOS")) return fijar(D, ClaveDerivada(t.mid(5)), D);
    if (es(t, "MA_ARTICULOS")) return fijar(D, ClaveDerivada(t.mid(3)), D);
    if (es(t, "MA_MODELOS")) return fijar(QStringLiteral("NOMBRE"), QStringLiteral("NOMBRE"), QStringLiteral("NOMBRE"));
    if (es(t, "MA_CHOFERES")) return fijar(QStringLiteral("APELLIDO"), QStringLiteral("CODIGO"), QStringLiteral("NOMBRES"));
    if (es(t, "MA_DESTINATARIOS")) return fijar(QStringLiteral("NOMBRE"), QStringLiteral("CODIGO"), QStringLiteral("NOMBRE"));
    if (es(t, "MA_VEHICULOS")) return fijar(QStringLiteral("PATENTE"), QStringLiteral("PATENTE"), QStringLiteral("MODELO"));
    if (es(t, "MV_EJERCICIOS")) return fijar(D, QStringLiteral("PERIODO"), D);
    if (es(t, "TA_USUARIOS")) return fijar(QStringLiteral("NOMBRE"), QStringLiteral("NOMBRE"), QString());
    if (empiezaCon(t, "TA_")) return fijar(D, QStringLiteral("CODIGO"), D);
    if (empiezaCon(t, "MA_")) {
        const QString seis = t.left(6).toUpper();
        if (seis == QLatin1String("MA_PRO") || seis == QLatin1String("MA_VEN") || seis == QLatin1String("MA_TRA") ||
            seis == QLatin1String("MA_CON") || seis == QLatin1String("MA_AGE"))
            return fijar(QStringLiteral("Razon_Social"), QStringLiteral("Codigo"), QStringLiteral("Razon_Social"));
        if (seis == QLatin1String("MA_CLI"))
            return fijar(QStringLiteral("Razon_Social"), QStringLiteral("Codigo"), QStringLiteral("Codigo_sucursal"));
        return fijar(d, QStringLiteral("Codigo"), d);
    }
    if (empiezaCon(t, "[MA_CA")) return fijar(QStringLiteral("nombre"), QStringLiteral("Codigo"), QStringLiteral("nombre"));
    if (empiezaCon(t, "MV_PRO")) return fijar(QStringLiteral("ASUNTO"), QStringLiteral("ID"), QStringLiteral("ASUNTO"));

    ColumnasConsulta r = previas;
    if (r.descripcion.trimmed().isEmpty()) r.descripcion = d;
    if (r.codigo.trimmed().isEmpty()) r.codigo = QStringLiteral("codigo");
    return r;
}

} // namespace vexa
