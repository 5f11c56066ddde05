// The VAT-book window and the copy-book title renumbering on large tables,
// through the windows themselves (offscreen), on SQLite and (with
// VEXA_PG=host:port) PostgreSQL. Prints
//   vatbook <backend> <accounts> load_s=<L> save_s=<S> motor_s=<E> ratio_motor=<R>
//   renumber <backend> <titles> titles/s=<N>
// vatbook: the purchases window's load of N detail accounts (every third one
// already in the book, selected in one selection change) and a save with every
// account selected; motor_s the engine alone changing the same rows by one
// statement (rolled back), ratio_motor = save_s / motor_s. renumber: N titles 0001.. shifted by +1 through "Aceptar",
// the question answered Yes (one small transaction per title).
#include "BaseBench.h"
#include "ContextoEmpresa.h"
#include "Dialogos.h"
#include "FrmRenumTitCopiadores.h"
#include "Frm_LibrosIva.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>

#include <cstdio>

using namespace vexa;

namespace {

void correr(Motor m, int cuentas, int titulos)
{
    const char* nm = m == Motor::SQLite ? "sqlite" : "postgresql";
    bench::BaseBench empresa;
    QString e;
    if (!empresa.crear(m, QStringLiteral("vexa_bench_ventanas_asientos"), true)) return;
    const DatosConexion& d = empresa.datos();
    {
        Conexion& c = Conexion::instancia();
        if (!c.Abrir(d)) {
            std::fprintf(stderr, "no se pudo abrir la base: %s\n", qPrintable(c.ultimoError()));
            return;
        }
        ContextoEmpresa ctx(c);
        plataforma::GuionDialogos dialogos;
        dialogos.respuestaPorDefecto = plataforma::vbYes;
        {
            Transaccion t(c);
            c.EjecutarSQL("UPDATE MA_CUENTAS SET LIBRO_IVA_VENTAS = 0");
            for (int i = 0; i < cuentas; ++i)
                c.EjecutarSQL("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, LIBRO_IVA_COMPRAS, LIBRO_IVA_VENTAS) VALUES (?, ?, 0, ?, 0)",
                              {QStringLiteral("9%1").arg(i, 9, 10, QChar(u'0')), QStringLiteral("Cuenta de prueba %1").arg(i), i % 3 == 0 ? 1 : 0});
            c.EjecutarSQL("DELETE FROM TA_TITCOPIADORES");
            for (int i = 1; i <= titulos; ++i)
                c.EjecutarSQL("INSERT INTO TA_TITCOPIADORES (CODIGO, DESCRIPCION) VALUES (?, ?)",
                              {QStringLiteral("%1").arg(i, 4, 10, QChar(u'0')), QStringLiteral("Título %1").arg(i)});
            t.confirmar();
        }
        c.EjecutarSQL("ANALYZE");
        // The engine alone writing the rows the save will change (every detail
        // account into the book, every title out of it), by one statement whose
        // rows need no codes sent; rolled back, so the save then finds the
        // same rows as they were.
        double motor = 0;
        {
            QElapsedTimer reloj;
            reloj.start();
            Transaccion t(c);
            c.EjecutarSQL("UPDATE MA_CUENTAS SET LIBRO_IVA_COMPRAS = CASE WHEN TITULO = 0 THEN 1 ELSE 0 END "
                          "WHERE LIBRO_IVA_COMPRAS IS NULL OR LIBRO_IVA_COMPRAS <> CASE WHEN TITULO = 0 THEN 1 ELSE 0 END");
            motor = reloj.nsecsElapsed() / 1e9;
        }
        {
            QElapsedTimer reloj;
            reloj.start();
            Frm_LibrosIva w(ctx, true);
            const double carga = reloj.nsecsElapsed() / 1e9;
            w.CmdseleccionarTodo_Click();
            reloj.restart();
            w.CmdAceptar_Click();
            const double grabacion = reloj.nsecsElapsed() / 1e9;
            const qint64 marcadas = c.Escalar("SELECT COUNT(*) FROM MA_CUENTAS WHERE LIBRO_IVA_COMPRAS <> 0").toLongLong();
            if (w.result() != QDialog::Accepted || marcadas != w.lstCuentas->count())
                std::fprintf(stderr, "vatbook: la grabación no terminó (%lld marcadas)\n", marcadas);
            std::printf("vatbook %s %d load_s=%.3f save_s=%.3f motor_s=%.3f ratio_motor=%.2f\n", nm, cuentas, carga, grabacion, motor,
                        grabacion / motor);
            std::fflush(stdout);
        }
        {
            FrmRenumTitCopiadores w(ctx);
            w.campo("TitDesde")->setText("1");
            w.campo("TitHasta")->setText(QString::number(titulos));
            w.campo("Incremento")->setText("1");
            w.CmdCargar_Click();
            QElapsedTimer reloj;
            reloj.start();
            w.CmdAceptar_Click();
            const double s = reloj.nsecsElapsed() / 1e9;
            const QVariant primero = c.Escalar("SELECT MIN(CODIGO) FROM TA_TITCOPIADORES");
            if (primero.toString().trimmed() != "0002" || dialogos.mostrados.size() != 1)
                std::fprintf(stderr, "renumber: el resultado no es el esperado (%s)\n", qPrintable(dialogos.ultimo()));
            std::printf("renumber %s %d titles/s=%.0f\n", nm, titulos, titulos / s);
            std::fflush(stdout);
        }
        c.Cerrar();
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int cuentas = argc > 1 ? atoi(argv[1]) : 50000;
    const int titulos = argc > 2 ? atoi(argv[2]) : 9000;
    correr(Motor::SQLite, cuentas, titulos);
    if (!qEnvironmentVariable("VEXA_PG").isEmpty()) correr(Motor::PostgreSQL, cuentas, titulos);
}
