// Fitting a picture's size into a box while keeping its shape. Pure integer maths.
#pragma once

#include <cstdint>

// The size of the source's shape that fills the box along one side: the other side is
// rounded to the nearest pixel (halves up), and no side is less than 1. Returns false,
// leaving width and height as they are, when the source has no area.
bool FitSize(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t boxWidth, std::int32_t boxHeight,
             std::int32_t& width, std::int32_t& height);
