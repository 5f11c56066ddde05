#include "PiezasRecepcion.h"

#include "Conexion.h"
#include "Dialogos.h"
#include "LBM_Common.h"
#include "LectorInterfaz.h"
#include "ListadoTestigo.h"
#include "Utilidades.h"
#include "UtilidadesVentanas.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vexa::recepcion {

namespace {
QFont courier()
{
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    return f;
}
} // namespace

// ---------------------------------------------------------------------------

VistaPreviaArchivo::VistaPreviaArchivo(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setFont(courier());
    preparar();
}

void VistaPreviaArchivo::preparar()
{
    clear();
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Linea"), QStringLiteral("Contenido")});
    setColumnWidth(0, 60);
}

bool VistaPreviaArchivo::cargar(const QString& archivo)
{
    clear();
    if (archivo.isEmpty() || !QFileInfo(archivo).isFile()) return false;
    // Line by line; a line the reader cannot show is shown by its problem.
    LectorInterfaz lector(archivo);
    if (!lector.abrir()) return false;
    QList<QTreeWidgetItem*> items;
    LineaLeida l;
    while (lector.siguiente(l))
        items << new QTreeWidgetItem(
            QStringList{texto::str(l.numero), l.texto.isEmpty() && !l.problema.isEmpty() ? l.problema : l.texto});
    addTopLevelItems(items);
    return true;
}

// ---------------------------------------------------------------------------

QString ErrorArchivo(const QString& valor)
{
    if (valor.isEmpty()) return QStringLiteral("Debe Informar un archivo");
    if (!QFileInfo(valor).isFile()) return QStringLiteral("No se ha encontrado el archivo en la ubicación especificada");
    return QString();
}

QTabWidget* PonerPestanas(QWidget* ventana, QWidget*& seleccion, QWidget*& vista)
{
    auto* pestanas = new QTabWidget(ventana);
    pestanas->setObjectName(QStringLiteral("SSTab1"));
    seleccion = new QWidget;
    vista = new QWidget;
    pestanas->addTab(seleccion, QStringLiteral("&Selección de Interface"));
    pestanas->addTab(vista, QStringLiteral("&Vista Previa"));
    return pestanas;
}

VistaPreviaArchivo* PonerVistaPrevia(QTabWidget* pestanas, QWidget* pagina, int indice, std::function<void()> alElegir)
{
    auto* lista = new VistaPreviaArchivo(pagina);
    lista->setObjectName(QStringLiteral("LstV"));
    (new QVBoxLayout(pagina))->addWidget(lista);
    QObject::connect(pestanas, &QTabWidget::currentChanged, lista, [indice, alElegir = std::move(alElegir)](int i) {
        if (i == indice) alElegir();
    });
    return lista;
}

bool ValidarArchivo(QLineEdit* campo, QTabWidget* pestanas, int vistaPrevia, QString& archivo)
{
    archivo = texto::recortar(campo->text());
    const QString error = ErrorArchivo(archivo);
    pestanas->setTabEnabled(vistaPrevia, error.isEmpty());
    if (error.isEmpty()) return true;
    plataforma::dialogos().MsgBox(error, plataforma::vbInformation, QStringLiteral("Aviso al operador..."));
    campo->setFocus();
    return false;
}

QString ElegirArchivo(QLineEdit* campo, const QString& titulo, QString& carpeta, const Conexion& con)
{
    const QString inicial =
        plataforma::carpetaInicialArchivo(campo->text(), carpeta, plataforma::carpetaDatosEmpresa(con.datos()));
    const QString nombre = plataforma::dialogos().ArchivoAbrir(titulo, inicial, QString());
    if (!nombre.isEmpty()) carpeta = QFileInfo(nombre).absolutePath();
    campo->setText(texto::recortar(nombre));
    return nombre;
}

// ---------------------------------------------------------------------------

ListasRecepcion::ListasRecepcion(const Textos& textos, QWidget* parent) : QGroupBox(parent), textos_(textos)
{
    setObjectName(QStringLiteral("Frame1"));
    auto* marco = new QGridLayout(this);
    auto lista = [this](const char* nombre, QAbstractItemModel* modelo) {
        auto* l = new QListView(this);
        l->setObjectName(QString::fromLatin1(nombre));
        l->setModel(modelo);
        l->setFont(courier());
        l->setUniformItemSizes(true);
        l->setEditTriggers(QAbstractItemView::NoEditTriggers);
        return l;
    };
    auto boton = [this](const char* nombre, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setEnabled(false);
        return b;
    };
    int col = 0;
    if (textos_.conGrabados) {
        LstGrabados = lista("LstGrabados", resultados_.modeloGrabados());
        CmdPrintGrabados = boton("CmdPrintGrabados", textos_.botonGrabados);
        connect(CmdPrintGrabados, &QPushButton::clicked, this, [this] { imprimir(ResultadosRecepcion::Lista::Grabados); });
        marco->addWidget(new QLabel(QStringLiteral("Registros Grabados"), this), 0, col);
        marco->addWidget(LstGrabados, 1, col);
        marco->addWidget(CmdPrintGrabados, 2, col);
        ++col;
    }
    LstErrores = lista("LstErrores", resultados_.modeloRechazados());
    CmdPrintErrores = boton("CmdPrintErrores", textos_.botonErrores);
    connect(CmdPrintErrores, &QPushButton::clicked, this, [this] { imprimir(ResultadosRecepcion::Lista::Rechazados); });
    EtiquetaErrores = new QLabel(QStringLiteral("Errores detectados"), this);
    marco->addWidget(EtiquetaErrores, 0, col);
    marco->addWidget(LstErrores, 1, col);
    marco->addWidget(CmdPrintErrores, 2, col);
}

ListasRecepcion::~ListasRecepcion()
{
    // The views go before the models they show.
    delete LstGrabados;
    delete LstErrores;
}

void ListasRecepcion::limpiar()
{
    resultados_.limpiar();
    habilitar(false);
}

void ListasRecepcion::agregar(const std::vector<ResultadosRecepcion::Fila>& filas)
{
    if (filas.empty()) return;
    resultados_.agregar(filas);
    if (LstGrabados) LstGrabados->scrollToBottom();
    LstErrores->scrollToBottom();
}

void ListasRecepcion::agregar(const QStringList& rechazos)
{
    std::vector<ResultadosRecepcion::Fila> filas;
    filas.reserve(size_t(rechazos.size()));
    for (const QString& m : rechazos)
        if (!m.isEmpty()) filas.push_back({0, 0, 0, m});
    agregar(filas);
}

void ListasRecepcion::habilitar(bool si)
{
    if (CmdPrintGrabados) CmdPrintGrabados->setEnabled(si && cantidad(ResultadosRecepcion::Lista::Grabados) > 0);
    CmdPrintErrores->setEnabled(si && cantidad(ResultadosRecepcion::Lista::Rechazados) > 0);
}

void ListasRecepcion::imprimir(ResultadosRecepcion::Lista lista)
{
    try {
        ImprimirLista(resultados_.textos(lista), lista == ResultadosRecepcion::Lista::Grabados ? textos_.tituloGrabados
                                                                                              : textos_.tituloErrores);
    } catch (const std::exception& e) {
        Utilidades::ManejaError(e, QStringLiteral("ImprimirLista"));
    }
}

} // namespace vexa::recepcion
