#pragma once
// The Qt implementation of the dialog seam (message boxes, file choosers,
// prompts, date picker) and the parent window the dialogs open over.
#include "Dialogos.h"

class QWidget;

namespace vexa::plataforma {

// Makes the Qt dialogs the answer of dialogos() when no other was installed.
void usarDialogosQt();
// The window level's defaults of every seam: the program's language for dates
// (fijarIdiomaPrograma), Qt's texts in Spanish (instalarTraduccionQt), the Qt
// dialogs and the Qt printer. Called once the
// application object exists.
void usarPlataformaQt();

// Parent window for the Qt dialogs (the main window once it exists).
void setVentanaPrincipal(QWidget* w);
QWidget* ventanaPrincipal();

} // namespace vexa::plataforma
