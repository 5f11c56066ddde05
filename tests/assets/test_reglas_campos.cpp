// The asset windows' per-field rules as tables, without a window, without a
// QApplication and without a database: the answers of the database are a
// double, the other boxes a map.
#include "ReglasBienesCampos.h"

#include <QMap>

#include <gtest/gtest.h>

using namespace vexa;
using namespace vexa::bienes;

namespace {

class ConsultasDePrueba : public Consultas {
public:
    bool existeBien(qint64 codigo) override { return codigo == 4; }
    bool existeMejora(qint64 codigo, qint64 id) override { return codigo == 4 && id == 1; }
    bool existeSerie(const QString& serie) override { return serie == QLatin1String("S-1"); }
    std::pair<QString, QString> cuentasDepreciacion(const QString& cuenta) override
    {
        if (cuenta == QLatin1String("1201")) return {QStringLiteral("5201"), QStringLiteral("1209")};
        if (cuenta == QLatin1String("1300")) return {QStringLiteral("5300"), QString()};
        if (cuenta == QLatin1String("4100")) return {QStringLiteral("5201"), QStringLiteral("1209")};
        return {};
    }
    bool existeCuenta(const QString& cuenta, bool& esBien) override
    {
        esBien = cuenta == QLatin1String("1201");
        return cuenta == QLatin1String("1201") || cuenta == QLatin1String("5201") || cuenta == QLatin1String("1209") ||
               cuenta == QLatin1String("4100");
    }
    qint64 ultimoEjercicio() override { return 2; }
    QString ejercicioCompra(const QDate& compra, qint64 periodo, bool) override
    {
        return compra.year() - 2024 == periodo ? QString() : QStringLiteral("La fecha ingresada no pertenece al periodo informado");
    }
};

enum Ventana { Registro, Cambio };
enum Marca { Nada = 0, Alta = 1, Novedad = 2, Baja = 4, Carga = 8, Todo = 16, Modificacion = 32 };

struct Caso {
    Ventana ventana;
    Arreglo arreglo;
    const char* campo;
    const char* texto;
    int marcas;
    const char* mensaje;  // "" passes
    const char* cajas;    // "CAMPO=texto;..." recomputed
    Modo modo = Modo::Ninguno;
    bool planilla = false;
};

QString cajas(const Resultado& r)
{
    QStringList l;
    for (const auto& [c, t] : r.cajas) l << c + u'=' + t;
    return l.join(u';');
}

} // namespace

TEST(ReglasCamposBienes, TablaDeCasos)
{
    ConsultasDePrueba consultas;
    // The other boxes, by array and data field.
    const QMap<QString, QString> otras{{QStringLiteral("B/FECHA_COMPRA"), QStringLiteral("10/03/2025")},
                                       {QStringLiteral("B/COSTO"), QStringLiteral("1200")},
                                       {QStringLiteral("B/CUENTA_CONTABLE"), QStringLiteral("1201")},
                                       {QStringLiteral("B/CODIGO"), QStringLiteral("4")},
                                       {QStringLiteral("B/FECHA_BAJA"), QStringLiteral("01/01/2026")},
                                       {QStringLiteral("B/VIDA_UTIL"), QStringLiteral("5")},
                                       {QStringLiteral("P/DEP_EJERCICIO"), QStringLiteral("100")},
                                       {QStringLiteral("P/COSTO_INICIO"), QStringLiteral("1000")},
                                       {QStringLiteral("P/COSTO"), QStringLiteral("1000")}};
    using A = Arreglo;
    const Caso casos[] = {
        // The register window.
        {Registro, A::Bien, "CODIGO", "", Alta, "", ""},
        {Registro, A::Bien, "CODIGO", "4", Alta, "", "", Modo::Existente},
        {Registro, A::Bien, "CODIGO", "9", Novedad, "", "", Modo::Alta},
        {Registro, A::Bien, "SERIE", "", Alta, "Debe informar el Campo!!!", ""},
        {Registro, A::Bien, "SERIE", "S-1", Alta, "Ya existe un Bien de Uso con esta identificación", ""},
        {Registro, A::Bien, "serie", "S-1", Novedad, "", ""},
        {Registro, A::Bien, "CUENTA_CONTABLE", "1201", Carga, "", "CUENTA_EJERCICIO=5201;CUENTA_ACUMULADA=1209"},
        {Registro, A::Bien, "CUENTA_CONTABLE", "1300", Carga, "La cuenta informada no tiene una Cuenta de Depreciacion Acumulada",
         "CUENTA_EJERCICIO=5300;CUENTA_ACUMULADA="},
        {Registro, A::Bien, "CUENTA_CONTABLE", "9", Carga, "La cuenta informada no tiene una Cuenta de Depreciacion del Ejercicio",
         "CUENTA_EJERCICIO=;CUENTA_ACUMULADA="},
        {Registro, A::Bien, "CUENTA_CONTABLE", "4100", Carga, "La cuenta debe estar asociada a bienes de uso!!!",
         "CUENTA_EJERCICIO=5201;CUENTA_ACUMULADA=1209"},
        {Registro, A::Bien, "CUENTA_EJERCICIO", "", Nada, "La cuenta informada no tiene una cuenta de depreciacion de ejercicio", ""},
        {Registro, A::Bien, "CUENTA_ACUMULADA", "7", Nada, "La cuenta informada no existe!!!", ""},
        {Registro, A::Bien, "CUENTA_ACUMULADA", "1201", Nada, "Esta Cuenta no puede ser la cuenta contable", ""},
        {Registro, A::Bien, "VIDA_UTIL", "", Alta, "Debe informar la vida útil del Bien de Uso", ""},
        {Registro, A::Bien, "VIDA_UTIL", "x", Alta, "El campo Ingresado no es válido", ""},
        {Registro, A::Bien, "VIDA_UTIL", "3", Alta, "", "PORCENTAJE=33.3333333333333", Modo::Ninguno, true},
        {Registro, A::Bien, "VIDA_UTIL", "0", Alta, "", "PORCENTAJE=0.00", Modo::Ninguno, true},
        {Registro, A::Bien, "NOVEDAD_VIDA_UTIL", "", Alta, "", ""},
        {Registro, A::Bien, "NOVEDAD_VIDA_UTIL", "", Novedad, "El campo Ingresado no es válido", ""},
        {Registro, A::Bien, "NOVEDAD_VIDA_UTIL", "4", Novedad | Carga, "", "NOVEDAD_PORCENTAJE=25", Modo::Ninguno, true},
        {Registro, A::Bien, "UBICACION", "", Alta, "Debe informar el campo ", ""},
        {Registro, A::Bien, "FECHA_COMPRA", "31/02/2025", Alta, "La fecha ingresada no es válida", ""},
        {Registro, A::Bien, "FECHA_COMPRA", "01/07/2026", Alta, "La fecha de compra no puede ser mayor a la fecha actual", ""},
        {Registro, A::Bien, "FECHA_COMPRA", "01/07/2025", Alta, "", "", Modo::Ninguno, true},
        {Registro, A::Bien, "FECHA_COMPRA", "x", Novedad, "", ""},
        {Registro, A::Bien, "NOVEDAD_FECHA", "01/01/2025", Novedad,
         "La fecha de compra de una novedad no puede ser menor a la de compra del bien", ""},
        {Registro, A::Bien, "FECHA_BAJA", "", Baja, "", "", Modo::PorCodigo},
        {Registro, A::Bien, "FECHA_BAJA", "01/01/2025", Novedad, "La Fecha de baja debe ser Mayor o igual a la fecha de compra", ""},
        {Registro, A::Bien, "FECHA_BAJA", "01/01/2026", Novedad, "", "", Modo::Baja},
        {Registro, A::Bien, "MOTIVO", "", Novedad, "Debe informar un motivo!!!", ""},
        {Registro, A::Bien, "COSTO", "abc", Alta, "El Costo informado no es válido!!!", ""},
        {Registro, A::Bien, "COSTO", "0", Alta, "Debe informar el campo  Costo", ""},
        {Registro, A::Bien, "COSTO", "1.234,5", Alta, "", "COSTO=1234.50"},
        {Registro, A::Bien, "PERIODO", "", Alta, "Debe informar el Ejercicio de compra", ""},
        {Registro, A::Bien, "PERIODO", "3", Alta, "El Periodo informado es Mayor al último creado", ""},
        {Registro, A::Bien, "PERIODO", "2", Alta, "La fecha ingresada no pertenece al periodo informado", ""},
        {Registro, A::Bien, "PERIODO", "1", Alta, "", "", Modo::Ninguno, true},
        {Registro, A::Bien, "VALOR_RECUPERO", "1300", Alta, "El Valor de Recupero no puede ser mayor que el costo", ""},
        {Registro, A::Bien, "VALOR_RECUPERO", "", Alta, "", ""},
        {Registro, A::Bien, "VALOR_RECUPERO", "10", Alta, "", "VALOR_RECUPERO=10.00"},
        {Registro, A::Bien, "Fecha_revaluAcion", "x", Alta, "", ""}, // no rule: passes
        {Registro, A::Planilla, "PERIODO_CALCULO", "", Alta, "Debe informar la cantidad de meses", ""},
        {Registro, A::Planilla, "PERIODO_CALCULO", "13", Alta, "El campo debe ser mayor o igual a 1 y menor o igual a 12", ""},
        {Registro, A::Planilla, "PERIODO_CALCULO", "6.5", Alta, "El campo debe ser mayor o igual a 1 y menor o igual a 12", ""},
        {Registro, A::Planilla, "PERIODO_CALCULO", "3", Alta, "", ""},
        {Registro, A::Planilla, "COEFICIENTE", "0", Alta, "El Campo Mayor a cero", ""},
        {Registro, A::Planilla, "COSTO_INICIO", "-1", Alta, "El costo no puede ser 0", ""},
        {Registro, A::Planilla, "DEP_EJERCICIO", "-1", Alta, "Debe informar el campo", ""},
        {Registro, A::Planilla, "DEP_ACUMULADA", "50", Alta, "La depreciación acumulada no puede ser menor a la depreciación del ejercicio", ""},
        {Registro, A::Planilla, "DEP_ACUMULADA", "1001", Alta,
         "La depreciación acumulada debe ser menor o igual al Costo al inicio del Ejercicio", ""},
        {Registro, A::Planilla, "DEP_ACUMULADA", "120", Alta, "", "DEP_ACUMULADA=120.00"},
        {Registro, A::Planilla, "FECHA_CIERRE", "", Alta, "Debe informar la fecha Cierre del último Ejercicio", ""},
        {Registro, A::Planilla, "FECHA_CIERRE", "01/01/2026", Alta,
         "La fecha de cierre debe ser menor a la de inicio del ejercicio actual!!!", ""},
        // (this state's year starts later) The useful life ended before the close: no depreciation.
        {Registro, A::Planilla, "FECHA_CIERRE", "31/12/2031", Alta | Todo, "", "DEP_EJERCICIO=0.00"},
        {Registro, A::Planilla, "FECHA_CIERRE", "31/12/2030", Alta | Todo, "", ""},
        // The change window.
        {Cambio, A::Bien, "CODIGO", "", Nada, "Debe informar un Código Válido", ""},
        {Cambio, A::Bien, "CODIGO", "5", Nada, "Código Inexistente", ""},
        {Cambio, A::Bien, "CODIGO", "4", Nada, "", ""},
        {Cambio, A::Bien, "NOVEDAD_ID", "2", Nada, "El codigo informado no existe", ""},
        {Cambio, A::Bien, "NOVEDAD_ID", "1", Nada, "", "", Modo::Existente},
        {Cambio, A::Bien, "SERIE", "S-1", Nada, "", ""},
        {Cambio, A::Bien, "CUENTA_CONTABLE", "4100", Nada, "", "CUENTA_EJERCICIO=5201;CUENTA_ACUMULADA=1209"},
        {Cambio, A::Bien, "CUENTA_ACUMULADA", "7", Nada, "", ""},
        {Cambio, A::Bien, "PERIODO", "2", Nada, "", "", Modo::Ninguno, true},
        {Cambio, A::Bien, "VALOR_RECUPERO", "", Nada, "", "VALOR_RECUPERO=0.00"},
        {Cambio, A::Bien, "VALOR_RESIDUAL", "5", Nada, "", "VALOR_RESIDUAL=5.00"},
        {Cambio, A::Mejora, "VIDA_UTIL", "", Nada, "", ""},
        {Cambio, A::Mejora, "VIDA_UTIL", "", Modificacion, "Debe informar la vida útil de la Mejora del Bien de Uso", ""},
        {Cambio, A::Mejora, "FECHA", "1/1/25", Nada, "", "", Modo::Ninguno, true},
        {Cambio, A::Planilla, "PERIODO_DE_CALCULO", "0", Nada, "El campo debe ser mayor o igual a 1 y menor o igual a 12", ""},
        {Cambio, A::Planilla, "COSTO", "12", Nada, "", "COSTO=12.00"},
        {Cambio, A::Planilla, "DEP_ACUMULADA", "1001", Nada,
         "La depreciación acumulada debe ser menor o igual al Costo al inicio del Ejercicio", ""},
        {Cambio, A::Planilla, "FECHA_CIERRE", "", Todo, "", ""},
        {Cambio, A::Planilla, "FECHA_CIERRE", "", Nada, "Debe informar la fecha Cierre del último Ejercicio", ""},
    };
    for (const Caso& c : casos) {
        EstadoFormulario e;
        e.consultas = &consultas;
        e.texto = [&otras](Arreglo a, const QString& campo) {
            const char* p = a == Arreglo::Bien ? "B/" : a == Arreglo::Mejora ? "M/" : "P/";
            return otras.value(QString::fromLatin1(p) + campo.toUpper());
        };
        e.hoy = QDate(2026, 6, 30);
        e.desdeEjercicio = c.marcas & Todo && c.ventana == Registro ? QDate(2032, 1, 1) : QDate(2026, 1, 1);
        e.hastaEjercicio = QDate(2026, 12, 31);
        e.alta = c.marcas & Alta;
        e.novedad = c.marcas & Novedad;
        e.baja = c.marcas & Baja;
        e.cargaInicial = c.marcas & Carga;
        e.validandoTodo = c.marcas & Todo;
        e.modificacion = c.marcas & Modificacion;
        e.cambio = c.ventana == Cambio;
        const auto tabla = c.ventana == Registro ? TablaBien() : TablaModificacion();
        const QString donde = QStringLiteral("%1 %2 '%3'").arg(int(c.ventana)).arg(QString::fromLatin1(c.campo), QString::fromUtf8(c.texto));
        const ReglaCampo* r = BuscaRegla(tabla, c.arreglo, QString::fromLatin1(c.campo));
        if (!r) {
            EXPECT_STREQ(c.mensaje, "") << donde.toStdString();
            continue;
        }
        const Resultado res = Aplica(*r, QString::fromUtf8(c.texto), e);
        EXPECT_EQ(res.mensaje.toStdString(), c.mensaje) << donde.toStdString();
        EXPECT_EQ(cajas(res).toStdString(), c.cajas) << donde.toStdString();
        if (res.pasa()) {
            EXPECT_EQ(int(res.modo), int(c.modo)) << donde.toStdString();
            EXPECT_EQ(res.planilla, c.planilla) << donde.toStdString();
        }
        // The months name their period beside them.
        if (res.pasa() && QLatin1String(c.campo).endsWith(QLatin1String("CALCULO")))
            EXPECT_EQ(res.descripcionPeriodo.value_or(QString()).toStdString(), "Trimestral") << donde.toStdString();
    }
}

// Every data field of a table has one entry: a lookup never has two to choose from.
TEST(ReglasCamposBienes, UnaEntradaPorCampo)
{
    for (const auto tabla : {TablaBien(), TablaModificacion()})
        for (const ReglaCampo& r : tabla)
            EXPECT_EQ(BuscaRegla(tabla, r.arreglo, QString::fromLatin1(r.campo).toLower()), &r) << r.campo;
}
