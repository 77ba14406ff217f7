// Drawing steps that the owner-drawn colour buttons share.
#pragma once
#include <windows.h>

class CDC;

// rect made smaller by inset on every side.
RECT Shrunk(const RECT& rect, int inset);
// A 1-pixel outline along the inside of rect.
void DrawOutline(CDC& dc, const RECT& rect, COLORREF colour);
// The raised edge of a button that is not pressed, along the inside of rect:
// highlight at top and left, black at bottom and right, and the shadow
// colour one pixel inside the black.
void DrawRaisedEdge(CDC& dc, const RECT& rect);
// The top and left lines of rect in one colour.
void DrawTopLeft(CDC& dc, const RECT& rect, COLORREF colour);
// The focus marks of an owner-drawn button: focused, a black outline around
// the item and a focus rectangle 3 pixels inside; else an outline in
// unfocusedColour.
void DrawButtonFocus(CDC& dc, const RECT& item, bool focused, COLORREF unfocusedColour);
