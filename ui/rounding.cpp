#include "ui/rounding.h"

#include <cmath>

double RoundHalfEven(double value) {
    double down = std::floor(value);
    double rest = value - down;
    if (rest > 0.5) return down + 1;
    if (rest < 0.5) return down;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}
