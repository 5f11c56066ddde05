#pragma once
// Qt's own texts in Spanish: the file chooser, the print and print-preview
// dialogs, the standard buttons of message boxes and input dialogs and the
// context menus of text fields. Texts the program sets itself (the buttons of
// DialogosQt's boxes, every window's captions) are not touched.
#include <QLibraryInfo>
#include <QString>

namespace vexa::plataforma {

// Loads Qt's Spanish translation (qtbase_es) from the folder given, by default
// Qt's own translations folder, and installs it in the application, in place of
// the one an earlier call installed. When it can't be loaded, whatever was
// installed stays (at start-up: Qt's English texts), one line goes to the error
// log and the answer is false; the program goes on.
bool instalarTraduccionQt(const QString& carpeta = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

// Makes the program's language (Utilidades::Idioma, Spanish of Argentina) the
// default locale, whatever the machine's: the calendars' month and day names
// and every widget that shows a date by the default locale. Called at start-up,
// before the first window.
void fijarIdiomaPrograma();

} // namespace vexa::plataforma
