#include "ui/drag_math.h"

#include "ui/rounding.h"

void DragState::Press(float x, float y) {
    dragging = true;
    grabX = (int)RoundHalfEven(x);
    grabY = (int)RoundHalfEven(y);
}
