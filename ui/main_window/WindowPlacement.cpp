#include "WindowPlacement.h"

ScreenPoint CentreOnWorkArea(const ScreenEdges& workArea, int width, int height)
{
    ScreenPoint at;
    at.x = workArea.left + (workArea.right - workArea.left) / 2 - width / 2;
    at.y = workArea.top + (workArea.bottom - workArea.top) / 2 - height / 2;
    if (at.x + width > workArea.right) at.x = workArea.right - width;
    if (at.y + height > workArea.bottom) at.y = workArea.bottom - height;
    if (at.x < workArea.left) at.x = workArea.left;
    if (at.y < workArea.top) at.y = workArea.top;
    return at;
}

int TopToFitHeight(const ScreenEdges& workArea, int windowTop, int height)
{
    return windowTop + height > workArea.bottom ? workArea.bottom - height : windowTop;
}
