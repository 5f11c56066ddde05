#include "HerramientasConfiguracion.h"

#include "Conexion.h"
#include "Configuracion.h"
#include "DialogosQt.h"
#include "EstadoGlobal.h"
#include "Utilidades.h"

#include <QDialog>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

namespace vexa {

using namespace plataforma;

QWidget* mostrarJerarquiaCuentas(Conexion& con)
{
    std::vector<Fila> cuentas;
    try {
        cuentas = con.ObtenerRecordset(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO")).todas();
    } catch (const std::exception& e) {
        Utilidades::InformaError(numeroDeError(e), descripcionDeError(e), QStringLiteral("JerarquiaCuentas"));
        return nullptr;
    }
    auto* d = new QDialog(ventanaPrincipal());
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setObjectName(QStringLiteral("JerarquiaCuentas"));
    d->setWindowTitle(QStringLiteral("Consulta de Jerarquía de Cuentas"));
    auto* arbol = new QTreeWidget(d);
    arbol->setHeaderLabels({QStringLiteral("Cuenta"), QStringLiteral("Descripción")});
    // Codes come sorted, so every ancestor precedes its descendants: keep the open branch.
    std::vector<std::pair<QString, QTreeWidgetItem*>> rama;
    for (const Fila& f : cuentas) {
        const QString codigo = texto::recortar(f.texto(QStringLiteral("CODIGO")));
        while (!rama.empty() && !codigo.startsWith(rama.back().first)) rama.pop_back();
        const QStringList columnas{codigo, texto::recortar(f.texto(QStringLiteral("DESCRIPCION")))};
        auto* item = rama.empty() ? new QTreeWidgetItem(arbol, columnas) : new QTreeWidgetItem(rama.back().second, columnas);
        rama.emplace_back(codigo, item);
    }
    arbol->expandToDepth(1);
    arbol->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    auto* l = new QVBoxLayout(d);
    l->addWidget(arbol);
    d->resize(600, 500);
    d->show();
    return d;
}

void mostrarDepuracionDatos()
{
    dialogos().MsgBox(QStringLiteral("No hay procesos de depuración definidos para esta empresa."), vbInformation,
                      QStringLiteral("Depuración de Datos"));
}

QString textoAcercaDe(Configuracion* cfg)
{
    QString empresa;
    try {
        if (cfg) empresa = texto::recortar(cfg->ObtieneValor(QStringLiteral("NOMBRE")));
    } catch (const std::exception&) {
        // No company open: the box shows the product alone.
    }
    QString t = NombreProducto + QStringLiteral("\rVersión ") + VersionPrograma();
    if (!empresa.isEmpty()) t += QStringLiteral("\rEmpresa: ") + empresa;
    return t;
}

void mostrarAcercaDe(Configuracion* cfg)
{
    dialogos().MsgBox(textoAcercaDe(cfg), vbInformation, QStringLiteral("Acerca de ") + NombreProducto);
}

} // namespace vexa
