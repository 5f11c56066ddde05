#include "cLogo.h"

#include <QWidget>

namespace vexa {

void cLogo::Draw()
{
    if (objeto_) objeto_->update();
}

} // namespace vexa
