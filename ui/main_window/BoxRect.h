// Rectangles as the window code keeps them: left, top, width and height in client pixels.
#pragma once

struct BoxRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // Left and top edges inside, right and bottom edges outside.
    bool Contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
    bool IsEmpty() const { return width <= 0 || height <= 0; }
    bool operator==(const BoxRect& other) const
    {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};
