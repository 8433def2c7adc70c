#pragma once

#include <QImage>
#include <QString>

// The text as a QR code (error correction level M, bytes of UTF-8), black
// modules on white with the four-module quiet zone around them, each module
// drawn as a square of modulePixels. A null image when the text cannot be
// encoded (too long, or empty).
QImage qrCodeImage(const QString &text, int modulePixels = 4);
