#include "CamposFormulario.h"

#include "Utilidades.h"

#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace vexa {

CamposFormulario::CamposFormulario(QObject* padre, const bool& soloMayusculas) : QObject(padre), soloMayusculas_(soloMayusculas) {}

void CamposFormulario::atender(ArregloCajas& a, Arreglo reglas)
{
    arreglos_.push_back({&a, std::move(reglas)});
    ArregloCajas* p = &a;
    a.AlEntrar = [this, p](int i) { alEntrar(*p, i); };
    a.TeclaAbajo = [this, p](int i, int& tecla, Qt::KeyboardModifiers) {
        const Arreglo* r = reglasDe(*p);
        if (tecla == Qt::Key_F5 && r && r->consultar) {
            r->consultar(i);
            tecla = 0;
            return;
        }
        if (!ControlesFormulario::EsTeclaEnter(tecla)) return;
        Enter(*p, i);
        tecla = 0;
    };
    a.TeclaPresionada = [this, p](int i, int& codigo) {
        const Arreglo* r = reglasDe(*p);
        const QLineEdit* caja = (*p)[i];
        if (r && r->sinMayusculas.contains(ArregloCajas::dataField(caja).trimmed(), Qt::CaseInsensitive))
            codigo = ControlesFormulario::FiltraTecla(caja, codigo);
        else
            codigo = Tecla(caja, codigo);
    };
    if (arreglos_.back().reglas.consultar)
        a.BotonDerecho = [this, p](int i) {
            if (const Arreglo* r = reglasDe(*p)) r->consultar(i);
        };
}

const CamposFormulario::Arreglo* CamposFormulario::reglasDe(const ArregloCajas& a) const
{
    for (const Atendido& x : arreglos_)
        if (x.arreglo == &a) return &x.reglas;
    return nullptr;
}

void CamposFormulario::consulta(const QString& tag, Consulta c) { consultas_.emplace_back(tag.trimmed(), std::move(c)); }

void CamposFormulario::alEntrar(ArregloCajas& a, int indice)
{
    QLineEdit* caja = a[indice];
    if (!caja) return;
    const Arreglo* r = reglasDe(a);
    if (r && !r->seleccionar) {
        // Nothing to do: the line edit's own selection stands.
    } else if (r && r->sinSeleccion.contains(ArregloCajas::dataField(caja).trimmed(), Qt::CaseInsensitive)) {
        // Undo the selection a line edit makes of itself when the focus comes
        // with the keyboard: the caret stays where it is put.
        QTimer::singleShot(0, caja, [c = QPointer<QLineEdit>(caja)] {
            if (c) c->deselect();
        });
    } else {
        ControlesFormulario::SeleccionaTexto(caja, true);
    }
    if (r && r->alEntrar) r->alEntrar(indice);
}

bool CamposFormulario::Enter(ArregloCajas& a, int indice)
{
    const Arreglo* r = reglasDe(a);
    QPointer<QLineEdit> caja(a[indice]);
    if (!r || !r->valida || !caja) return false;
    const bool paso = r->valida(indice);
    if (paso && caja) ControlesFormulario::SiguienteControl(caja, Qt::Key_Return);
    return paso;
}

bool CamposFormulario::Consultar(ArregloCajas& a, int indice)
{
    if (indice < 0 || indice >= a.cantidad() || !a[indice]) return false;
    QLineEdit* caja = a[indice];
    const QString tag = texto::recortar(ArregloCajas::tag(caja));
    if (tag.isEmpty()) return false;
    for (const auto& [t, consultar] : consultas_) {
        if (!texto::igual(t, tag)) continue;
        const std::optional<QString> elegido = consultar(caja);
        if (!elegido) return false;
        caja->setText(*elegido);
        if (texto::recortar(*elegido).isEmpty()) return false;
        Enter(a, indice);
        return true;
    }
    return false;
}

int CamposFormulario::Tecla(const QLineEdit* caja, int codigo) const
{
    codigo = ControlesFormulario::FiltraTecla(caja, codigo);
    return codigo ? texto::mayusculaTecla(codigo, soloMayusculas_) : 0;
}

} // namespace vexa
