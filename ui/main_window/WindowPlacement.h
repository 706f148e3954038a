// Where the main window goes on the screen. Rectangles here are screen edges (left, top,
// right, bottom), as the system reports a monitor's work area.
#pragma once

struct ScreenEdges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// Centred on the work area (halves truncated), then pushed back inside it: right and
// bottom edges first, then left and top, so that a window larger than the work area keeps
// its top-left corner visible.
ScreenPoint CentreOnWorkArea(const ScreenEdges& workArea, int width, int height);

// The top edge for a window that grows to height from its current top: unchanged while it
// still fits above the work area's bottom, else moved up so that its bottom lies on it.
int TopToFitHeight(const ScreenEdges& workArea, int windowTop, int height);
