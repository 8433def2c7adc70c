#pragma once

#include <QPixmap>
#include <QProxyStyle>

// The application's style: the desktop's own, except that under Fusion a
// group box's frame is drawn here, looking the same. Fusion loads its frame
// image by file name, and Qt's image reader then loads every image format
// plugin to ask whether it reads PNG; here the image is read once as PNG.
class GroupBoxFrameStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

private:
    // Fusion's frame image, read on the first frame drawn; false under any
    // other base style or when the image is missing.
    bool readFusionFrame() const;

    mutable QPixmap m_frame;
    mutable bool m_frameRead = false;
};
