#include "intel/extendedpicture.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

QImage readFirstPicture(const QStringList &paths)
{
    for (const QString &path : paths) {
        if (!QFileInfo(path).isFile())
            continue;
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        const QImage image = reader.read();
        if (!image.isNull())
            return image;
    }
    return {};
}

QImage builtInStandByPicture()
{
    QImage image(240, 180, QImage::Format_RGB32);
    image.fill(QColor(0x30, 0x38, 0x44));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x90, 0xa0, 0xb0), 3));
    painter.drawRect(image.rect().adjusted(8, 8, -9, -9));
    // A small antenna above the words.
    painter.drawLine(120, 40, 120, 90);
    painter.drawLine(100, 50, 120, 40);
    painter.drawLine(140, 50, 120, 40);
    painter.drawEllipse(QPoint(120, 40), 4, 4);
    QFont font = painter.font();
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 100, 240, 40), Qt::AlignCenter, QStringLiteral("No Picture"));
    return image;
}
