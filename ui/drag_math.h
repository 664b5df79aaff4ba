// The arithmetic of dragging a borderless window by its surface, in the
// units the pointer and the window's edges are read in (twips).
#pragma once

struct DragState {
    int grabX = 0, grabY = 0;  // where the pointer took hold, in client coordinates
    bool dragging = false;

    // A press with any button: the grab point, rounded half to even.
    void Press(float x, float y);
    // The edge that brings the grab point back under the pointer.
    static float Follow(float pointer, int grab, float edge) { return pointer - grab + edge; }
};
