#include "ListaConsultaQt.h"

#include "DialogosQt.h"
#include "UtilidadesVentanas.h"

#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vexa::plataforma {

namespace {

// The list window: one row per result row, all columns shown; Enter or a
// double click picks the row, Escape or closing the window picks nothing.
class VentanaListaConsulta final : public ListaConsulta {
public:
    QString Elegir(Conexion& con, const QString& titulo, const QString& columnaClave, const QString& sql, const Params& p) override
    {
        QDialog d(ventanaPrincipal());
        d.setObjectName(QStringLiteral("ListaConsulta"));
        d.setWindowTitle(titulo);
        auto* tabla = new QTableWidget(&d);
        tabla->setSelectionBehavior(QAbstractItemView::SelectRows);
        tabla->setSelectionMode(QAbstractItemView::SingleSelection);
        tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
        tabla->verticalHeader()->hide();
        int clave = 0;
        Recordset rs = con.ObtenerRecordset(sql, p);
        int fila = 0;
        for (; !rs.eof(); rs.siguiente(), ++fila) {
            const Fila& f = rs.fila();
            if (fila == 0) {
                tabla->setColumnCount(f.cantidad());
                QStringList titulos;
                for (int i = 0; i < f.cantidad(); ++i) {
                    titulos << f.nombre(i);
                    if (QString::compare(f.nombre(i), columnaClave, Qt::CaseInsensitive) == 0) clave = i;
                }
                tabla->setHorizontalHeaderLabels(titulos);
            }
            tabla->insertRow(fila);
            for (int i = 0; i < f.cantidad(); ++i) tabla->setItem(fila, i, new QTableWidgetItem(f.texto(i)));
        }
        if (fila > 0) tabla->selectRow(0);
        QString elegido;
        auto elegir = [&] {
            const int r = tabla->currentRow();
            if (r >= 0 && tabla->item(r, clave)) elegido = tabla->item(r, clave)->text();
            d.accept();
        };
        QObject::connect(tabla, &QTableWidget::cellDoubleClicked, &d, [&](int, int) { elegir(); });
        struct FiltroEnter : QObject {
            std::function<void()> f;
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::KeyPress) {
                    const int k = static_cast<QKeyEvent*>(e)->key();
                    if (k == Qt::Key_Return || k == Qt::Key_Enter) { f(); return true; }
                }
                return false;
            }
        } filtro;
        filtro.f = elegir;
        tabla->installEventFilter(&filtro);
        auto* l = new QVBoxLayout(&d);
        l->addWidget(tabla);
        // As wide as the codes and descriptions (the code is never cut).
        const QMargins m = l->contentsMargins();
        const int margenes = m.left() + m.right();
        const int ancho = ventanas::ColumnasAlContenido(tabla, ventanas::AnchoDisponible() - margenes, clave) + margenes;
        d.resize(std::max(420, ancho), 360);
        // A narrow list gives the window's spare width to its last column.
        tabla->horizontalHeader()->setStretchLastSection(true);
        d.exec();
        return elegido;
    }
};

} // namespace

void usarListaConsultaQt()
{
    static VentanaListaConsulta ventana;
    fijarListaConsultaPorDefecto(&ventana);
}

} // namespace vexa::plataforma
