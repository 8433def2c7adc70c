#include "web/server/qrcode.h"

#include <QPainter>

#include <qrencode.h>

#include <memory>

namespace {

constexpr int quietZone = 4;

struct QrFree
{
    void operator()(QRcode *code) const { QRcode_free(code); }
};

} // namespace

QImage qrCodeImage(const QString &text, int modulePixels)
{
    const QByteArray bytes = text.toUtf8();
    if (bytes.isEmpty() || modulePixels < 1)
        return {};
    const std::unique_ptr<QRcode, QrFree> code(
        QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M));
    if (!code)
        return {};
    const int side = (code->width + 2 * quietZone) * modulePixels;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            // The lowest bit of each byte: the module is dark.
            if (code->data[y * code->width + x] & 1)
                painter.fillRect((x + quietZone) * modulePixels, (y + quietZone) * modulePixels,
                                 modulePixels, modulePixels, Qt::black);
        }
    }
    return image;
}
