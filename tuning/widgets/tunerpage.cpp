#include "tuning/widgets/tunerpage.h"

#include "tuning/statecodes.h"
#include "tuning/widgets/frequencyvalidator.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

template <typename W> W *named(W *widget, const QString &name, const QString &accessible)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessible);
    return widget;
}

QComboBox *listOf(QWidget *parent, const QString &name, const QString &accessible,
                  const QStringList &items, const QRect &at)
{
    auto *combo = named(new QComboBox(parent), name, accessible);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setGeometry(at);
    return combo;
}

QPushButton *button(QWidget *parent, const QString &caption, const QString &name, const QRect &at)
{
    auto *b = named(new QPushButton(caption, parent), name, caption);
    b->setGeometry(at);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QPlainTextEdit *listBox(QWidget *parent, const QString &name, const QString &accessible)
{
    auto *box = named(new QPlainTextEdit(parent), name, accessible);
    box->setGeometry(10, 24, 164, 200);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setTabChangesFocus(true);
    return box;
}

DirectEntryPanel directEntryPanel(QWidget *page, int number)
{
    const QString suffix = number == 1 ? QString() : QString::number(number);
    const QString caption = QStringLiteral("Direct Entry / VFO");
    DirectEntryPanel p;
    p.frame = named(new QGroupBox(caption, page), QStringLiteral("VFO_frame") + suffix, caption);
    p.frame->setGeometry(8, 8 + (number - 1) * 100, 360, 92);

    auto *modLabel = new QLabel(QStringLiteral("Mod:"), p.frame);
    modLabel->setGeometry(10, 24, 60, 22);
    p.modulation = listOf(
        p.frame, QStringLiteral("direct_entry_mod") + suffix, QStringLiteral("Mod:"),
        {QStringLiteral("FM"), QStringLiteral("NFM"), QStringLiteral("WFM"), QStringLiteral("AM")},
        QRect(70, 24, 90, 24));
    auto *stateLabel = new QLabel(QStringLiteral("State:"), p.frame);
    stateLabel->setGeometry(10, 56, 60, 22);
    p.state = listOf(p.frame, QStringLiteral("direct_entry_state") + suffix,
                     QStringLiteral("State:"), stateCodes(), QRect(70, 56, 90, 24));

    auto *freqLabel = new QLabel(QStringLiteral("MHz:"), p.frame);
    freqLabel->setGeometry(172, 24, 40, 22);
    p.entry = named(new QLineEdit(p.frame), QStringLiteral("direct_entry") + suffix, caption);
    p.entry->setGeometry(212, 24, 78, 24);
    p.tune = button(p.frame, QStringLiteral("Tune"), QStringLiteral("key_tune_direct") + suffix,
                    QRect(296, 23, 56, 26));
    p.fcc = button(p.frame, QStringLiteral("FCC"), QStringLiteral("direct_entry_fcc") + suffix,
                   QRect(296, 55, 56, 26));
    p.entry->setValidator(new FrequencyValidator(p.entry));
    // Both buttons are reached with Tab, in reading order: the first row,
    // then the second.
    p.tune->setFocusPolicy(Qt::StrongFocus);
    p.fcc->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(p.modulation, p.entry);
    QWidget::setTabOrder(p.entry, p.tune);
    QWidget::setTabOrder(p.tune, p.state);
    QWidget::setTabOrder(p.state, p.fcc);
    return p;
}

} // namespace

TunerPage createTunerPage()
{
    TunerPage t;
    t.page = new QWidget;
    t.panels[0] = directEntryPanel(t.page, 1);
    t.panels[1] = directEntryPanel(t.page, 2);

    const QString skipCaption = QStringLiteral("Auto Skip List");
    auto *skip =
        named(new QGroupBox(skipCaption, t.page), QStringLiteral("auto_skip_frame"), skipCaption);
    skip->setGeometry(376, 8, 184, 268);
    t.skipList = listBox(skip, QStringLiteral("Auto_Skip_List"), skipCaption);
    t.skipApply = button(skip, QStringLiteral("Apply"), QStringLiteral("key_auto_skip_list_apply"),
                         QRect(10, 232, 164, 28));

    const QString scanCaption = QStringLiteral("Quick Scan List");
    auto *scan =
        named(new QGroupBox(scanCaption, t.page), QStringLiteral("quick_scan_frame"), scanCaption);
    scan->setGeometry(568, 8, 184, 268);
    t.quickScanList = listBox(scan, QStringLiteral("Quick_Scan_List"), scanCaption);
    t.quickScanStart = button(scan, QStringLiteral("Start Quick Scan"),
                              QStringLiteral("key_start_quck_scan"), QRect(10, 232, 164, 28));
    // Named by its caption, which says Start or Stop, as it changes; its
    // frame describes it.
    t.quickScanStart->setAccessibleName(QString());
    t.quickScanStart->setAccessibleDescription(scanCaption);
    return t;
}
