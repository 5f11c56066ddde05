#include "TablasReferencia.h"

#include "Entorno.h"
#include "ReglasConsulta.h"
#include "Utilidades.h"

#include <QStringList>

#include <limits>

namespace vexa::referencias {

const std::vector<EntradaCatalogo>& CatalogoTablas()
{
    static const std::vector<EntradaCatalogo> c{
        {QStringLiteral("Condición de IVA (No Modificable)"), QStringLiteral("Ta_Condiva")},
        {QStringLiteral("Centros de Costo"), QStringLiteral("Ta_Ccosto")},
        {QStringLiteral("Monedas (Modifique la Descripción)"), QStringLiteral("Ta_Monedas")},
        {QStringLiteral("Provincias"), QStringLiteral("Ta_Estados")},
        {QStringLiteral("Tipos de Documento"), QStringLiteral("Ta_TipoDocumento")},
        {QStringLiteral("Paises"), QStringLiteral("Ta_Paises")},
        {QStringLiteral("Condiciones de Compra/Venta"), QStringLiteral("V_TA_Cpra_Vta")},
        {QStringLiteral("Categorias"), QStringLiteral("V_TA_Categoria")},
        {QStringLiteral("Bancos"), QStringLiteral("V_TA_Bancos")},
    };
    return c;
}

QString ColumnaDescripcion() { return QStringLiteral("DESCRIPCION"); }
QString ColumnaCantidadDias() { return QStringLiteral("CantidadDias"); }

bool EsTabla(const QString& tabla, const char* nombre)
{
    return QString::compare(tabla.trimmed(), QLatin1String(nombre), Qt::CaseInsensitive) == 0;
}

QString ColumnaClave(const QString& tabla)
{
    // The views' keys are the lookup rules' derived keys; every other table of
    // the catalogue falls under the rules' "TA_" row: "CODIGO".
    if (tabla.trimmed().startsWith(QLatin1String("V_TA_"), Qt::CaseInsensitive)) return ReglasConsulta(tabla.trimmed()).codigo;
    return QStringLiteral("CODIGO");
}

bool EsSoloLectura(const QString& tabla) { return EsTabla(tabla, "TA_CONDIVA"); }
bool AdmiteAltas(const QString& tabla) { return !EsTabla(tabla, "TA_MONEDAS"); }
bool MuestraCantidadDias(const QString& tabla) { return EsTabla(tabla, "V_TA_CPRA_VTA"); }
bool EsCentroDeCosto(const QString& tabla) { return EsTabla(tabla, "TA_CCOSTO"); }

QString MensajeSinCodigo() { return QStringLiteral(" Debe informar el Codigo!"); }
QString MensajeSinDetalle() { return QStringLiteral(" Debe informar un Detalle! "); }
QString MensajeMonedaNueva()
{
    return QStringLiteral("No puede agregar nuevos registros, sólo puede modificar la descripcion de los mismos");
}
QString MensajeConfirmaBaja() { return QStringLiteral("Confirma la baja de este registro?"); }
QString MensajeBajaCentroCosto()
{
    return QStringLiteral("Si elimina un Centro de Costos, también Eliminará\nla asociación de Este a Cuentas!\n\n"
                          "¿Realmente desea eliminarlo?");
}
QString MensajeSoloLectura(const QString& titulo)
{
    return QStringLiteral("La tabla «%1» sólo se puede consultar: no admite altas, cambios ni bajas.").arg(titulo);
}
QString MensajeNoEntero(const QString& campo)
{
    return QStringLiteral("El campo «%1» debe ser un número entero.").arg(campo);
}
QString MensajeSoloDigitos(const QString& campo)
{
    return QStringLiteral("El campo «%1» admite sólo dígitos.").arg(campo);
}
QString MensajeDemasiadoLargo(const QString& campo, int ancho)
{
    return QStringLiteral("El campo «%1» admite hasta %2 caracteres.").arg(campo).arg(ancho);
}
QString MensajeCodigoExistente(const QString& titulo, const QString& codigo)
{
    return QStringLiteral("Ya existe un registro de «%1» con el código %2.").arg(titulo, codigo);
}

namespace {

// Digits of the largest whole number a 32-bit integer column holds.
constexpr int kDigitosEntero = 10;

bool soloDigitos(const QString& t)
{
    if (t.isEmpty()) return false;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

// A whole number a 32-bit integer column can hold.
std::optional<qint32> entero32(const QString& texto)
{
    bool ok = false;
    const qlonglong n = texto.trimmed().toLongLong(&ok);
    if (!ok || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max()) return std::nullopt;
    return qint32(n);
}

QString sinDosPuntos(const QString& etiqueta)
{
    QString e = etiqueta.trimmed();
    if (e.endsWith(u':')) e.chop(1);
    return e;
}

} // namespace

TablaReferencia::TablaReferencia(Conexion& con, const QString& tabla) : con_(con), tabla_(tabla.trimmed())
{
    const TablaCatalogo t = con_.Catalogo(tabla_);
    clave_ = ColumnaClave(tabla_);
    const ColumnaCatalogo clave = con_.CatalogoColumna(tabla_, clave_);
    const ColumnaCatalogo descripcion = con_.CatalogoColumna(tabla_, ColumnaDescripcion());
    sqlTabla_ = t.citado();
    sqlClave_ = clave.citado();
    sqlDescripcion_ = descripcion.citado();
    if (MuestraCantidadDias(tabla_)) sqlDias_ = con_.NombreColumna(tabla_, ColumnaCantidadDias());
    claveEntera_ = clave.tipo == ColumnaCatalogo::Tipo::Entero;
    anchoClave_ = clave.ancho;
    anchoDescripcion_ = descripcion.ancho;
    // Catalogue codes are kept zero-filled to their width, but for the
    // currencies, whose "1" to "5" name the rate columns.
    ceros_ = !claveEntera_ && QString::compare(clave_, QLatin1String("CODIGO"), Qt::CaseInsensitive) == 0 &&
             AdmiteAltas(tabla_) && anchoClave_ > 0;
}

int TablaReferencia::largoClave() const { return claveEntera_ ? kDigitosEntero : anchoClave_; }

int TablaReferencia::largoCantidadDias() { return kDigitosEntero + 1; } // and a sign

QString TablaReferencia::formaClave(const QString& tecleada) const
{
    const QString t = texto::recortar(tecleada);
    if (t.isEmpty() || claveEntera_) return t;
    // Only numbers are zero-filled: a code written otherwise is looked up as it is.
    return ceros_ && soloDigitos(t) ? Utilidades::CompletaCeros(t, anchoClave_) : t;
}

QString TablaReferencia::revisarClave(const QString& tecleada, const QString& etiqueta) const
{
    const QString t = texto::recortar(tecleada);
    if (t.isEmpty()) return MensajeSinCodigo();
    if ((claveEntera_ || ceros_) && !soloDigitos(t)) return MensajeSoloDigitos(sinDosPuntos(etiqueta));
    if (claveEntera_) return entero32(t) ? QString() : MensajeNoEntero(sinDosPuntos(etiqueta));
    if (anchoClave_ > 0 && formaClave(t).size() > anchoClave_) return MensajeDemasiadoLargo(sinDosPuntos(etiqueta), anchoClave_);
    return QString();
}

QString TablaReferencia::revisarDescripcion(const QString& texto, const QString& etiqueta) const
{
    if (texto::recortar(texto).isEmpty()) return MensajeSinDetalle();
    if (anchoDescripcion_ > 0 && texto.size() > anchoDescripcion_)
        return MensajeDemasiadoLargo(sinDosPuntos(etiqueta), anchoDescripcion_);
    return QString();
}

QString TablaReferencia::revisarCantidadDias(const QString& texto, const QString& etiqueta) const
{
    if (texto::recortar(texto).isEmpty() || entero32(texto)) return QString();
    return MensajeNoEntero(sinDosPuntos(etiqueta));
}

std::optional<QVariant> TablaReferencia::valorClave(const QString& tecleada) const
{
    if (!claveEntera_) return QVariant(formaClave(tecleada));
    const auto n = entero32(tecleada);
    if (!n) return std::nullopt;
    return QVariant(qlonglong(*n));
}

QVariant TablaReferencia::valorClaveExistente(const QString& tecleada) const
{
    const auto clave = valorClave(tecleada);
    if (texto::recortar(tecleada).isEmpty()) throw ErrorVexa(13, MensajeSinCodigo());
    if (!clave) throw ErrorVexa(13, MensajeNoEntero(QStringLiteral("Código")));
    return *clave;
}

QString TablaReferencia::titulo() const
{
    for (const EntradaCatalogo& e : CatalogoTablas())
        if (EsTabla(tabla_, e.Tabla.toLatin1().constData())) return e.Titulo;
    return tabla_;
}

void TablaReferencia::exigirEscritura() const
{
    if (!EsSoloLectura(tabla_)) return;
    throw ErrorVexa(-2147217911, MensajeSoloLectura(titulo()));
}

std::vector<RegistroTabla> TablaReferencia::Filas()
{
    const QString dias = sqlDias_.isEmpty() ? QString() : QStringLiteral(", ") + sqlDias_;
    std::vector<RegistroTabla> r;
    Recordset rs = con_.ObtenerRecordset(QStringLiteral("SELECT %1, %2%3 FROM %4 ORDER BY %1")
                                             .arg(sqlClave_, sqlDescripcion_, dias, sqlTabla_));
    for (; !rs.eof(); rs.siguiente()) {
        const Fila& f = rs.fila();
        r.push_back({texto::recortar(f.texto(0)), texto::recortar(f.texto(1)),
                     sqlDias_.isEmpty() ? QString() : texto::recortar(f.texto(2))});
    }
    return r;
}

std::optional<RegistroTabla> TablaReferencia::Buscar(const QString& tecleada)
{
    const auto clave = valorClave(tecleada);
    if (!clave || texto::recortar(tecleada).isEmpty()) return std::nullopt;
    const QString dias = sqlDias_.isEmpty() ? QString() : QStringLiteral(", ") + sqlDias_;
    const auto f = con_.PrimeraFila(QStringLiteral("SELECT %1, %2%3 FROM %4 WHERE %1 = ?")
                                        .arg(sqlClave_, sqlDescripcion_, dias, sqlTabla_),
                                    {*clave});
    if (!f) return std::nullopt;
    return RegistroTabla{texto::recortar(f->texto(0)), texto::recortar(f->texto(1)),
                         sqlDias_.isEmpty() ? QString() : texto::recortar(f->texto(2))};
}

void TablaReferencia::Agregar(const RegistroTabla& r)
{
    exigirEscritura();
    if (!AdmiteAltas(tabla_)) throw ErrorVexa(-2147217911, MensajeMonedaNueva());
    QString error = revisarClave(r.clave, QStringLiteral("Código"));
    if (!error.isEmpty()) throw ErrorVexa(13, error);
    const QVariant clave = *valorClave(r.clave);
    error = revisarDescripcion(r.descripcion, QStringLiteral("Descripción"));
    if (error.isEmpty() && !sqlDias_.isEmpty()) error = revisarCantidadDias(r.cantidadDias, QStringLiteral("Cantidad de Dias"));
    if (!error.isEmpty()) throw ErrorVexa(13, error);
    QString columnas = sqlClave_ + QStringLiteral(", ") + sqlDescripcion_;
    Params p{clave, r.descripcion};
    if (!sqlDias_.isEmpty()) {
        columnas += QStringLiteral(", ") + sqlDias_;
        p << (texto::recortar(r.cantidadDias).isEmpty() ? QVariant(QMetaType::fromType<int>()) : QVariant(*entero32(r.cantidadDias)));
    }
    columnas += QStringLiteral(", ") + con_.NombreColumna(tabla_, QStringLiteral("FECHAHORA_GRABACION"));
    p << plataforma::ahora();
    QString marcas;
    for (int i = 0; i < p.size(); ++i) marcas += i ? QStringLiteral(", ?") : QStringLiteral("?");
    try {
        con_.EjecutarSQL(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(sqlTabla_, columnas, marcas), p);
    } catch (const ErrorBD& e) {
        // The window found the code free; another station saved it since.
        if (!e.esClaveDuplicada()) throw;
        throw ErrorBD(e.numero(), MensajeCodigoExistente(titulo(), clave.toString()), e.estado(), e.sql(), e.causa());
    }
}

void TablaReferencia::Modificar(const RegistroTabla& r, const RegistroTabla* leida)
{
    exigirEscritura();
    const QVariant clave = valorClaveExistente(r.clave);
    // What the operator left as it was shown stays as it is stored.
    const bool descripcion = !leida || r.descripcion != leida->descripcion;
    const bool dias = !sqlDias_.isEmpty() && (!leida || r.cantidadDias != leida->cantidadDias);
    QString error;
    if (descripcion) error = revisarDescripcion(r.descripcion, QStringLiteral("Descripción"));
    if (error.isEmpty() && dias) error = revisarCantidadDias(r.cantidadDias, QStringLiteral("Cantidad de Dias"));
    if (!error.isEmpty()) throw ErrorVexa(13, error);
    QStringList sets;
    Params p;
    if (descripcion) {
        sets << sqlDescripcion_ + QStringLiteral(" = ?");
        p << r.descripcion;
    }
    if (dias) {
        sets << sqlDias_ + QStringLiteral(" = ?");
        p << (texto::recortar(r.cantidadDias).isEmpty() ? QVariant(QMetaType::fromType<int>()) : QVariant(*entero32(r.cantidadDias)));
    }
    sets << con_.NombreColumna(tabla_, QStringLiteral("FECHAHORA_MODIFICACION")) + QStringLiteral(" = ?");
    p << plataforma::ahora() << clave;
    const int n = con_.EjecutarSQL(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?").arg(sqlTabla_, sets.join(QStringLiteral(", ")), sqlClave_), p);
    if (n == 0)
        throw ErrorVexa(-2147217864, QStringLiteral("El registro de código %1 ya no existe: otro puesto lo eliminó.")
                                         .arg(texto::recortar(r.clave)));
}

int TablaReferencia::Eliminar(const QString& tecleada)
{
    exigirEscritura();
    const QVariant clave = valorClaveExistente(tecleada);
    Transaccion t(con_);
    if (EsCentroDeCosto(tabla_))
        con_.EjecutarSQL(QStringLiteral("DELETE FROM MA_CUENTASCCOSTO WHERE CCOSTO = ?"), {clave});
    const int n = con_.EjecutarSQL(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(sqlTabla_, sqlClave_), {clave});
    t.confirmar();
    return n;
}

QString TablaReferencia::ConsultaPlanilla()
{
    return QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(sqlTabla_, sqlClave_);
}

} // namespace vexa::referencias
