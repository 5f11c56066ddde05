#pragma once
// Seam for the lookup list: shows the rows of a query and gives back the value of
// the key column of the row the operator picks. The program uses a small modal
// list window (ListaConsultaQt.h); tests install ListaConsultaGuion, which records what was asked
// and answers from a queue.
#include "Conexion.h"

#include <QList>
#include <QQueue>
#include <QString>

namespace vexa::plataforma {

class ListaConsulta {
public:
    virtual ~ListaConsulta() = default;
    // The chosen row's value of columnaClave; "" when the list was closed without a choice.
    virtual QString Elegir(Conexion& con, const QString& titulo, const QString& columnaClave, const QString& sql,
                           const Params& parametros = {}) = 0;
};

ListaConsulta& listaConsulta();
void instalarListaConsulta(ListaConsulta* l); // not owned; nullptr restores the default
// The default list (the window level sets the list window: ListaConsultaQt.h).
// Without one every list closes without a choice.
void fijarListaConsultaPorDefecto(ListaConsulta* l);

class ListaConsultaGuion : public ListaConsulta {
public:
    struct Pedido { QString titulo, columnaClave, sql; };
    QList<Pedido> pedidos;
    QQueue<QString> respuestas; // empty queue = closed without a choice
    QString Elegir(Conexion&, const QString& titulo, const QString& columnaClave, const QString& sql, const Params&) override
    {
        pedidos.append({titulo, columnaClave, sql});
        return respuestas.isEmpty() ? QString() : respuestas.dequeue();
    }
};

} // namespace vexa::plataforma
