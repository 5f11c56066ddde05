#include "VentanasEscritorio.h"

#include <QGuiApplication>
#include <qguiapplication_platform.h>

#include <algorithm>

#ifdef VEXA_CON_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace vexa {

#ifdef VEXA_CON_XCB
namespace {

xcb_connection_t* conexionX11()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t raiz(xcb_connection_t* c)
{
    const xcb_setup_t* s = xcb_get_setup(c);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(s);
    return it.rem ? it.data->root : 0;
}

xcb_atom_t atomo(xcb_connection_t* c, const char* nombre)
{
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, uint16_t(std::strlen(nombre)), nombre), nullptr);
    if (!r) return XCB_ATOM_NONE;
    const xcb_atom_t a = r->atom;
    std::free(r);
    return a;
}

// Property bytes of any type (empty when missing).
QByteArray propiedad(xcb_connection_t* c, xcb_window_t w, xcb_atom_t prop)
{
    if (prop == XCB_ATOM_NONE) return {};
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, prop, XCB_GET_PROPERTY_TYPE_ANY, 0, 1u << 20), nullptr);
    if (!r) return {};
    QByteArray b(static_cast<const char*>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
    std::free(r);
    return b;
}

quint32 primerEntero(const QByteArray& b)
{
    if (b.size() < 4) return 0;
    quint32 v;
    std::memcpy(&v, b.constData(), 4);
    return v;
}

} // namespace

std::optional<std::vector<VentanaEscritorio>> ventanasEscritorio()
{
    xcb_connection_t* c = conexionX11();
    if (!c) return std::nullopt;
    const xcb_window_t root = raiz(c);
    QByteArray lista = propiedad(c, root, atomo(c, "_NET_CLIENT_LIST_STACKING"));
    bool deAbajoArriba = true;
    if (lista.isEmpty()) {
        lista = propiedad(c, root, atomo(c, "_NET_CLIENT_LIST"));
        deAbajoArriba = false;
    }
    if (lista.isEmpty()) return std::nullopt;

    const xcb_atom_t nombreNet = atomo(c, "_NET_WM_NAME"), pid = atomo(c, "_NET_WM_PID");
    std::vector<VentanaEscritorio> v;
    const int n = int(lista.size() / 4);
    for (int i = 0; i < n; ++i) {
        xcb_window_t w;
        std::memcpy(&w, lista.constData() + 4 * i, 4);
        VentanaEscritorio d;
        d.id = w;
        const QByteArray t = propiedad(c, w, nombreNet);
        d.titulo = t.isEmpty() ? QString::fromLatin1(propiedad(c, w, XCB_ATOM_WM_NAME)) : QString::fromUtf8(t);
        d.pid = primerEntero(propiedad(c, w, pid));
        d.duenio = primerEntero(propiedad(c, w, XCB_ATOM_WM_TRANSIENT_FOR));
        v.push_back(d);
    }
    if (deAbajoArriba) std::reverse(v.begin(), v.end());
    return v;
}

bool pedirCierreVentana(quint64 id)
{
    xcb_connection_t* c = conexionX11();
    if (!c) return false;
    const xcb_window_t w = xcb_window_t(id);
    const xcb_atom_t borrar = atomo(c, "WM_DELETE_WINDOW");
    const QByteArray protocolos = propiedad(c, w, atomo(c, "WM_PROTOCOLS"));
    bool aceptaBorrar = false;
    for (int i = 0; i + 4 <= protocolos.size(); i += 4) {
        xcb_atom_t a;
        std::memcpy(&a, protocolos.constData() + i, 4);
        aceptaBorrar = aceptaBorrar || a == borrar;
    }
    xcb_client_message_event_t e;
    std::memset(&e, 0, sizeof e);
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = w;
    if (aceptaBorrar) {
        // The window's own close request, as its close box would send it.
        e.type = atomo(c, "WM_PROTOCOLS");
        e.data.data32[0] = borrar;
        e.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&e));
    } else {
        // Otherwise the window manager is asked to close it.
        e.type = atomo(c, "_NET_CLOSE_WINDOW");
        e.data.data32[0] = XCB_CURRENT_TIME;
        e.data.data32[1] = 1; // request from an ordinary application
        xcb_send_event(c, 0, raiz(c), XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&e));
    }
    xcb_flush(c);
    return true;
}

#else

std::optional<std::vector<VentanaEscritorio>> ventanasEscritorio() { return std::nullopt; }
bool pedirCierreVentana(quint64) { return false; }

#endif

} // namespace vexa
