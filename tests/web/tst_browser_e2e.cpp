// The web remote in a real browser: headless Chromium logs in to the
// window's server, shows the simulated radio's screen, presses its keys,
// plays a hit's recording and listens; and the Settings tab's frame.
#include "link/keyoperations.h"
#include "link/keypadlayout.h"
#include "poll/listencapture.h"
#include "poll/mediasystem.h"
#include "support/cdpbrowser.h"
#include "support/radiofixture.h"
#include "support/soundserver.h"
#include "web/server/qrcode.h"
#include "web/webpassword.h"
#include "web/webremotesettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTcpServer>
#include <QTest>
#include <QtEndian>

#include <algorithm>

namespace {

const QString password = QStringLiteral("radio room");

Reception longHit()
{
    Reception reception;
    reception.system = "Marion County";
    reception.group = "Fire Dispatch";
    reception.channel = "Engine 5";
    reception.frequency = "01540700";
    reception.tone = "67";
    reception.activeTicks = 60; // three seconds at a 50 ms poll
    reception.gapTicks = 3;
    return reception;
}

QStringList pageLines(CdpBrowser &browser)
{
    return browser
        .evaluate(QStringLiteral(
            "[1,2,3,4,5,6].map(i => document.getElementById('line' + i).textContent)"))
        .toVariant()
        .toStringList();
}

QString click(const QString &selector)
{
    return QStringLiteral("document.querySelector('%1').click(); true").arg(selector);
}

} // namespace

class TestBrowser : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pageDrivesTheRadio()
    {
        if (CdpBrowser::program().isEmpty())
            QSKIP("Chromium is not installed (scripts/setup-deps installs it)");
        // Its own server: the recording tests beside it capture from the
        // shared one, and two captures starting there at once have hung in
        // Qt's PulseAudio backend.
        SoundServer sound(SoundServer::Sharing::Own);
        QVERIFY2(sound.isUp(), qPrintable(sound.errorText()));
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, 50));
        f.writeFile(QStringLiteral("pgm_settings.txt"), "0\r\n1\r\n0\r\n"); // "Record Audio"
        f.writeFile(QStringLiteral("audio_settings.txt"), '"' + sound.inputId() + "\"\r\n");
        f.writeFile(QStringLiteral("web_remote.txt"),
                    writeWebRemoteSettings({true, 8396, true, hashPassword(password)}));
        f.webPort = 0;
        auto form = f.makeForm();
        form->show();
        QVERIFY(form->webRemote()->isListening());
        const quint16 port = form->webRemote()->port();

        CdpBrowser browser;
        QVERIFY2(browser.start(), qPrintable(browser.errorText()));
        // Other computers are allowed: the page asks for the password first.
        QVERIFY(browser.navigate(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port))));
        QVERIFY(browser.evaluate(QStringLiteral("!!document.getElementById('password')")).toBool());
        browser.evaluate(QStringLiteral("document.getElementById('password').value = '%1';"
                                        "document.forms[0].submit(); true")
                             .arg(password));
        QTRY_VERIFY_WITH_TIMEOUT(
            browser.evaluate(QStringLiteral("document.getElementById('link').textContent"))
                    .toString() == QLatin1String("Connected"),
            10000);

        // The page's keys are the window's, with their captions.
        QStringList windowKeys;
        for (const KeyPlacement &key : fullKeypadLayout())
            windowKeys.append(key.name + u' ' + key.label + key.subLabel);
        const QStringList pageKeys =
            browser
                .evaluate(QStringLiteral("[...document.querySelectorAll('#keypad button')].map("
                                         "b => b.dataset.key + ' ' + b.textContent)"))
                .toVariant()
                .toStringList();
        QCOMPARE(pageKeys, windowKeys);

        // The hit comes only now: it lasts three seconds, and a browser slow
        // to start (a loaded machine) would find it over.
        f.radio().radio().queueReception(longHit());
        // The hit on the window's screen reaches the page within a second.
        auto *text1 = child<QLabel>(form.get(), "Text1");
        QTRY_VERIFY_WITH_TIMEOUT(text1->text().contains(QLatin1String("Engine 5")), 20000);
        QVERIFY(form->recording_active());
        QVERIFY(sound.feed(sineTone(1000, 300)));
        auto windowLines = [&] {
            return QStringList{child<QLabel>(form.get(), "sigdisplay")->text()} +
                   text1->text().split(u'\n').mid(0, 2);
        };
        QTRY_COMPARE_WITH_TIMEOUT(pageLines(browser).mid(0, 3), windowLines(), 1000);
        QVERIFY(pageLines(browser).join(u'\n').contains(QLatin1String("Engine 5")));

        // A key on the page sends what the window's key sends.
        QTRY_VERIFY_WITH_TIMEOUT(!form->recording_active(), 20000);
        f.radio().clearReceived();
        QVERIFY(browser.evaluate(click(QStringLiteral("[data-key=key_3]"))).toBool());
        const QByteArray sent = keyOperation(QStringLiteral("key_3")).constFirst().command;
        QTRY_VERIFY(std::ranges::any_of(
            f.radio().received(), [&](const PtyRadio::Received &r) { return r.line == sent; }));
        // The volume box sets the radio's volume, and the window's box.
        browser.evaluate(
            QStringLiteral("const v = document.getElementById('volume');"
                           "v.value = '7'; v.dispatchEvent(new Event('change')); true"));
        QTRY_COMPARE(f.radio().radio().volume(), 7);
        QCOMPARE(child<QComboBox>(form.get(), "Vol_Combo")->currentIndex(), 7);

        // The hit's recording, read again from the database, plays.
        QTRY_VERIFY_WITH_TIMEOUT(
            browser.evaluate(QStringLiteral("!!document.querySelector('#hitrows button.play')"))
                .toBool(),
            10000);
        browser.evaluate(click(QStringLiteral("#hitrows button.play")));
        QTRY_VERIFY_WITH_TIMEOUT(
            browser.evaluate(QStringLiteral("document.getElementById('player').duration"))
                    .toDouble() > 0,
            10000);

        // Listen: the input's samples arrive at the page while it listens.
        browser.evaluate(click(QStringLiteral("#listen")));
        QTRY_COMPARE(form->webRemote()->listenerCount(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(
            sound.feed(sineTone(1000, 200)) &&
                browser.evaluate(QStringLiteral("window.tollvane.listen.bytes")).toDouble() > 0,
            10000);
        browser.evaluate(click(QStringLiteral("#listen")));
        QTRY_COMPARE(form->webRemote()->listenerCount(), 0);
    }

    // Other computers wait for a password; the choices are kept.
    void otherComputersNeedAPassword()
    {
        RadioFixture f;
        f.webPort = 0;
        auto form = f.makeForm();
        auto *allow = child<QCheckBox>(form.get(), "web_allow_others");
        allow->click();
        QVERIFY(!allow->isChecked());
        QVERIFY(child<QLineEdit>(form.get(), "Text3")->text().contains(QLatin1String("password")));
        auto *field = child<QLineEdit>(form.get(), "web_password");
        field->setText(password);
        Q_EMIT field->editingFinished();
        QVERIFY(field->text().isEmpty());
        allow->click();
        QVERIFY(allow->isChecked());
        const WebRemoteSettings kept = readWebRemoteSettings(f.readFile("web_remote.txt"));
        QVERIFY(kept.enabled && kept.allowOthers);
        QVERIFY(passwordMatches(password, kept.passwordHash));
        QVERIFY(form->webRemote()->isListening());
        const QString address = form->webRemote()->addresses().constFirst();
        QVERIFY(child<QLabel>(form.get(), "web_address")->text().contains(address));
        QVERIFY(!child<QLabel>(form.get(), "web_qr")->pixmap().isNull());
        child<QCheckBox>(form.get(), "web_remote_on")->click();
        QVERIFY(!form->webRemote()->isListening());
    }

    // A port in use: the frame is left off and the status line says why.
    void aPortInUseIsTold()
    {
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::LocalHost));
        RadioFixture f;
        f.webPort = taken.serverPort();
        auto form = f.makeForm();
        QVERIFY(!form->webRemote()->isListening());
        QVERIFY(!child<QCheckBox>(form.get(), "web_remote_on")->isChecked());
        QTRY_VERIFY(child<QLineEdit>(form.get(), "Text3")
                        ->text()
                        .contains(QString::number(taken.serverPort())));
    }

    // The module is loaded when the web remote is first turned on; without
    // it the frame says why and the box stays off.
    void theModuleIsLoadedWhenTurnedOn()
    {
        RadioFixture f;
        auto form = f.makeForm();
        QVERIFY(!form->webRemote());
        child<QSpinBox>(form.get(), "web_port")->setValue(0);
        child<QCheckBox>(form.get(), "web_remote_on")->click();
        QVERIFY(form->webRemote() && form->webRemote()->isListening());

        RadioFixture missing;
        missing.webModule = missing.dataDir() + QStringLiteral("/no-such-module.so");
        missing.webPort = 0;
        form = missing.makeForm();
        QVERIFY(!form->webRemote());
        QVERIFY(!child<QCheckBox>(form.get(), "web_remote_on")->isChecked());
        QVERIFY(child<QLabel>(form.get(), "web_address")
                    ->text()
                    .startsWith(QStringLiteral("The web remote could not be loaded")));

        // A library without the web remote's entry point (a module left from
        // another build) is named as such, not as an unknown error.
        RadioFixture stale;
        stale.webModule = mediaModulePath();
        stale.webPort = 0;
        form = stale.makeForm();
        QVERIFY(!form->webRemote());
        const QString told = child<QLabel>(form.get(), "web_address")->text();
        QVERIFY2(told.contains(QStringLiteral("has no entry point tollvane_web_remote")),
                 qPrintable(told));
    }

    // A QR code: the three finder squares in its corners, in the quiet zone.
    void qrCodeHasItsFinderSquares()
    {
        const QImage code = qrCodeImage(QStringLiteral("http://192.168.1.20:8396/"), 1);
        QVERIFY(!code.isNull());
        const int side = code.width();
        auto dark = [&](int x, int y) { return qGray(code.pixel(x, y)) < 128; };
        for (const QPoint corner : {QPoint(4, 4), QPoint(side - 11, 4), QPoint(4, side - 11)}) {
            QVERIFY(dark(corner.x(), corner.y()) && dark(corner.x() + 6, corner.y() + 6));
            QVERIFY(!dark(corner.x() + 1, corner.y() + 1) && dark(corner.x() + 3, corner.y() + 3));
        }
        QVERIFY(!dark(0, 0) && !dark(3, side - 1));
        QVERIFY(qrCodeImage(QString()).isNull());
    }

    // Listen's samples at 22050 Hz: a ramp at 44100 Hz keeps its slope,
    // across a block that ends between two output samples.
    void listenSamplesAreResampled()
    {
        QByteArray ramp;
        for (int i = 0; i < 200; ++i) {
            const qint16 le = qToLittleEndian(qint16(i * 10));
            ramp.append(reinterpret_cast<const char *>(&le), 2);
        }
        double position = 0;
        qint16 last = 0;
        const QByteArray first = resampleLinear(ramp.left(202), 44100, 22050, position, last);
        const QByteArray second = resampleLinear(ramp.mid(202), 44100, 22050, position, last);
        const QByteArray out = first + second;
        QCOMPARE(out.size(), 200);
        for (int i = 0; i < 100; ++i)
            QCOMPARE(qFromLittleEndian<qint16>(out.constData() + 2 * i), qint16(i * 20));
    }
};

QTEST_MAIN(TestBrowser)
#include "tst_browser_e2e.moc"
