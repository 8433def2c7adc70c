#pragma once

#include <QAbstractButton>
#include <QFont>
#include <QString>

#include "link/widgets/keyprint.h"

#include <memory>

// One key of the drawn keypad: a rubbery dark-grey radio key with its print,
// painted in code so it stays sharp at any size. It looks pressed while the
// mouse holds it down and normal again on release; clicked() comes only when
// the button is released over the key.
//
// A key that shows its held state (key_f, key_rev) looks pressed while it is
// held instead, whatever the mouse does.
class KeyButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit KeyButton(const QString &label, QWidget *parent = nullptr);

    // The small second print above the main one; empty for none.
    void setSubLabel(const QString &subLabel);
    QString subLabel() const { return m_subLabel; }

    // Draws an arrow instead of the label's text (Qt::LeftArrow,
    // Qt::RightArrow); Qt::NoArrow for the text.
    void setArrow(Qt::ArrowType arrow);
    Qt::ArrowType arrow() const { return m_arrow; }

    // The keys of one keypad lay their prints out with the same fonts; a
    // key on its own keeps fonts of its own.
    void shareKeyFonts(std::shared_ptr<KeyFonts> fonts);

    void setShowsHeldState(bool shows);
    bool showsHeldState() const { return m_showsHeldState; }

    void setHeld(bool held);
    bool isHeld() const { return m_held; }

    // True while the key is drawn in its pressed look.
    bool looksPressed() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct FittedPrint
    {
        QString text;
        qreal pixelHeight = -1;
        qreal maxWidth = -1;
        QFont base;
        KeyPrint print;
    };
    const KeyPrint &cachedPrint(FittedPrint &cache, const QString &text, qreal pixelHeight,
                                qreal maxWidth);

    std::shared_ptr<KeyFonts> m_fonts = std::make_shared<KeyFonts>();
    FittedPrint m_mainPrint;
    FittedPrint m_subPrint;
    QString m_subLabel;
    Qt::ArrowType m_arrow = Qt::NoArrow;
    bool m_showsHeldState = false;
    bool m_held = false;
};
