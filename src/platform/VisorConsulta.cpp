#include "VisorConsulta.h"

#include "DialogosQt.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vexa {

namespace {

// A cell shown as text and sorted by its value: numbers as numbers, dates as
// dates. The text never goes through the locale (whose decimal mark is a comma
// and which groups thousands, "2.026"): numbers as the database gives them,
// dates dd/mm/aaaa.
class Celda : public QTableWidgetItem {
public:
    explicit Celda(const QVariant& v, const QString& texto) : QTableWidgetItem(texto) { setData(Qt::UserRole, v); }
    bool operator<(const QTableWidgetItem& otra) const override
    {
        const QVariant a = data(Qt::UserRole), b = otra.data(Qt::UserRole);
        if (a.isNull() || b.isNull()) return a.isNull() && !b.isNull(); // empty cells first
        const QPartialOrdering o = QVariant::compare(a, b);
        if (o == QPartialOrdering::Unordered) return text() < otra.text();
        return o == QPartialOrdering::Less;
    }
};

Celda* celda(const Fila& f, int c)
{
    const QVariant v = f.valorTipado(c);
    if (v.isNull()) return new Celda(QVariant(), QString());
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double: return new Celda(v, v.toString());
    case QMetaType::QDate: return new Celda(v, Utilidades::FechaATexto(v.toDate()));
    case QMetaType::QDateTime: return new Celda(v, v.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
    default: {
        const QString t = f.texto(c);
        return new Celda(t, t);
    }
    }
}

} // namespace

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
            for (int c = 0; c < f0.cantidad(); ++c) tabla->setItem(r, c, celda(filas[r], c));
    }
    // The headings stay in the font they are measured in whatever cell is current.
    tabla->horizontalHeader()->setHighlightSections(false);
    tabla->setSortingEnabled(true);
    tabla->horizontalHeader()->setSortIndicatorShown(true);
    auto* l = new QVBoxLayout(d);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(tabla);
    // Columns as wide as their headings and values, as far as the screen allows.
    const QMargins m = l->contentsMargins();
    const int margenes = m.left() + m.right();
    const int ancho = ventanas::ColumnasAlContenido(tabla, ventanas::AnchoDisponible() - margenes) + margenes;
    d->resize(std::max(480, ancho), 500);
    d->show();
    return d;
}

} // namespace vexa
