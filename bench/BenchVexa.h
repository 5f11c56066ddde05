#pragma once
// The commercial system's transfer file through the window-free run, and the
// cancel of that run (bench_recepcion_vexa.cpp).
#include "MotorBD.h"

#include <functional>
#include <vector>

namespace vexa::bench {
// 'ratioMotor(vouchers, ratio)' receives each size's ratio to the engine's own
// bulk path for the same rows. With 'repeticiones' above 1 each size runs that
// many times and the medians are reported (the run's, the baseline's, the
// engine's and the cancel's times, each apart).
bool benchComercial(Motor motor, const std::vector<int>& comprobantes, int repeticiones,
                    const std::function<void(int, double)>& ratioMotor);
}
