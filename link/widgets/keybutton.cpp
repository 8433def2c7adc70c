#include "link/widgets/keybutton.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

#include <algorithm>
#include <cmath>

namespace {

QPainterPath arrowPath(const QRectF &box, Qt::ArrowType arrow)
{
    const qreal h = box.height() * 0.45;
    const qreal w = h * 0.9;
    const QPointF c = box.center();
    QPainterPath path;
    if (arrow == Qt::LeftArrow) {
        path.moveTo(c.x() - w / 2, c.y());
        path.lineTo(c.x() + w / 2, c.y() - h / 2);
        path.lineTo(c.x() + w / 2, c.y() + h / 2);
    } else {
        path.moveTo(c.x() + w / 2, c.y());
        path.lineTo(c.x() - w / 2, c.y() - h / 2);
        path.lineTo(c.x() - w / 2, c.y() + h / 2);
    }
    path.closeSubpath();
    return path;
}

// The key's rubber body, drawn once per size and look and shared by every
// key of that size: the keypad's keys mostly have one size.
QPixmap keyBody(const QSize &size, bool pressed, qreal ratio)
{
    const QString key = QStringLiteral("tollvane-key-%1x%2-%3-%4")
                            .arg(size.width())
                            .arg(size.height())
                            .arg(int(pressed))
                            .arg(ratio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    pixmap = QPixmap((QSizeF(size) * ratio).toSize());
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min(outer.height(), outer.width()) * 0.28;

    // Body: a soft dark-grey rubber, lit from above; darker when pressed.
    QLinearGradient body(outer.topLeft(), outer.bottomLeft());
    if (pressed) {
        body.setColorAt(0, QColor(0x2a, 0x2a, 0x2c));
        body.setColorAt(1, QColor(0x36, 0x36, 0x38));
    } else {
        body.setColorAt(0, QColor(0x66, 0x66, 0x6a));
        body.setColorAt(0.5, QColor(0x4c, 0x4c, 0x50));
        body.setColorAt(1, QColor(0x38, 0x38, 0x3b));
    }
    p.setPen(QPen(QColor(0x16, 0x16, 0x18), 1));
    p.setBrush(body);
    p.drawRoundedRect(outer, radius, radius);

    const QRectF inner = outer.adjusted(1, 1, -1, -1);
    p.setBrush(Qt::NoBrush);
    if (pressed) {
        // Inner shadow along the top and left edges.
        QLinearGradient shadow(inner.topLeft(), inner.topLeft() + QPointF(0, inner.height() * 0.4));
        shadow.setColorAt(0, QColor(0, 0, 0, 150));
        shadow.setColorAt(1, QColor(0, 0, 0, 0));
        p.setPen(QPen(QBrush(shadow), 2));
        p.drawRoundedRect(inner.adjusted(0.5, 0.5, 0, 0), radius - 1, radius - 1);
    } else {
        // Highlight along the top edge.
        QLinearGradient light(inner.topLeft(), inner.bottomLeft());
        light.setColorAt(0, QColor(255, 255, 255, 70));
        light.setColorAt(0.35, QColor(255, 255, 255, 0));
        p.setPen(QPen(QBrush(light), 1));
        p.drawRoundedRect(inner, radius - 1, radius - 1);
    }

    p.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace

KeyButton::KeyButton(const QString &label, QWidget *parent) : QAbstractButton(parent)
{
    setText(label);
    setToolTip(label);
    // The keyboard shortcuts work while the focus rests elsewhere; a click
    // on a key must not take it.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover, false);
}

void KeyButton::setSubLabel(const QString &subLabel)
{
    m_subLabel = subLabel;
    update();
}

void KeyButton::setArrow(Qt::ArrowType arrow)
{
    m_arrow = arrow;
    update();
}

void KeyButton::shareKeyFonts(std::shared_ptr<KeyFonts> fonts)
{
    m_fonts = std::move(fonts);
    m_mainPrint = {};
    m_subPrint = {};
    update();
}

void KeyButton::setShowsHeldState(bool shows)
{
    m_showsHeldState = shows;
    update();
}

void KeyButton::setHeld(bool held)
{
    if (m_held == held)
        return;
    m_held = held;
    update();
}

bool KeyButton::looksPressed() const
{
    return m_showsHeldState ? m_held : isDown();
}

QSize KeyButton::sizeHint() const
{
    return {38, 23};
}

void KeyButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const bool pressed = looksPressed();
    p.drawPixmap(0, 0, keyBody(size(), pressed, devicePixelRatioF()));
    const QRectF inner = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);

    // The print, shifted one pixel right and down when pressed.
    QRectF face = inner.adjusted(2, 1, -2, -1);
    if (pressed)
        face.translate(1, 1);
    const QColor ink = isEnabled() ? QColor(0xee, 0xee, 0xea) : QColor(0x99, 0x99, 0x99);
    const QColor secondInk(0xe8, 0xa0, 0x40);

    QRectF mainBox = face;
    if (!m_subLabel.isEmpty()) {
        const QRectF subBox(face.left(), face.top(), face.width(), face.height() * 0.4);
        mainBox.setTop(subBox.bottom());
        p.setPen(secondInk);
        drawKeyPrint(p, subBox,
                     cachedPrint(m_subPrint, m_subLabel, subBox.height() * 0.95, subBox.width()));
    }

    if (m_arrow == Qt::LeftArrow || m_arrow == Qt::RightArrow) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(arrowPath(mainBox, m_arrow));
        return;
    }
    const qreal textHeight = mainBox.height() * (m_subLabel.isEmpty() ? 0.55 : 0.8);
    p.setPen(ink);
    drawKeyPrint(p, mainBox, cachedPrint(m_mainPrint, text(), textHeight, mainBox.width()));
}

const KeyPrint &KeyButton::cachedPrint(FittedPrint &cache, const QString &text, qreal pixelHeight,
                                       qreal maxWidth)
{
    // A key is painted at each press and release; its prints only change
    // with its size, font or text.
    if (cache.text != text || cache.pixelHeight != pixelHeight || cache.maxWidth != maxWidth ||
        cache.base != font()) {
        cache.text = text;
        cache.pixelHeight = pixelHeight;
        cache.maxWidth = maxWidth;
        cache.base = font();
        cache.print = layOutKeyPrint(*m_fonts, font(), text, pixelHeight, maxWidth);
    }
    return cache.print;
}
