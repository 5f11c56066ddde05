#include "UtilidadesVentanas.h"

#include "Conexion.h"
#include "Dialogos.h"
#include "DialogosQt.h"

#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableView>

#include <algorithm>
#include <vector>

namespace vexa::ventanas {

namespace {
int g_cursores = 0;
} // namespace

void CursorEspera(bool activo)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    if (activo) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++g_cursores;
    } else {
        while (g_cursores > 0) {
            QApplication::restoreOverrideCursor();
            --g_cursores;
        }
    }
}

void PreparaFormulario(QWidget*, int) {}

bool RevisarConexion(Conexion& con)
{
    if (!con.conexionPerdida()) return true;
    const QString titulo = QStringLiteral("Aviso al operador");
    if (con.reabrir()) {
        plataforma::dialogos().MsgBox(QStringLiteral("Se perdió la conexión con la base de datos; se volvió a conectar."),
                                      plataforma::vbInformation, titulo);
        return true;
    }
    const DatosConexion& d = con.datos();
    QString m = d.esSQLite() ? QStringLiteral("Se perdió la conexión con la base de datos y no se pudo volver a abrir el archivo ") + d.dbName
                             : QStringLiteral("Se perdió la conexión con la base de datos y no se pudo volver a conectar con el servidor ") +
                                   d.server + QStringLiteral(" (base ") + d.dbName + u')';
    m += u'.';
    if (!con.ultimoError().isEmpty()) m += u'\n' + con.ultimoError();
    plataforma::dialogos().MsgBox(m, plataforma::vbCritical, titulo);
    return false;
}

namespace {
// + - * / and parentheses over decimal numbers, for the calculator.
struct Evaluador {
    QString s;
    int i = 0;
    bool ok = true;
    void blancos() { while (i < s.size() && s[i] == u' ') ++i; }
    double primario()
    {
        blancos();
        if (i < s.size() && s[i] == u'(') {
            ++i;
            double v = suma();
            blancos();
            if (i < s.size() && s[i] == u')') ++i; else ok = false;
            return v;
        }
        if (i < s.size() && s[i] == u'-') { ++i; return -primario(); }
        int j = i;
        while (i < s.size() && (s[i].isDigit() || s[i] == u'.' || s[i] == u',')) ++i;
        if (j == i) { ok = false; return 0; }
        QString t = s.mid(j, i - j);
        t.replace(u',', u'.');
        bool b = false;
        double v = t.toDouble(&b);
        if (!b) ok = false;
        return v;
    }
    double producto()
    {
        double v = primario();
        for (;;) {
            blancos();
            if (i < s.size() && s[i] == u'*') { ++i; v *= primario(); }
            else if (i < s.size() && s[i] == u'/') { ++i; double d = primario(); if (d == 0) ok = false; else v /= d; }
            else return v;
        }
    }
    double suma()
    {
        double v = producto();
        for (;;) {
            blancos();
            if (i < s.size() && s[i] == u'+') { ++i; v += producto(); }
            else if (i < s.size() && s[i] == u'-') { ++i; v -= producto(); }
            else return v;
        }
    }
};
double evaluarExpresion(const QString& e, bool* ok)
{
    Evaluador ev{e};
    double v = ev.suma();
    ev.blancos();
    *ok = ev.ok && ev.i == e.size();
    return v;
}
} // namespace

void Calculadora()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    auto* d = new QDialog(plataforma::ventanaPrincipal());
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setWindowTitle(QStringLiteral("Calculadora"));
    auto* g = new QGridLayout(d);
    auto* visor = new QLineEdit(d);
    visor->setAlignment(Qt::AlignRight);
    g->addWidget(visor, 0, 0, 1, 4);
    const char* teclas[] = {"7", "8", "9", "/", "4", "5", "6", "*", "1", "2", "3", "-", "0", ".", "=", "+"};
    for (int i = 0; i < 16; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(teclas[i]), d);
        g->addWidget(b, 1 + i / 4, i % 4);
        QObject::connect(b, &QPushButton::clicked, d, [visor, t = QString::fromLatin1(teclas[i])] {
            if (t == u'=') {
                QString expr = visor->text();
                bool ok = false;
                double r = evaluarExpresion(expr, &ok);
                visor->setText(ok ? QString::number(r, 'g', 15) : QStringLiteral("Error"));
            } else {
                visor->insert(t);
            }
        });
    }
    auto* c = new QPushButton(QStringLiteral("C"), d);
    g->addWidget(c, 5, 0, 1, 4);
    QObject::connect(c, &QPushButton::clicked, visor, &QLineEdit::clear);
    d->show();
}

namespace {

// A heading's width in the font it is drawn with (bold where the header marks
// the current row's or column's section).
int anchoCabecera(const QHeaderView* h, int c)
{
    QStyleOptionHeader opt;
    opt.initFrom(h);
    opt.orientation = Qt::Horizontal;
    opt.section = c;
    opt.text = h->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    QFont f = h->font();
    if (h->highlightSections()) f.setBold(true);
    opt.fontMetrics = QFontMetrics(f);
    return h->style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), h).width();
}

// Whether the column holds codes: no value (of the first thousand rows) has a blank.
bool sonCodigos(const QTableView* t, int c)
{
    const QAbstractItemModel* m = t->model();
    const int filas = std::min(m->rowCount(), 1000);
    for (int f = 0; f < filas; ++f)
        if (m->index(f, c).data(Qt::DisplayRole).toString().trimmed().contains(u' ')) return false;
    return true;
}

} // namespace

int ColumnasAlContenido(QTableView* tabla, int anchoMaximo, int conservar)
{
    tabla->setWordWrap(false);
    tabla->setTextElideMode(Qt::ElideRight);
    QHeaderView* cabecera = tabla->horizontalHeader();
    cabecera->setStretchLastSection(false);
    const int columnas = cabecera->count();
    std::vector<int> ancho(size_t(std::max(columnas, 0))), minimo(ancho.size());
    int suma = 0;
    for (int c = 0; c < columnas; ++c) {
        const int titulo = anchoCabecera(cabecera, c);
        const int valores = static_cast<const QAbstractItemView*>(tabla)->sizeHintForColumn(c); // protected in QTableView
        ancho[size_t(c)] = std::max({titulo, valores, cabecera->minimumSectionSize()});
        // A code is never cut; a text may be, down to a quarter, never below its heading.
        minimo[size_t(c)] = c == conservar || sonCodigos(tabla, c) ? ancho[size_t(c)] : std::max(titulo, ancho[size_t(c)] / 4);
        suma += ancho[size_t(c)];
    }
    const int resto = 2 * tabla->frameWidth() + (tabla->verticalHeader()->isHidden() ? 0 : tabla->verticalHeader()->sizeHint().width()) +
                      tabla->verticalScrollBar()->sizeHint().width();
    // Too wide: the widest columns give up the excess in turn.
    while (suma + resto > anchoMaximo) {
        int ancha = -1;
        for (int c = 0; c < columnas; ++c)
            if (ancho[size_t(c)] > minimo[size_t(c)] && (ancha < 0 || ancho[size_t(c)] > ancho[size_t(ancha)])) ancha = c;
        if (ancha < 0) break;
        const int antes = ancho[size_t(ancha)];
        ancho[size_t(ancha)] = std::max(minimo[size_t(ancha)], antes - (suma + resto - anchoMaximo));
        suma += ancho[size_t(ancha)] - antes;
    }
    for (int c = 0; c < columnas; ++c) tabla->setColumnWidth(c, ancho[size_t(c)]);
    return suma + resto;
}

int AnchoDisponible()
{
    QWidget* principal = plataforma::ventanaPrincipal();
    const QScreen* pantalla = principal ? principal->screen() : QGuiApplication::primaryScreen();
    return pantalla ? pantalla->availableGeometry().width() - 8 : 1024;
}

} // namespace vexa::ventanas
