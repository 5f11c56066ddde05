#pragma once
// The company the program works on, as one value: its open connection, its
// configuration values, the active fiscal year, the account-code structure and
// who works on it from where. Start-up builds one (a test or a tool builds its
// own) and hands it to every service and window that needs company data;
// nothing below the windows reads process-wide state.
//
//   Conexion con;  ... con.Abrir() ...
//   ContextoEmpresa ctx(con);
//   CargarValoresContables(ctx);          // upper-case rule, period, code structure
//   RecepcionInterface r(ctx);
#include "Conexion.h"
#include "Configuracion.h"

#include <QString>

#include <array>

namespace vexa {

// Digits of the six account-code levels (Capitulo, SubCapitulo, Rubro,
// SubRubro, Cuenta, SubCuenta) and the position where each level ends.
struct EstructuraCuentas {
    std::array<qint16, 6> digitos{};
    std::array<qint16, 6> fin{};
    qint16 digitosTotal = 0;
    qint16 largoCodigo = 0; // end of the last level: the full code length
};

class ContextoEmpresa {
public:
    explicit ContextoEmpresa(Conexion& con) : con_(con), cfg_(&con) {}
    ContextoEmpresa(const ContextoEmpresa&) = delete;
    ContextoEmpresa& operator=(const ContextoEmpresa&) = delete;

    Conexion& con() const { return con_; }
    Configuracion& configuracion() { return cfg_; }

    // The fiscal year in use (configuration "PERIODO", trimmed); empty until loaded.
    const QString& periodoActivo() const { return periodo_; }
    qint64 periodo() const;
    // Written by CargarValoresContables and by the windows that change the
    // year in use; nothing else sets it.
    void setPeriodoActivo(const QString& periodo);

    EstructuraCuentas cuentas;
    QString usuario;             // current user code
    QString seccionEquipo;       // this station: COMPUTER|LOGIN, upper case
    bool soloMayusculas = false; // "ESCRIBE_SOLO_MAYUSCULAS" = "SI"
    QString archivoIni = QStringLiteral("RZ731p.INI");

    // One long run (a reception, a generation) at a time per station on the
    // shared connection. While one runs, nothing may close or replace the
    // connection, and a second run is refused.
    bool corridaEnCurso() const { return corrida_; }
    class Corrida {
    public:
        // Throws ErrorVexa with the operator's message when a run is already going on.
        explicit Corrida(ContextoEmpresa& ctx);
        ~Corrida() { ctx_.corrida_ = false; }
        Corrida(const Corrida&) = delete;
        Corrida& operator=(const Corrida&) = delete;

    private:
        ContextoEmpresa& ctx_;
    };

private:
    Conexion& con_;
    Configuracion cfg_;
    QString periodo_;
    bool corrida_ = false;
};

// Message given when a second run is asked for while one is going on.
QString MensajeCorridaEnCurso();

// Reads the company's accounting values into the context: the upper-case rule,
// the active fiscal year and the account-code structure. A database error throws.
void CargarValoresContables(ContextoEmpresa& ctx);
// The digits of the six code levels ("Digitos_Capitulo" ...) and their total,
// 16-bit (beyond is ErrorVexa 6, overflow); also handed to the configuration component.
void LeerDigitosCuentas(ContextoEmpresa& ctx);
// The end position of each level and the full code length.
void CalcularPosicionesCuentas(ContextoEmpresa& ctx);

} // namespace vexa
