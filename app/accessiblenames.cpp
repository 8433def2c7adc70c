#include "app/accessiblenames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

QString cleaned(QString text)
{
    text.remove(QLatin1Char('&'));
    text = text.simplified();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

// The label that names the control: its buddy label, else the nearest label
// on the same row to its left, within the same parent, which then becomes
// its buddy (the "labelled by" relation screen readers follow).
QString labelBeside(QWidget *control)
{
    const QWidget *parent = control->parentWidget();
    if (!parent)
        return {};
    const QRect at = control->geometry();
    QLabel *best = nullptr;
    int bestGap = 0;
    const auto labels = parent->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    for (QLabel *label : labels) {
        if (label->buddy() == control)
            return cleaned(label->text());
        const QRect l = label->geometry();
        const bool sameRow = l.top() < at.bottom() && l.bottom() > at.top();
        const int gap = at.left() - l.right();
        if (!sameRow || gap < 0 || gap > 40 || cleaned(label->text()).isEmpty())
            continue;
        if (!best || gap < bestGap) {
            best = label;
            bestGap = gap;
        }
    }
    if (!best)
        return {};
    best->setBuddy(control);
    return cleaned(best->text());
}

QString frameCaption(const QWidget *control)
{
    for (const QWidget *w = control->parentWidget(); w; w = w->parentWidget()) {
        if (const auto *frame = qobject_cast<const QGroupBox *>(w))
            return cleaned(frame->title());
        if (w->isWindow())
            break;
    }
    return {};
}

} // namespace

bool isUserControl(const QWidget *widget)
{
    return qobject_cast<const QAbstractButton *>(widget) ||
           qobject_cast<const QComboBox *>(widget) || qobject_cast<const QLineEdit *>(widget) ||
           qobject_cast<const QAbstractSpinBox *>(widget) ||
           qobject_cast<const QAbstractSlider *>(widget) ||
           qobject_cast<const QAbstractItemView *>(widget) ||
           qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QTextEdit *>(widget);
}

void nameUnnamedControls(QWidget *root)
{
    const auto widgets = root->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!isUserControl(widget) || !widget->accessibleName().isEmpty())
            continue;
        if (const auto *button = qobject_cast<QAbstractButton *>(widget);
            button && !cleaned(button->text()).isEmpty())
            continue;
        // A control inside another (a combo box's own line edit, a view's
        // scroll bars) is named through its owner.
        if (widget->parentWidget() && isUserControl(widget->parentWidget()))
            continue;
        QString name = labelBeside(widget);
        if (name.isEmpty())
            name = frameCaption(widget);
        if (name.isEmpty())
            name = cleaned(widget->toolTip());
        if (!name.isEmpty())
            widget->setAccessibleName(name);
    }
}
