#include "frmMDI.h"

#include <QMdiArea>

namespace vexa {

frmMDI::frmMDI(QWidget* parent) : QMainWindow(parent), mdi_(new QMdiArea(this))
{
    setObjectName(QStringLiteral("frmMDI"));
    setWindowTitle(QStringLiteral("Sistema Vexa Contable"));
    setCentralWidget(mdi_);
    resize(1024, 720);
}

} // namespace vexa
