#pragma once
// The codes a message box is asked and answers with (the classic button/icon
// style codes and answer codes), and a notice the rules hand back for the
// window level to show. Only the window level shows it (Dialogos.h, mostrarAviso);
// the rules keep the codes to say what to show and to read an answer given to
// them (a retry asked through a callback).
#include <QString>

namespace vexa::plataforma {

// Style codes (sum buttons + icon + default button).
enum Estilo : int {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
    vbDefaultButton2 = 256, vbDefaultButton3 = 512,
};
// Answer codes.
enum Respuesta : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// A message box to show: its text, style code and title. Empty text: nothing to show.
struct AvisoOperador {
    QString texto;
    int estilo = vbOKOnly;
    QString titulo;
    bool vacio() const { return texto.isEmpty(); }
};

} // namespace vexa::plataforma
