#pragma once
// The commercial system's transfer file through the window-free run, and the
// cancel of that run (bench_recepcion_vexa.cpp).
#include "MotorBD.h"

#include <vector>

namespace vexa::bench {
bool benchComercial(Motor motor, const std::vector<int>& comprobantes);
}
