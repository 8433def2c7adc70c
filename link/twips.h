#pragma once

#include <QRect>

// Sizes and positions of the window's elements are kept in twips, as the
// layouts give them: 15 twips to the pixel at 96 dots an inch.
inline constexpr int twipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return twips / twipsPerPixel;
}

constexpr QRect twipsToPixels(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}
