#pragma once
// Custom-fields window: the field-definition controls of an additional-data
// field, shown for reference; none of them acts.
#include <QWidget>

namespace vexa {

class frmperscampos : public QWidget {
    Q_OBJECT
public:
    explicit frmperscampos(QWidget* parent = nullptr);
};

// Keeps the window's registration linked into the program.

// Registers the main window's own child windows by name (the program and tests call it once).
void registrarVentanasVentanaPrincipal();

} // namespace vexa
