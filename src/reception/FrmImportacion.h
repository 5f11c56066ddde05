#pragma once
// "Recepción de Cuentas desde Interfaz": the operator names an account-import
// definition and a file, may look at the file's lines, and receives it with the
// toolbar's GRABAR key: each line becomes a sub-account under the definition's
// parent account (RecibirCuentas, ImportacionCuentas.h) or is listed with the
// reason. The lists of recorded and rejected lines can be printed.
//
// The window while a run goes on, the fields and the toolbar are the reception
// window's (VentanaRecepcion.h); the progress box offers cancelling, confirmed
// with a question. Boxes are shown only while no write transaction is open.
#include "VentanaRecepcion.h"

namespace vexa::recepcion {

class FrmImportacion : public VentanaRecepcion {
    Q_OBJECT
public:
    explicit FrmImportacion(ContextoEmpresa& ctx, QWidget* parent = nullptr);
    void ListaInterfaces() { MostrarLista(); }
    void Procesa_ArchivoCuentas(const QString& archivo);

    // The window's names for the form state.
    bool& HayError = ErrorCampo;
    int& IndiceActual = CampoActual;
    QString& ArchivoOrigen = ArchivoElegido;

protected:
    bool existeDefinicion(Conexion& con, const QString& nombre) override;
    void procesar(const QString& archivo) override { Procesa_ArchivoCuentas(archivo); }
};

} // namespace vexa::recepcion
