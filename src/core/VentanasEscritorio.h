#pragma once
// The desktop's top-level windows on X11 (the window manager's EWMH client
// list) and the polite close request. Elsewhere (offscreen, Wayland, no
// window manager) there is no list and nothing is done.
#include <QString>

#include <optional>
#include <vector>

namespace vexa {

struct VentanaEscritorio {
    quint64 id = 0;
    QString titulo;
    qint64 pid = 0;      // _NET_WM_PID, 0 when unknown
    quint64 duenio = 0;  // WM_TRANSIENT_FOR, 0 when none
};

// The client windows, topmost first; nothing when there is no such list.
std::optional<std::vector<VentanaEscritorio>> ventanasEscritorio();
// Asks the window to close: its own close request (WM_DELETE_WINDOW) when it takes
// one, else through the window manager (_NET_CLOSE_WINDOW). False when not on X11.
bool pedirCierreVentana(quint64 id);

} // namespace vexa
