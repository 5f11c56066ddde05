#pragma once
// The accounts of the VAT books: each detail account of MA_CUENTAS feeds at
// most one of the two books (LIBRO_IVA_COMPRAS, LIBRO_IVA_VENTAS).
//
// GrabarLibroIva writes one book in one transaction: the chosen accounts
// (detail accounts, by code) are in the book afterwards and every other account
// (titles too) is out of it; the chosen codes go to a table of the session and
// two statements write just the rows whose flag changes, whatever the number
// of accounts. It stops, rolling everything back, at the first chosen account
// (in the given order) that the other book holds or that is not a detail
// account any more. Two saves (of either book) wait for each other (a lock
// taken when the transaction begins), and the other book is read inside the
// transaction, under that lock: two stations saving the two books see each
// other's flags and never leave an account in both.
#include <QString>
#include <QStringList>

#include <vector>

namespace vexa {

class Conexion;

namespace libros {

struct CuentaLibro {
    QString codigo;      // CODIGO as stored (without trailing blanks): the account's key
    QString descripcion; // trimmed DESCRIPCION ("" for NULL)
    bool enLibro = false; // the book's flag (NULL as false)
};

// "Libro_IVA_Compras" or "Libro_IVA_Ventas".
QString columnaLibro(bool compras);

// Every detail account in code order, with this book's flag.
std::vector<CuentaLibro> CuentasDelLibro(Conexion& con, bool compras);

struct ResultadoLibro {
    enum class Fin { Grabado, EnOtroLibro, NoImputable };
    Fin fin = Fin::Grabado;
    QString codigo; // the account that stopped the save
};

// Throws ErrorBD on a database error (the transaction is rolled back).
ResultadoLibro GrabarLibroIva(Conexion& con, bool compras, const QStringList& codigos);

// The operator's message for a save that stopped ("" when it was saved).
QString MensajeLibro(const ResultadoLibro& r, bool compras);

// The listing of the stored book for the grid viewer (headings "Código" and "Descripción").
QString ConsultaPlanilla(bool compras);
QString TituloPlanilla(bool compras);

} // namespace libros
} // namespace vexa
