#pragma once
// The main window: a multiple-document parent titled "Sistema Vexa Contable".
#include <QMainWindow>

class QMdiArea;

namespace vexa {

class frmMDI : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMDI(QWidget* parent = nullptr);
    QMdiArea* mdiArea() const { return mdi_; }

private:
    QMdiArea* mdi_;
};

} // namespace vexa
