#pragma once

#include <QRect>

// Sizes and positions of the window's elements are kept in twips, as the
// layouts give them: 15 twips to the pixel at 96 dots an inch.
inline constexpr int twipsPerPixel = 15;

// Rounded to the nearest pixel, halves away from zero: cutting the
// remainder off made columns and boxes a pixel short of their text.
constexpr int twipsToPixels(int twips)
{
    const int half = twipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / twipsPerPixel : -((-twips + half) / twipsPerPixel);
}

constexpr QRect twipsToPixels(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}
