#pragma once
// Settings-file component: a sectioned "key=value" text file.
//
//  * A file named without a folder lies in the user's configuration folder
//    (plataforma::carpetaUsuario(), which VEXA_CONFIG_DIR moves elsewhere).
//  * Section and key names compare without regard to letter case and to blanks
//    around them; they are written exactly as given ("HOST|USER", "VER BARRA DE STATUS").
//  * Values are read with the blanks around them removed.
//  * Lines starting with ';' or '#' are comments and are kept on writing, as are
//    every other section and key.
#include <QString>

namespace vexa {

class ArchivoIni {
public:
    // Value of the key, or the default when the file, the section or the key is missing.
    static QString LeerIni(const QString& archivo, const QString& seccion, const QString& clave, const QString& defecto = QString());
    // Writes one key (creating the file and the section as needed). False when the file can't be written.
    static bool GrabarIni(const QString& archivo, const QString& seccion, const QString& clave, const QString& valor);

    // Full path of a settings file.
    static QString ruta(const QString& archivo);
};

// Text form of a Boolean as kept in the settings file ("True"/"False").
QString textoBooleano(bool b);
// Boolean of a settings text: "True"/"False" (any case) or a number (not 0 = true).
// Any other text is an error (ErrorVexa 13, type mismatch).
bool aBooleano(const QString& s);

} // namespace vexa
