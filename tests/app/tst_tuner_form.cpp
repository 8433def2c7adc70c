// The "Tuner" tab on the real window, down to the bytes the simulated radio
// receives: direct entry, the quick scan, the auto skip list and the licence
// lookup.
#include "support/radiofixture.h"

#include "link/widgets/keybutton.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

constexpr int quietInterval = 60000; // no poll during the test
const QByteArray entry0 = "QSH,01555200,0,NFM,0,.,.,.,.,.";
const QByteArray entry1 = "QSH,04601000,0,FM,0,.,.,.,.,.";

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

Reception heardOn(const QByteArray &frequency, const QByteArray &talkgroup = {})
{
    Reception r;
    r.kind = talkgroup.isEmpty() ? Reception::Kind::Conventional : Reception::Kind::Trunked;
    r.system = "Marion County";
    r.group = "Sheriff";
    r.channel = "SO Dispatch";
    r.frequency = frequency;
    r.talkgroup = talkgroup;
    r.gapTicks = 1;
    r.activeTicks = 20;
    return r;
}

void click(QWidget *form, const QByteArray &name)
{
    QWidget *button = child<QWidget>(form, name.constData());
    QVERIFY2(button, name.constData());
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

} // namespace

class TestTunerForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tune_data();
    void tune();
    void typingFieldsKeepKeys_data();
    void typingFieldsKeepKeys();
    void quickScan_data();
    void quickScan();
    void quickScanTellsALineLeftOut();
    void skipList_data();
    void skipList();
    void fccLookup_data();
    void fccLookup();
    void noBrowserShowsTheAddress();
    void tuningKeptAcrossRestarts();
    void logMenu_data();
    void logMenu();
    void cleanup()
    {
        m_form.reset();
        m_fx.reset();
    }

private:
    std::unique_ptr<Form1> openForm(int interval = quietInterval);
    // Fills both direct entry panels: "own" gets the text, the other panel
    // something that must never be sent.
    void fillPanels(int panel, const QString &text);
    // What the radio got while it played the reception to its end.
    QByteArray wireDuring(const Reception &reception);
    std::unique_ptr<RadioFixture> m_fx;
    std::unique_ptr<Form1> m_form;
};

std::unique_ptr<Form1> TestTunerForm::openForm(int interval)
{
    m_fx = std::make_unique<RadioFixture>();
    m_fx->writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, interval));
    auto form = m_fx->makeForm();
    form->show();
    form->activateWindow();
    // The focus checks wait on their own; an inactive window shows up there.
    static_cast<void>(QTest::qWaitForWindowActive(form.get()));
    child<QTabWidget>(form.get(), "SSTab1")->setCurrentIndex(2);
    return form;
}

void TestTunerForm::fillPanels(int panel, const QString &text)
{
    const QByteArray own = panel == 1 ? "" : "2", other = panel == 1 ? "2" : "";
    child<QLineEdit>(m_form.get(), "direct_entry" + own)->setText(text);
    child<QLineEdit>(m_form.get(), "direct_entry" + other)->setText(QStringLiteral("851.0125"));
    child<QComboBox>(m_form.get(), "direct_entry_mod" + other)->setCurrentIndex(2);
    child<QComboBox>(m_form.get(), "direct_entry_state" + other)->setCurrentIndex(0);
}

QByteArray TestTunerForm::wireDuring(const Reception &reception)
{
    m_fx->radio().clearReceived();
    m_fx->radio().radio().queueReception(reception);
    const auto played = [this] { return m_fx->radio().radio().groundTruth().size(); };
    const qsizetype before = played();
    if (!QTest::qWaitFor([&] { return played() > before; }, 20000) ||
        !QTest::qWaitFor([&] { return !m_form->hits().state().hit_active; }, 10000))
        return "(not played)";
    return m_fx->wireUpToMarker(*m_form);
}

void TestTunerForm::tune_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("modulation");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("how"); // "click", "Enter", or Tab to "Tune" and Space
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QString>("status"); // the status line after it, when it says why not
    QTest::newRow("first panel") << 1 << "155.52" << 1 << true << "click" << entry0 + '\r' << "";
    QTest::newRow("second panel, Enter") << 2 << "119.1" << 3 << true << "Enter"
                                         << QByteArray("QSH,01191000,0,AM,0,.,.,.,.,.\r") << "";
    QTest::newRow("Tab to Tune, Space")
        << 1 << "155.52" << 1 << true << "Tab" << entry0 + '\r' << "";
    QTest::newRow("no point") << 2 << "460" << 0 << true << "Enter" << QByteArray()
                              << "Not tuned: MHz needs a point, e.g. 155.52";
    QTest::newRow("nothing typed")
        << 1 << "" << 0 << true << "click" << QByteArray() << "Not tuned: no MHz typed";
    QTest::newRow("port closed") << 1 << "155.52" << 1 << false << "click" << QByteArray()
                                 << "Not tuned: port closed";
}

void TestTunerForm::tune()
{
    QFETCH(int, panel);
    QFETCH(QString, typed);
    QFETCH(int, modulation);
    QFETCH(bool, open);
    QFETCH(QString, how);
    QFETCH(QByteArray, wire);
    QFETCH(QString, status);
    m_form = openForm();
    fillPanels(panel, typed);
    const QByteArray suffix = panel == 1 ? "" : "2";
    child<QComboBox>(m_form.get(), "direct_entry_mod" + suffix)->setCurrentIndex(modulation);
    if (!open)
        m_form->RunStop();
    m_fx->radio().clearReceived();
    auto *entry = child<QLineEdit>(m_form.get(), "direct_entry" + suffix);
    if (how == "click") {
        click(m_form.get(), "key_tune_direct" + suffix);
    } else {
        entry->setFocus();
        QTRY_VERIFY(entry->hasFocus());
        if (how == "Tab") {
            QTest::keyClick(entry, Qt::Key_Tab);
            QTRY_COMPARE(QApplication::focusWidget(),
                         child<QWidget>(m_form.get(), "key_tune_direct" + suffix));
        }
        QTest::keyClick(QApplication::focusWidget(), how == "Tab" ? Qt::Key_Space : Qt::Key_Return);
    }
    if (!status.isEmpty())
        QCOMPARE(child<QLineEdit>(m_form.get(), "Text3")->text(), status);
    if (!open)
        m_form->RunStop();
    QCOMPARE(m_fx->wireUpToMarker(*m_form), wire);
    QTRY_VERIFY(child<QWidget>(m_form.get(), "Picture1")->hasFocus());
    if (!wire.isEmpty())
        QCOMPARE(m_fx->radio().radio().frequency(), wire.mid(4, 8));
}

void TestTunerForm::typingFieldsKeepKeys_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("action"); // ends the typing
    QTest::newRow("direct_entry") << QByteArray("direct_entry") << QByteArray();
    QTest::newRow("direct_entry2") << QByteArray("direct_entry2") << QByteArray();
    QTest::newRow("Quick_Scan_List")
        << QByteArray("Quick_Scan_List") << QByteArray("key_start_quck_scan");
    QTest::newRow("Auto_Skip_List")
        << QByteArray("Auto_Skip_List") << QByteArray("key_auto_skip_list_apply");
}

void TestTunerForm::typingFieldsKeepKeys()
{
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, action);
    m_form = openForm();
    auto *box = child<QWidget>(m_form.get(), field.constData());
    box->setFocus();
    QTRY_VERIFY(m_form->text_entry_focus);
    m_fx->radio().clearReceived();
    QTest::keyClicks(box, QStringLiteral("S5 hq"));
    auto *status = child<QLineEdit>(m_form.get(), "Text3");
    if (action.isEmpty()) {
        // A MHz field takes only the digit, and says why not the rest.
        QCOMPARE(static_cast<QLineEdit *>(box)->text(), QStringLiteral("5"));
        QVERIFY(status->text().startsWith(QStringLiteral("Not taken: ")));
    }
    // Enter makes a new line in a list and leaves a one-line field; it is
    // never the radio's push key.
    QTest::keyClick(box, Qt::Key_Return);
    if (action.isEmpty())
        QCOMPARE(status->text(), QStringLiteral("Not tuned: MHz needs a point, e.g. 155.52"));
    QCOMPARE(m_form->text_entry_focus, !action.isEmpty());
    QCOMPARE(m_fx->wireUpToMarker(*m_form), QByteArray());
    if (!action.isEmpty()) {
        QCOMPARE(static_cast<QPlainTextEdit *>(box)->toPlainText(), QStringLiteral("S5 hq\n"));
        click(m_form.get(), action);
    }
    QTRY_VERIFY(child<QWidget>(m_form.get(), "Picture1")->hasFocus());
    QVERIFY(!m_form->text_entry_focus);
    m_fx->radio().clearReceived();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);
    QCOMPARE(m_fx->wireUpToMarker(*m_form), QByteArray("KEY,5,P\r"));
}

void TestTunerForm::quickScan_data()
{
    QTest::addColumn<bool>("hit"); // a reception on the second frequency
    QTest::newRow("wrap and the Scan key") << false;
    QTest::newRow("no step during a hit") << true;
}

void TestTunerForm::quickScan()
{
    QFETCH(bool, hit);
    m_form = openForm(100);
    int ticks = 0;
    QList<QByteArray> sent;
    QList<int> sentAt; // the Timer4 tick of each QSH
    auto *timer4 = child<QTimer>(m_form.get(), "Timer4");
    // Nothing to do, no tick: it runs only while the quick scan does.
    QVERIFY(!timer4->isActive());
    connect(timer4, &QTimer::timeout, this, [&] { ++ticks; });
    connect(&m_fx->radio(), &PtyRadio::commandReceived, this, [&](const QByteArray &line) {
        if (line.startsWith("QSH")) {
            sent << line;
            sentAt << ticks;
        }
    });
    Reception reception = heardOn("04601000");
    reception.gapTicks = 0;
    reception.activeTicks = 30;
    if (hit)
        m_fx->radio().radio().queueReception(reception, false);
    child<QPlainTextEdit>(m_form.get(), "Quick_Scan_List")->setPlainText("155.52 nfm\r\n460.1\n");
    auto *start = child<QPushButton>(m_form.get(), "key_start_quck_scan");
    click(m_form.get(), "key_start_quck_scan");
    QCOMPARE(start->text(), QStringLiteral("Stop Quick Scan"));

    if (hit) {
        QTRY_VERIFY_WITH_TIMEOUT(m_form->hits().state().hit_active, 15000);
        const int seenAt = ticks;
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= seenAt + 2 || !m_form->hits().state().hit_active, 15000);
        QCOMPARE(sent, QList<QByteArray>({entry0, entry1}));
    }
    QTRY_VERIFY_WITH_TIMEOUT(sent.size() >= 3, 20000);
    QCOMPARE(sent.mid(0, 3), QList<QByteArray>({entry0, entry1, entry0}));
    if (hit) {
        // The reception played to its end and is in the log.
        QCOMPARE(m_fx->radio().radio().groundTruth().value(0).activeTicks, 30);
        QCOMPARE(m_form->hitLog().lineCount(), 1);
        return;
    }
    QCOMPARE(sentAt, QList<int>({sentAt.at(0), sentAt.at(0) + 1, sentAt.at(0) + 3}));
    click(m_form.get(), "key_scan");
    QCOMPARE(start->text(), QStringLiteral("Start Quick Scan"));
    QVERIFY(!timer4->isActive());
    // Two seconds after the stop, no further step has gone out.
    QTest::qWait(2100);
    QCOMPARE(sent.size(), 3);
}

void TestTunerForm::quickScanTellsALineLeftOut()
{
    m_form = openForm();
    QStringList lines(1001, QStringLiteral("460.1"));
    lines << QStringLiteral("155.52");
    child<QPlainTextEdit>(m_form.get(), "Quick_Scan_List")->setPlainText(lines.join(u'\n'));
    click(m_form.get(), "key_start_quck_scan");
    QCOMPARE(m_fx->messages.size(), 1);
    QVERIFY2(m_fx->messages.first().contains(QStringLiteral("; 1 frequency line")),
             qPrintable(m_fx->messages.first()));
}

void TestTunerForm::skipList_data()
{
    QTest::addColumn<QStringList>("applied"); // one Apply after another
    QTest::addColumn<Reception>("reception");
    QTest::addColumn<bool>("skipped");
    QTest::newRow("frequency") << QStringList{"460.1"} << heardOn("04601000") << true;
    QTest::newRow("talkgroup") << QStringList{"155.52\n1234"} << heardOn("08515625", "1234")
                               << true;
    QTest::newRow("shorter second Apply")
        << QStringList{"155.52\n1234", "460.1"} << heardOn("08515625", "1234") << false;
    QTest::newRow("empty Apply") << QStringList{"460.1", ""} << heardOn("04601000") << false;
}

void TestTunerForm::skipList()
{
    QFETCH(QStringList, applied);
    QFETCH(Reception, reception);
    QFETCH(bool, skipped);
    m_form = openForm(100);
    for (const QString &text : std::as_const(applied)) {
        child<QPlainTextEdit>(m_form.get(), "Auto_Skip_List")->setPlainText(text);
        click(m_form.get(), "key_auto_skip_list_apply");
    }
    QVERIFY(m_fx->messages.isEmpty());
    QCOMPARE(child<QLineEdit>(m_form.get(), "Text3")->text(), QStringLiteral("Skip List Set"));
    QCOMPARE(wireDuring(reception).contains("KEY,>,P\r"), skipped);
    QCOMPARE(m_form->hitLog().isEmpty(), skipped);
    QCOMPARE(m_fx->radio().radio().groundTruth().at(0).activeTicks < 20, skipped);
    QCOMPARE(child<QLabel>(m_form.get(), "debug_box2")->text().isEmpty(), applied.last().isEmpty());
}

void TestTunerForm::fccLookup_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("state"); // -1: the start-up choice
    QTest::addColumn<QString>("query");
    const QString fixed = QStringLiteral("db_id=19&rows=0&state=");
    QTest::newRow("first, CA") << 1 << "155.52" << 5 << fixed + "CA&freq=155.52";
    QTest::newRow("second, NY") << 2 << "460.1" << -1 << fixed + "NY&freq=460.1";
    QTest::newRow("ampersand") << 1 << "155.52&x" << 55 << fixed + "WY&freq=155.52%26x";
    QTest::newRow("no point") << 2 << "155" << 5 << QString();
}

void TestTunerForm::fccLookup()
{
    QFETCH(int, panel);
    QFETCH(QString, typed);
    QFETCH(int, state);
    QFETCH(QString, query);
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    m_form = openForm();
    fillPanels(panel, typed);
    if (state >= 0)
        child<QComboBox>(m_form.get(), panel == 1 ? "direct_entry_state" : "direct_entry_state2")
            ->setCurrentIndex(state);
    click(m_form.get(), panel == 1 ? "direct_entry_fcc" : "direct_entry_fcc2");
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QTRY_VERIFY(child<QWidget>(m_form.get(), "Picture1")->hasFocus());
    QCOMPARE(catcher.urls.size(), query.isEmpty() ? 0 : 1);
    if (!query.isEmpty()) {
        QCOMPARE(catcher.urls.first().path(),
                 QStringLiteral("/cgi-bin/ws.exe/genmen/uls/freq_st_res.hts"));
        QCOMPARE(catcher.urls.first().query(QUrl::FullyEncoded), query);
    }
}

void TestTunerForm::noBrowserShowsTheAddress()
{
    UrlCatcher catcher;
    // A handler that cannot be called: the address is not opened.
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "absent");
    m_form = openForm();
    fillPanels(1, QStringLiteral("155.52"));
    click(m_form.get(), "direct_entry_fcc");
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(m_fx->messages.size(), 1);
    QVERIFY(m_fx->messages.first().endsWith(QStringLiteral("state=NY&freq=155.52")));
}

void TestTunerForm::tuningKeptAcrossRestarts()
{
    m_form = openForm(100);
    // Quotes, a "%" and line breaks in a list must not break its line of the file.
    const QString skip = QStringLiteral("\"ops\" 50%\n460.1");
    const QString scan = QStringLiteral("155.52 nfm\n\n119.1 am\n");
    const QList<std::pair<const char *, int>> lists = {
        {"direct_entry_mod", 1}, {"direct_entry_mod2", 3}, {"Vol_Combo", 7}, {"Sql_Combo", 2}};
    // m2 is edited and never saved.
    const QList<std::pair<const char *, QString>> fields = {
        {"direct_entry", "155.52"}, {"direct_entry2", "119.1"}, {"m2", "F,H 1,P"}};
    child<QPlainTextEdit>(m_form.get(), "Auto_Skip_List")->setPlainText(skip);
    child<QPlainTextEdit>(m_form.get(), "Quick_Scan_List")->setPlainText(scan);
    for (const auto &[name, index] : lists)
        child<QComboBox>(m_form.get(), name)->setCurrentIndex(index);
    for (const auto &[name, text] : fields)
        child<QLineEdit>(m_form.get(), name)->setText(text);
    m_form->close();
    m_form.reset();
    // The macro is saved without a question; the window's file keeps its ten lines.
    QVERIFY(m_fx->messages.isEmpty());
    QCOMPARE(m_fx->readFile(QStringLiteral("macro_settings.txt")),
             QByteArray("\"\"\r\n\"F,H 1,P\"\r\n\"\"\r\n"));
    QCOMPARE(m_fx->readFile(QStringLiteral("pgm_settings.txt")).count("\r\n"), 10);

    m_form = m_fx->makeForm();
    QCOMPARE(child<QPlainTextEdit>(m_form.get(), "Auto_Skip_List")->toPlainText(), skip);
    QCOMPARE(child<QPlainTextEdit>(m_form.get(), "Quick_Scan_List")->toPlainText(), scan);
    for (const auto &[name, index] : lists)
        QCOMPARE(child<QComboBox>(m_form.get(), name)->currentIndex(), index);
    for (const auto &[name, text] : fields)
        QCOMPARE(child<QLineEdit>(m_form.get(), name)->text(), text);
    // The skip list works without a new "Apply".
    QVERIFY(wireDuring(heardOn("04601000")).contains("KEY,>,P\r"));
    QVERIFY(m_form->hitLog().isEmpty());
}

void TestTunerForm::logMenu_data()
{
    QTest::addColumn<int>("row"); // of the hit, before the next hit pushes it down
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("skipList");    // after the action
    QTest::addColumn<Reception>("reception"); // then skipped
    QTest::newRow("frequency") << 1 << "Skip this frequency"
                               << "155.52\n460.1000" << heardOn("04601000");
    QTest::newRow("talkgroup") << 0 << "Skip this talkgroup"
                               << "155.52\n1234" << heardOn("08515625", "1234");
}

void TestTunerForm::logMenu()
{
    QFETCH(int, row);
    QFETCH(QString, action);
    QFETCH(QString, skipList);
    QFETCH(Reception, reception);
    m_form = openForm(100);
    child<QPlainTextEdit>(m_form.get(), "Auto_Skip_List")->setPlainText(QStringLiteral("155.52\n"));
    const QString date = QStringLiteral("\t12-07-2026\r\n");
    m_form->logHitLine("Marion / Fire\tDispatch\t 460.1000\tC67.0\t10:00:01\t10:00:05" + date);
    m_form->logHitLine("Metro / PD\tNorth\t 851.5625\t1234\t10:01:00\t10:01:09" + date);
    auto *grid = child<QTableView>(m_form.get(), "grdInfo");
    grid->selectRow(row);
    const QString hitStart = grid->model()->index(row, 5).data().toString();
    m_form->logHitLine("Metro / PD\tSouth\t 851.0125\t77\t10:02:00\t10:02:04" + date);
    // The hit moved down a row and stayed selected.
    QVERIFY(grid->selectionModel()->isRowSelected(row + 1));
    QCOMPARE(grid->model()->index(row + 1, 5).data().toString(), hitStart);

    const QPoint at = grid->visualRect(grid->model()->index(row + 1, 2)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &event);
    auto *menu = grid->findChild<QMenu *>(QStringLiteral("logMenu"));
    QVERIFY(menu);
    QHash<QString, QAction *> items;
    for (QAction *item : menu->actions())
        items.insert(item->text(), item);
    // A conventional hit's tone is no talkgroup.
    QCOMPARE(items.value("Skip this talkgroup")->isEnabled(), row == 0);
    QVERIFY(items.value(action)->isEnabled());
    items.value(action)->trigger();
    QCOMPARE(child<QPlainTextEdit>(m_form.get(), "Auto_Skip_List")->toPlainText(), skipList);
    QVERIFY(wireDuring(reception).contains("KEY,>,P\r"));
    QCOMPARE(m_form->hitLog().lineCount(), 3);
}

QTEST_MAIN(TestTunerForm)
#include "tst_tuner_form.moc"
