#include "window/widgets/groupboxframestyle.h"

#include <QGroupBox>
#include <QImageReader>
#include <QStyleOption>
#include <qdrawutil.h>

void GroupBoxFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                       QPainter *painter, const QWidget *widget) const
{
    if (element != PE_FrameGroupBox || !readFusionFrame()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // As Fusion does: the frame starts 3 pixels down, and below the title
    // or the check box when the box has one.
    int top = 3;
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    if (!box || box->isCheckable() || !box->title().isEmpty())
        top += qMax(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight),
                    option->fontMetrics.height());
    qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6), m_frame);
}

bool GroupBoxFrameStyle::readFusionFrame() const
{
    if (!m_frameRead) {
        m_frameRead = true;
        if (baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {
            QImageReader reader(
                QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"),
                "png");
            reader.setAutoDetectImageFormat(false);
            m_frame = QPixmap::fromImage(reader.read());
        }
    }
    return !m_frame.isNull();
}
