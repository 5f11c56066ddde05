#pragma once
// Company-configuration component: values by key from TA_CONFIGURACION, the
// account-code structure, account lookups and voucher numbering updates.
// The company context (ContextoEmpresa.h) keeps one over its connection.
#include "Conexion.h"

#include <QDate>
#include <QString>

#include <optional>

#include <array>

namespace vexa {

class Configuracion {
public:
    explicit Configuracion(Conexion* c) : con_(c) {}

    // Connection copy (kept for command lines of companion programs).
    QString Server, DbName, CadenaConexion, Usuario, Password, Version;
    void Conectar() {}
    // Copies the open connection's fields (Server, DbName, CadenaConexion, Usuario,
    // Password, in that order) and calls Conectar.
    void copiarConexion(const Conexion& c);

    // Account-code structure handed over by the program: digits of levels 1..6
    // then the total; end positions of levels 1..6 then the full length.
    std::array<int, 7> DigitosNivel{};
    std::array<int, 7> PosicionNivel{};

    // ---- values by key (Configuracion.cpp) ----
    // Value of the key; " " (one blank) when there is no row, "" for a NULL value.
    QString ObtieneValor(const QString& clave);
    // First and last day of a fiscal year (invalid dates when it does not exist).
    bool FechasEjercicio(int periodo, QDate& desde, QDate& hasta);

    // ---- accounts and dates (ConfiguracionCuentas.cpp) ----
    // The account code exists in MA_CUENTAS.
    bool ExisteCuenta(const QString& cuenta);
    // Same, also giving whether it is a fixed-asset account (BIENES = 1).
    bool ExisteCuenta(const QString& cuenta, bool& esBienDeUso);

    // ---- fixed assets (ConfiguracionCuentas.cpp) ----
    // The number proposed for a new asset: the highest MA_BIENES code plus one.
    // Only a proposal: the save takes it again inside its write transaction.
    QString NuevoCodigoBien();
    // The improvement number offered for an asset: its highest MA_BIENES_NOVEDADES
    // ID plus one ("1" for an asset without improvements or a code that is not a number).
    QString IdMejoraBien(const QString& codigoBien);
    // The account picker: the chart of accounts (description and code, in code
    // order) in the lookup list. The chosen code comes back in 'cuenta' and the
    // answer is true; closed without a choice, 'cuenta' is left as it was.
    // Built with the windows (SeleccionaCuenta.cpp in vexa_core_ventanas).
    std::optional<QString> SeleccionaCuenta();
    // Title of the picker's list.
    static QString TituloSeleccionaCuenta();
    // Check digit of an account code: its digits (anything else skipped) weighted
    // 2, 3, 4, 5, 6, 7, 2, 3, ... from the rightmost; d = 11 - (sum mod 11), with
    // 11 giving 0 and 10 giving 1.
    static qint16 DigitoVerificador(const QString& cuenta);
    // The account may be posted (exists and is a detail account); mensaje gets the reason.
    bool ValidaCuenta(const QString& subdiario, const QString& cuenta, QString& mensaje);
    // The date lies within "FECHAOPERDESDE" .. "FECHAOPERHASTA", bounds included.
    bool EsFechaOperativa(const QDate& fecha);
    // A voucher of the type was recorded: numero is the number that follows it (the reception
    // passes the voucher's number plus one), so the letter's last number becomes numero - 1,
    // never lower than it was.
    void ActualizaNumeracion(const QString& tipo, const QString& sistema, const QString& sucursal,
                             const QString& numero, const QString& letra);

    Conexion& con() { return *con_; }

private:
    Conexion* con_;
};

} // namespace vexa
