// The "Tuner" tab on the real window, down to the bytes the simulated radio
// receives: direct entry, the quick scan, the auto skip list and the licence
// lookup.
#include "support/radiofixture.h"

#include "link/widgets/keybutton.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QUrlQuery>

namespace {

// A poll interval long enough that no tick comes during a test: the wire
// then carries only what the tab sends.
constexpr int quietInterval = 60000;
constexpr int pollInterval = 100;

const QByteArray entry0 = "QSH,01555200,0,NFM,0,.,.,.,.,.";
const QByteArray entry1 = "QSH,04601000,0,FM,0,.,.,.,.,.";

// Takes the addresses the window asks the desktop to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

Reception conventionalOn(const QByteArray &frequency)
{
    Reception r;
    r.system = "Marion County";
    r.group = "Sheriff";
    r.channel = "SO Dispatch";
    r.frequency = frequency;
    r.tone = "67";
    r.gapTicks = 1;
    r.activeTicks = 20;
    return r;
}

Reception talkgroup1234()
{
    Reception r = conventionalOn("08515625");
    r.kind = Reception::Kind::Trunked;
    r.system = "Metro Regional";
    r.group = "Police";
    r.channel = "PD North Disp";
    r.talkgroup = "1234";
    r.tone = "0";
    return r;
}

void click(QWidget *form, const char *name)
{
    auto *button = child<QPushButton>(form, name);
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// The QSH lines the radio got, each with the Timer4 tick it came in.
struct QshLog
{
    QList<QByteArray> lines;
    QList<int> ticks;
};

} // namespace

class TestTunerForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tune_data();
    void tune();
    void tuneWithPortClosedSaysSo();
    void typingFieldsKeepKeys_data();
    void typingFieldsKeepKeys();
    void quickScanWrapsAndStopsOnScanKey();
    void quickScanWaitsForTheHit();
    void skipList_data();
    void skipList();
    void fccLookup_data();
    void fccLookup();

private:
    std::unique_ptr<Form1> openForm(RadioFixture &fx, int interval);
    // Counts Timer4's ticks and notes each QSH with the tick it came in.
    void watchQuickScan(Form1 &form, RadioFixture &fx, int &ticks, QshLog &log);
};

std::unique_ptr<Form1> TestTunerForm::openForm(RadioFixture &fx, int interval)
{
    fx.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, interval));
    auto form = fx.makeForm();
    form->show();
    form->activateWindow();
    // The focus checks wait on their own; an inactive window shows up there.
    static_cast<void>(QTest::qWaitForWindowActive(form.get()));
    child<QTabWidget>(form.get(), "SSTab1")->setCurrentIndex(2);
    return form;
}

void TestTunerForm::watchQuickScan(Form1 &form, RadioFixture &fx, int &ticks, QshLog &log)
{
    connect(child<QTimer>(&form, "Timer4"), &QTimer::timeout, &form, [&ticks] { ++ticks; });
    connect(&fx.radio(), &PtyRadio::commandReceived, &form, [&ticks, &log](const QByteArray &line) {
        if (line.startsWith("QSH")) {
            log.lines.append(line);
            log.ticks.append(ticks);
        }
    });
}

void TestTunerForm::tune_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("modulation");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("first panel") << 1 << "155.52" << 1 << QByteArray(entry0 + '\r');
    QTest::newRow("second panel") << 2 << "119.1" << 3
                                  << QByteArray("QSH,01191000,0,AM,0,.,.,.,.,.\r");
    QTest::newRow("first panel, no point") << 1 << "155" << 0 << QByteArray();
    QTest::newRow("second panel, no point") << 2 << "460" << 0 << QByteArray();
}

void TestTunerForm::tune()
{
    QFETCH(int, panel);
    QFETCH(QString, typed);
    QFETCH(int, modulation);
    QFETCH(QByteArray, wire);
    RadioFixture fx;
    auto form = openForm(fx, quietInterval);
    QVERIFY(form->isRunning());
    const QByteArray own = panel == 1 ? "" : "2";
    const QByteArray other = panel == 1 ? "2" : "";
    child<QLineEdit>(form.get(), "direct_entry" + own)->setText(typed);
    child<QComboBox>(form.get(), "direct_entry_mod" + own)->setCurrentIndex(modulation);
    // The other panel holds a frequency of its own that must not be sent.
    child<QLineEdit>(form.get(), "direct_entry" + other)->setText(QStringLiteral("851.0125"));
    child<QComboBox>(form.get(), "direct_entry_mod" + other)->setCurrentIndex(2);
    fx.radio().clearReceived();

    click(form.get(), "key_tune_direct" + own);
    QCOMPARE(fx.wireUpToMarker(*form), wire);
    QTRY_VERIFY(child<QWidget>(form.get(), "Picture1")->hasFocus());
    if (!wire.isEmpty())
        QCOMPARE(fx.radio().radio().frequency(), wire.mid(4, 8));
}

void TestTunerForm::tuneWithPortClosedSaysSo()
{
    RadioFixture fx;
    auto form = openForm(fx, quietInterval);
    form->RunStop();
    QVERIFY(!form->isRunning());
    child<QLineEdit>(form.get(), "direct_entry")->setText(QStringLiteral("155.52"));
    click(form.get(), "key_tune_direct");
    QCOMPARE(child<QLineEdit>(form.get(), "Text3")->text(),
             QStringLiteral("Not tuned: port closed"));
    QVERIFY(fx.messages.isEmpty());
    form->RunStop();
    QVERIFY(form->isRunning());
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray());
}

void TestTunerForm::typingFieldsKeepKeys_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("button"); // the tuning action that ends the typing
    QTest::addColumn<bool>("list");
    QTest::newRow("direct_entry") << QByteArray("direct_entry") << QByteArray("key_tune_direct")
                                  << false;
    QTest::newRow("direct_entry2")
        << QByteArray("direct_entry2") << QByteArray("direct_entry_fcc2") << false;
    QTest::newRow("Quick_Scan_List")
        << QByteArray("Quick_Scan_List") << QByteArray("key_start_quck_scan") << true;
    QTest::newRow("Auto_Skip_List")
        << QByteArray("Auto_Skip_List") << QByteArray("key_auto_skip_list_apply") << true;
}

void TestTunerForm::typingFieldsKeepKeys()
{
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, button);
    QFETCH(bool, list);
    RadioFixture fx;
    auto form = openForm(fx, quietInterval);
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    auto *box = child<QWidget>(form.get(), field.constData());
    auto *logo = child<QWidget>(form.get(), "Picture1");
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    QVERIFY(form->text_entry_focus);
    fx.radio().clearReceived();

    QTest::keyClicks(box, QStringLiteral("S5 hq"));
    QTest::keyClick(box, Qt::Key_Return);
    // Enter makes a new line in a list and leaves a one-line field; it is
    // never the radio's push key.
    QCOMPARE(box->hasFocus(), list);
    QCOMPARE(form->text_entry_focus, list);
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray());
    if (list) {
        QCOMPARE(static_cast<QPlainTextEdit *>(box)->toPlainText(), QStringLiteral("S5 hq\n"));
        click(form.get(), button.constData());
    } else {
        QCOMPARE(static_cast<QLineEdit *>(box)->text(), QStringLiteral("S5 hq"));
    }
    QTRY_VERIFY(logo->hasFocus());
    QVERIFY(!form->text_entry_focus);
    fx.radio().clearReceived();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);
    QCOMPARE(fx.wireUpToMarker(*form), QByteArray("KEY,5,P\r"));
}

void TestTunerForm::quickScanWrapsAndStopsOnScanKey()
{
    RadioFixture fx;
    auto form = openForm(fx, pollInterval);
    int ticks = 0;
    QshLog log;
    watchQuickScan(*form, fx, ticks, log);
    child<QPlainTextEdit>(form.get(), "Quick_Scan_List")
        ->setPlainText(QStringLiteral("155.52 nfm\n460.1\n"));
    auto *start = child<QPushButton>(form.get(), "key_start_quck_scan");
    QCOMPARE(start->text(), QStringLiteral("Start Quick Scan"));
    click(form.get(), "key_start_quck_scan");
    QCOMPARE(start->text(), QStringLiteral("Stop Quick Scan"));

    QTRY_VERIFY_WITH_TIMEOUT(log.lines.size() >= 3, 15000);
    QCOMPARE(log.lines.mid(0, 3), QList<QByteArray>({entry0, entry1, entry0}));
    // One step a tick, and one silent tick at the wrap.
    QCOMPARE(log.ticks.at(1) - log.ticks.at(0), 1);
    QCOMPARE(log.ticks.at(2) - log.ticks.at(1), 2);
    QTRY_COMPARE(fx.radio().radio().frequency(), QByteArray("01555200"));

    KeyButton *scanKey = child<KeyButton>(form.get(), "key_scan");
    QTest::mouseClick(scanKey, Qt::LeftButton, {}, scanKey->rect().center());
    QCOMPARE(start->text(), QStringLiteral("Start Quick Scan"));
    QVERIFY(!form->quick_scan_running);
    const qsizetype sent = log.lines.size();
    const int stoppedAt = ticks;
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= stoppedAt + 2, 10000);
    QCOMPARE(log.lines.size(), sent);
    QVERIFY(!fx.radio().radio().isHolding());
}

void TestTunerForm::quickScanWaitsForTheHit()
{
    RadioFixture fx;
    auto form = openForm(fx, pollInterval);
    int ticks = 0;
    QshLog log;
    watchQuickScan(*form, fx, ticks, log);
    child<QPlainTextEdit>(form.get(), "Quick_Scan_List")
        ->setPlainText(QStringLiteral("155.52 nfm\r\n460.1\r\n"));
    // A reception on the second frequency, heard once the scan tunes there.
    Reception reception = conventionalOn("04601000");
    reception.gapTicks = 0;
    reception.activeTicks = 30;
    fx.radio().radio().queueReception(reception, false);
    click(form.get(), "key_start_quck_scan");

    QTRY_VERIFY_WITH_TIMEOUT(form->hits().state().hit_active, 15000);
    QCOMPARE(log.lines, QList<QByteArray>({entry0, entry1}));
    const int hitSeenAt = ticks;
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= hitSeenAt + 2 || !form->hits().state().hit_active, 15000);
    QCOMPARE(log.lines.size(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(log.lines.size() >= 3, 20000);
    QCOMPARE(log.lines.at(2), entry0);
    // The scan let the reception play to its end, and the log has it.
    QCOMPARE(fx.radio().radio().groundTruth().size(), 1);
    QCOMPARE(fx.radio().radio().groundTruth().at(0).activeTicks, 30);
    QCOMPARE(form->hitLog().lineCount(), 1);
    QVERIFY(form->hitLog().text().startsWith(QStringLiteral("Marion County / Sheriff\t")));
}

void TestTunerForm::skipList_data()
{
    QTest::addColumn<QStringList>("applied"); // one Apply after another
    QTest::addColumn<Reception>("reception");
    QTest::addColumn<bool>("skipped");
    QTest::newRow("frequency") << QStringList{"460.1"} << conventionalOn("04601000") << true;
    QTest::newRow("talkgroup") << QStringList{"155.52\n1234"} << talkgroup1234() << true;
    QTest::newRow("modulation word left in")
        << QStringList{"155.52 nfm"} << conventionalOn("01555200") << false;
    QTest::newRow("a shorter second Apply")
        << QStringList{"155.52\n1234", "460.1"} << talkgroup1234() << false;
    QTest::newRow("an empty Apply")
        << QStringList{"460.1", ""} << conventionalOn("04601000") << false;
}

void TestTunerForm::skipList()
{
    QFETCH(QStringList, applied);
    QFETCH(Reception, reception);
    QFETCH(bool, skipped);
    RadioFixture fx;
    auto form = openForm(fx, pollInterval);
    auto *list = child<QPlainTextEdit>(form.get(), "Auto_Skip_List");
    for (const QString &text : std::as_const(applied)) {
        list->setPlainText(text);
        click(form.get(), "key_auto_skip_list_apply");
    }
    QCOMPARE(fx.messages, QStringList(applied.size(), QStringLiteral("Skip List Set")));
    QTRY_VERIFY(child<QWidget>(form.get(), "Picture1")->hasFocus());
    fx.radio().clearReceived();

    fx.radio().radio().queueReception(reception);
    QTRY_VERIFY_WITH_TIMEOUT(fx.radio().radio().groundTruth().size() == 1, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!form->hits().state().hit_active, 10000);
    const QByteArray wire = fx.wireUpToMarker(*form);
    QCOMPARE(wire.contains("KEY,>,P\r"), skipped);
    QCOMPARE(form->hitLog().isEmpty(), skipped);
    QCOMPARE(fx.radio().radio().groundTruth().at(0).activeTicks < reception.activeTicks, skipped);
    QCOMPARE(child<QLabel>(form.get(), "debug_box2")->text().isEmpty(), applied.last().isEmpty());
}

void TestTunerForm::fccLookup_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("state"); // -1: the start-up choice
    QTest::addColumn<QString>("query");
    QTest::newRow("first panel, CA")
        << 1 << "155.52" << 5 << "db_id=19&rows=0&state=CA&freq=155.52";
    QTest::newRow("second panel, start-up state")
        << 2 << "460.1" << -1 << "db_id=19&rows=0&state=NY&freq=460.1";
    QTest::newRow("ampersand kept inside freq")
        << 1 << "155.52&rows=9" << 55 << "db_id=19&rows=0&state=WY&freq=155.52%26rows%3D9";
    QTest::newRow("no point opens nothing") << 2 << "155" << 5 << "";
}

void TestTunerForm::fccLookup()
{
    QFETCH(int, panel);
    QFETCH(QString, typed);
    QFETCH(int, state);
    QFETCH(QString, query);
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    RadioFixture fx;
    auto form = openForm(fx, quietInterval);
    const QByteArray own = panel == 1 ? "" : "2";
    const QByteArray other = panel == 1 ? "2" : "";
    child<QLineEdit>(form.get(), "direct_entry" + own)->setText(typed);
    if (state >= 0)
        child<QComboBox>(form.get(), "direct_entry_state" + own)->setCurrentIndex(state);
    child<QLineEdit>(form.get(), "direct_entry" + other)->setText(QStringLiteral("851.0125"));
    child<QComboBox>(form.get(), "direct_entry_state" + other)->setCurrentIndex(0);

    click(form.get(), "direct_entry_fcc" + own);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QTRY_VERIFY(child<QWidget>(form.get(), "Picture1")->hasFocus());
    if (query.isEmpty()) {
        QVERIFY(catcher.urls.isEmpty());
        return;
    }
    QCOMPARE(catcher.urls.size(), 1);
    const QUrl url = catcher.urls.first();
    QCOMPARE(url.path(), QStringLiteral("/cgi-bin/ws.exe/genmen/uls/freq_st_res.hts"));
    QCOMPARE(url.query(QUrl::FullyEncoded), query);
    QCOMPARE(QUrlQuery(url).queryItemValue(QStringLiteral("freq"), QUrl::FullyDecoded), typed);
    QVERIFY(fx.messages.isEmpty());
}

QTEST_MAIN(TestTunerForm)
#include "tst_tuner_form.moc"
