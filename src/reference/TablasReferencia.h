#pragma once
// The reference tables the reference-table window edits one record at a time:
// the catalogue of nine tables, the key column of each, the form of a typed
// key, and reading, adding, changing and deleting rows by key. Every table and
// column name reaches SQL through the catalogue lookup of Conexion.
#include "Conexion.h"

#include <QString>

#include <optional>
#include <vector>

namespace vexa::referencias {

struct EntradaCatalogo {
    QString Titulo; // the caption the window lists
    QString Tabla;  // the table or view
};

// The nine tables, in the window's order.
const std::vector<EntradaCatalogo>& CatalogoTablas();

// Column names of the fields the window shows.
QString ColumnaDescripcion();  // "DESCRIPCION"
QString ColumnaCantidadDias(); // "CantidadDias"

// The key column of a table: the key derived from a view's name
// ("V_TA_Bancos" -> "IDBanco", "V_TA_CPRA_VTA" -> "IDCOND_CPRA_VTA"), "CODIGO"
// for the others; the lookup-list rules give the same.
QString ColumnaClave(const QString& tabla);
// Table names compare without regard to case.
bool EsTabla(const QString& tabla, const char* nombre);
// VAT conditions are shown only.
bool EsSoloLectura(const QString& tabla);
// Currencies take no new codes: "1" to "5" name the rate columns.
bool AdmiteAltas(const QString& tabla);
// Only purchase/sale conditions show "CantidadDias".
bool MuestraCantidadDias(const QString& tabla);
bool EsCentroDeCosto(const QString& tabla);

// Operator's messages.
QString MensajeSinCodigo();        // " Debe informar el Codigo!"
QString MensajeSinDetalle();       // " Debe informar un Detalle! "
QString MensajeMonedaNueva();      // currencies take no new codes
QString MensajeConfirmaBaja();     // "Confirma la baja de este registro?"
QString MensajeBajaCentroCosto();  // the cost-centre warning
QString MensajeSoloLectura(const QString& titulo);
QString MensajeNoEntero(const QString& campo);
QString MensajeSoloDigitos(const QString& campo);
QString MensajeDemasiadoLargo(const QString& campo, int ancho);
// A new row whose code another station saved first.
QString MensajeCodigoExistente(const QString& titulo, const QString& codigo);

// One row as the window shows it: texts, "" for NULL.
struct RegistroTabla {
    QString clave;
    QString descripcion;
    QString cantidadDias;
};

// One open table. The constructor finds the table and its columns in the
// catalogue (ErrorBD naming a missing one).
class TablaReferencia {
public:
    TablaReferencia(Conexion& con, const QString& tabla);

    const QString& tabla() const { return tabla_; }
    const QString& columnaClave() const { return clave_; }
    bool claveEntera() const { return claveEntera_; }
    // Width of the key and description columns (0: no declared limit).
    int anchoClave() const { return anchoClave_; }
    int anchoDescripcion() const { return anchoDescripcion_; }
    // The most characters the operator may type into the key, the description
    // and the days: a text column's declared width, the digits of the largest
    // whole number for a number column; 0 for a column without a limit.
    int largoClave() const;
    int largoDescripcion() const { return anchoDescripcion_; }
    static int largoCantidadDias();

    // The stored form of a typed key: trimmed; a CODIGO text key of a table
    // whose codes are zero-filled ("7" -> "0007") brought to the column's width.
    QString formaClave(const QString& tecleada) const;
    // "" when the typed value may be stored, else the message naming the
    // field: the key ('etiqueta'), the description, the days. A new key of a
    // numbered table (every one but the currencies) is digits only: "-1" or
    // "7a" are refused, not zero-filled.
    QString revisarClave(const QString& tecleada, const QString& etiqueta) const;
    QString revisarDescripcion(const QString& texto, const QString& etiqueta) const;
    QString revisarCantidadDias(const QString& texto, const QString& etiqueta) const;

    // Every row in key order (read once when the window opens the table).
    std::vector<RegistroTabla> Filas();
    // The row of a typed key (its stored form), if any. A key as stored is
    // found however it is written, also one the rules for new keys refuse.
    std::optional<RegistroTabla> Buscar(const QString& tecleada);

    // A new row (stamps "fechahora_grabacion") or a change of the row of that
    // key (stamps "fechahora_modificacion"; the key is never changed). Values
    // that their columns cannot hold, VAT conditions, a new currency and a
    // change of a row that is gone are refused (ErrorVexa with the message).
    // Given the row as it was shown ('leida'), a change leaves the columns
    // whose text the operator did not alter as they are stored.
    // A code another station added meanwhile is refused with
    // MensajeCodigoExistente (ErrorBD, Causa::ClaveDuplicada).
    void Agregar(const RegistroTabla& r);
    void Modificar(const RegistroTabla& r, const RegistroTabla* leida = nullptr);
    // Deletes the row of that key; a cost centre takes its account shares
    // (MA_CUENTASCCOSTO) with it, in one transaction. Returns the rows deleted
    // from the table itself.
    int Eliminar(const QString& clave);

    // The query the grid viewer shows: every row in key order.
    QString ConsultaPlanilla();

private:
    // The key as the statements bind it; nullopt for a text that no row of a
    // number key can hold.
    std::optional<QVariant> valorClave(const QString& tecleada) const;
    QVariant valorClaveExistente(const QString& tecleada) const;
    void exigirEscritura() const;
    QString titulo() const; // the catalogue's title of the table
    Conexion& con_;
    QString tabla_, clave_;
    QString sqlTabla_, sqlClave_, sqlDescripcion_, sqlDias_;
    bool claveEntera_ = false, ceros_ = false;
    int anchoClave_ = 0, anchoDescripcion_ = 0;
};

} // namespace vexa::referencias
