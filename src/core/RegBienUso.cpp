#include "RegBienUso.h"

namespace vexa {

RegBienUso BienUso;

} // namespace vexa
