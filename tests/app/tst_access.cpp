// Who can use the program: a screen reader walking the window, and a user
// whose account may not open the radio's serial device.
#include "support/radiofixture.h"

#include "app/accessiblenames.h"
#include "link/radioport.h"

#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Walks the accessibility tree and lists every enabled control a user can
// act on that has no name, or whose "name" is only its own contents.
void collectUnnamed(QAccessibleInterface *node, QStringList &unnamed)
{
    if (!node || node->state().disabled)
        return;
    static const QList<QAccessible::Role> actedOn = {
        QAccessible::PushButton, QAccessible::CheckBox,     QAccessible::RadioButton,
        QAccessible::ComboBox,   QAccessible::EditableText, QAccessible::SpinBox,
        QAccessible::Slider,     QAccessible::Table,        QAccessible::List,
        QAccessible::PageTab,    QAccessible::ButtonMenu};
    const QString name = node->text(QAccessible::Name).trimmed();
    const auto *widget = qobject_cast<QWidget *>(node->object());
    const bool control =
        actedOn.contains(node->role()) ||
        (widget && widget->focusPolicy() != Qt::NoFocus && node->role() == QAccessible::Client);
    if (control) {
        // On Linux a list reports its current item as its name and is named
        // through its "labelled by" relation (a buddy label or its frame).
        const bool labelled = !node->relations(QAccessible::Label).isEmpty();
        const QString value = node->text(QAccessible::Value).trimmed();
        const bool contentsOnly =
            (node->role() == QAccessible::ComboBox || node->role() == QAccessible::EditableText) &&
            !labelled && name == value;
        if (name.isEmpty() || contentsOnly)
            unnamed.append(QStringLiteral("%1 %2 in %3")
                               .arg(QLatin1String(node->object()->metaObject()->className()),
                                    node->object()->objectName(),
                                    widget && widget->parentWidget()
                                        ? widget->parentWidget()->objectName()
                                        : QString()));
        // A table's cells and a list's items are named by what they hold; a
        // field's own clear button belongs to the field.
        if (node->role() == QAccessible::Table || node->role() == QAccessible::List ||
            node->role() == QAccessible::ComboBox || node->role() == QAccessible::EditableText)
            return;
    }
    for (int i = 0; i < node->childCount(); ++i)
        collectUnnamed(node->child(i), unnamed);
}

// Runs a block as the "nobody" user with no extra groups, then returns to
// root; false when the test does not run as root.
template <typename Block> bool asNobody(Block block)
{
    const passwd *nobody = getpwnam("nobody");
    if (geteuid() != 0 || !nobody)
        return false;
    QList<gid_t> groups(getgroups(0, nullptr));
    getgroups(groups.size(), groups.data());
    const gid_t noGroups[] = {nobody->pw_gid};
    if (setgroups(1, noGroups) != 0 || setegid(nobody->pw_gid) != 0 || seteuid(nobody->pw_uid) != 0)
        return false;
    block();
    const bool back =
        seteuid(0) == 0 && setegid(0) == 0 && setgroups(groups.size(), groups.data()) == 0;
    Q_ASSERT(back);
    return back;
}

} // namespace

class TestAccess : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyControlHasAName()
    {
        RadioFixture f;
        auto form = f.makeForm();
        form->show();
        // The History tab's controls are made when it is first opened.
        child<QTabWidget>(form.get(), "SSTab1")->setCurrentIndex(4);
        QStringList unnamed;
        collectUnnamed(QAccessible::queryAccessibleInterface(form.get()), unnamed);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));

        auto name = [&](const char *objectName) {
            return QAccessible::queryAccessibleInterface(child<QWidget>(form.get(), objectName))
                ->text(QAccessible::Name);
        };
        QCOMPARE(name("key_7"), QStringLiteral("7, Func RCL"));
        QCOMPARE(name("key_left"), QStringLiteral("Left"));
        QCOMPARE(name("m2"), QStringLiteral("Macro 2"));
        QCOMPARE(name("Combo1"), QStringLiteral("COM Port"));
        // A button is named by its caption as the caption changes.
        QCOMPARE(name("key_start_quck_scan"), QStringLiteral("Start Quick Scan"));
        child<QPushButton>(form.get(), "key_start_quck_scan")->click();
        QCOMPARE(name("key_start_quck_scan"), QStringLiteral("Stop Quick Scan"));
        // The radio's screen lines read as text, and follow the screen.
        auto *text1 = child<QLabel>(form.get(), "Text1");
        text1->setText(QStringLiteral("Bethel PD 1"));
        QCOMPARE(name("Text1"), QStringLiteral("Bethel PD 1"));
    }

    // A frame laid over another hides the controls below it.
    void noFrameOfATabLiesOverAnother()
    {
        RadioFixture f;
        auto form = f.makeForm();
        form->show();
        auto *tabs = child<QTabWidget>(form.get(), "SSTab1");
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            // A tab that scrolls: the frames of its page.
            QWidget *page = tabs->widget(tab);
            if (auto *scroll = qobject_cast<QScrollArea *>(page))
                page = scroll->widget();
            QList<QWidget *> parts;
            for (QWidget *part : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                if (!part->isHidden())
                    parts.append(part);
            for (qsizetype i = 0; i < parts.size(); ++i)
                for (qsizetype j = i + 1; j < parts.size(); ++j)
                    QVERIFY2(!parts[i]->geometry().intersects(parts[j]->geometry()),
                             qPrintable(QStringLiteral("%1 over %2 on %3")
                                            .arg(parts[i]->objectName(), parts[j]->objectName(),
                                                 tabs->tabText(tab))));
        }
    }

    void deviceOfAnotherGroupIsExplained()
    {
        const group *serialGroup = getgrnam("uucp");
        if (geteuid() != 0 || !serialGroup)
            QSKIP("needs root and a uucp group to hand a device to another group");
        RadioFixture f;
        // The device itself: the fixture's link sits in a folder only root
        // may enter.
        auto form = f.makeForm({f.radio().slavePath()});
        const QByteArray device = QFile::encodeName(f.radio().slavePath());
        QVERIFY(chown(device.constData(), 0, serialGroup->gr_gid) == 0);
        QVERIFY(chmod(device.constData(), 0660) == 0);

        auto *combo1 = child<QComboBox>(form.get(), "Combo1");
        auto *hint = child<QPushButton>(form.get(), "serialAccessHint");
        QString openError;
        const bool ran = asNobody([&] {
            combo1->setCurrentIndex(0);
            RadioPort port;
            if (!port.OpenRadioPort(f.radio().slavePath(), 115200))
                openError = port.errorText();
        });
        QVERIFY(ran);
        QVERIFY(!hint->isHidden());
        QVERIFY(hint->text().contains(QLatin1String("uucp")));
        QVERIFY(hint->toolTip().contains(QLatin1String("sudo usermod -aG uucp $USER")));
        QVERIFY2(openError.contains(QLatin1String("sudo usermod -aG uucp $USER")),
                 qPrintable(openError));

        // Back as a user who may open it, the hint goes.
        combo1->setCurrentIndex(1);
        combo1->setCurrentIndex(0);
        QVERIFY(hint->isHidden());
    }
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
