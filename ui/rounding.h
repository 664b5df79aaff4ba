// The one rounding rule of the program: the pauses' start second and the
// grab point of a drag both round this way.
#pragma once

// Nearest whole number; an exact half goes to the even neighbour.
double RoundHalfEven(double value);
