#include "VisorConsulta.h"

#include "DialogosQt.h"
#include "Utilidades.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vexa {

QWidget* VisorConsulta::Mostrar(Conexion& con, const QString& sql, const Params& p, const QString& titulo)
{
    std::vector<Fila> filas;
    QStringList cabeceras;
    try {
        Recordset rs = con.ObtenerRecordset(sql, p);
        for (const QString& n : rs.nombresColumnas()) cabeceras << n;
        filas = rs.todas();
    } catch (const std::exception& e) {
        Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("VisorConsulta"));
        return nullptr;
    }
    // Over a modal window the viewer opens as its child, so that it takes input
    // while that window waits.
    QWidget* padre = QApplication::activeModalWidget();
    if (!padre) padre = plataforma::ventanaPrincipal();
    auto* d = new QDialog(padre);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setWindowTitle(titulo);
    auto* tabla = new QTableWidget(d);
    tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The headings come from the result itself: a query without rows still shows them.
    tabla->setColumnCount(int(cabeceras.size()));
    tabla->setHorizontalHeaderLabels(cabeceras);
    if (!filas.empty()) {
        const Fila& f0 = filas.front();
        tabla->setRowCount((int)filas.size());
        for (int r = 0; r < (int)filas.size(); ++r)
            for (int c = 0; c < f0.cantidad(); ++c) {
                auto* item = new QTableWidgetItem;
                const QVariant v = filas[r].valor(c);
                // Numbers sort as numbers, the rest as text.
                if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double)
                    item->setData(Qt::DisplayRole, v);
                else
                    item->setData(Qt::DisplayRole, filas[r].texto(c));
                tabla->setItem(r, c, item);
            }
    }
    tabla->setSortingEnabled(true);
    tabla->horizontalHeader()->setSortIndicatorShown(true);
    auto* l = new QVBoxLayout(d);
    l->addWidget(tabla);
    d->resize(900, 500);
    d->show();
    return d;
}

} // namespace vexa
