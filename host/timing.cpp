#include "host/timing.h"

#include "ui/rounding.h"

double WaitSpan(float sinceMidnight, int seconds) {
    return RoundHalfEven(sinceMidnight) + seconds - sinceMidnight;
}
