// The extended info of a hit on a real window: the simulated radio plays a
// conventional or a trunked hit, with the hit's picture and notes in the
// data folder or not, and the "Extended Info" tab shows what it should.
#include "support/radiofixture.h"

#include "intel/extendedpicture.h"

#include <QApplication>
#include <QBuffer>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

namespace {

constexpr int pollIntervalMs = 50;
constexpr int hitTimeoutMs = 15000;
const QRgb ownColour = qRgb(0x11, 0x88, 0x33);
const QRgb standByColour = qRgb(0x99, 0x22, 0x44);

// A one-colour picture saved as PNG bytes, whatever the file is called.
QByteArray picture(QRgb colour)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

Reception reception(bool trunked)
{
    Reception r;
    r.kind = trunked ? Reception::Kind::Trunked : Reception::Kind::Conventional;
    r.system = trunked ? "County P25" : "Marion County";
    r.group = "Police";
    r.channel = "Dispatch";
    r.frequency = trunked ? "08515625" : "01542500";
    r.talkgroup = "12/34";
    r.activeTicks = 4;
    r.gapTicks = 2;
    return r;
}

QImage shownPicture(Form1 *form)
{
    return child<QLabel>(form, "extended_photo")
        ->pixmap()
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestExtendedInfoForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsTheHitsPictureAndNotes_data()
    {
        QTest::addColumn<bool>("trunked");
        QTest::addColumn<QString>("files"); // "own", "stand-by" or "none"
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("key");
        for (const char *files : {"own", "stand-by", "none"}) {
            QTest::addRow("conventional, %s", files)
                << false << QString::fromLatin1(files) << QStringLiteral(" 154.2500 Extended Info")
                << QStringLiteral("154_2500");
            QTest::addRow("trunked, %s", files) << true << QString::fromLatin1(files)
                                                << QStringLiteral("County P25 12/34 Extended Info")
                                                << QStringLiteral("County-P25_12-34");
        }
        QTest::addRow("conventional, notes too large")
            << false << QStringLiteral("too large") << QStringLiteral(" 154.2500 Extended Info")
            << QStringLiteral("154_2500");
    }

    void showsTheHitsPictureAndNotes()
    {
        QFETCH(bool, trunked);
        QFETCH(QString, files);
        QFETCH(QString, caption);
        QFETCH(QString, key);
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, pollIntervalMs));
        // Notes in UTF-8 for one kind, in Latin-1 for the other.
        const QByteArray notes = trunked ? QByteArray("Caf\xe9 talkgroup\r\nline 2")
                                         : QByteArray("Station 5 \xc2\xb7 caf\xc3\xa9");
        if (files == QLatin1String("own")) {
            f.writeFile(key + QStringLiteral(".gif"), picture(ownColour));
            f.writeFile(key + QStringLiteral(".txt"), notes);
        }
        if (files == QLatin1String("too large"))
            f.writeFile(key + QStringLiteral(".txt"), QByteArray(4 * 1024 * 1024 + 1, 'x'));
        else if (files != QLatin1String("none"))
            f.writeFile(QStringLiteral("extended_not_avilable.gif"), picture(standByColour));
        f.radio().radio().queueReception(reception(trunked));

        auto form = f.makeForm();
        auto *frame = child<QGroupBox>(form.get(), "extended_info_frame");
        auto *text = child<QPlainTextEdit>(form.get(), "extended_text");
        text->setPlainText(QStringLiteral("the notes of the hit before"));
        QCOMPARE(frame->title(), QStringLiteral("Extended Info"));
        QTRY_COMPARE_WITH_TIMEOUT(frame->title(), caption, hitTimeoutMs);

        const QImage shown = shownPicture(form.get());
        if (files == QLatin1String("own")) {
            QCOMPARE(shown.pixel(5, 5), ownColour);
            QCOMPARE(text->toPlainText(), trunked ? QStringLiteral("Caf\u00e9 talkgroup\nline 2")
                                                  : QStringLiteral("Station 5 \u00b7 caf\u00e9"));
        } else if (files == QLatin1String("too large")) {
            QVERIFY2(text->toPlainText().contains(key + QStringLiteral(".txt")) &&
                         text->toPlainText().contains(QStringLiteral("4 MB")),
                     qPrintable(text->toPlainText()));
        } else {
            if (files == QLatin1String("stand-by"))
                QCOMPARE(shown.pixel(5, 5), standByColour);
            else
                QCOMPARE(shown, builtInStandByPicture().convertToFormat(QImage::Format_RGB32));
            QCOMPARE(text->toPlainText(), QStringLiteral("Not Avilable"));
        }

        // A trunked hit keeps the cleaned talkgroup, and logs it.
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 1, hitTimeoutMs);
        QCOMPARE(form->hitLog().text().split(u'\t').at(3),
                 trunked ? QStringLiteral("12-34") : QString());
    }

    void clickingIntoTheNotesLooksUpTheLastFrequency()
    {
        RadioFixture f;
        f.writeFile(QStringLiteral("com_settings.txt"), runningComSettings(1, pollIntervalMs));
        f.radio().radio().queueReception(reception(true));
        auto form = f.makeForm();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        child<QTabWidget>(form.get(), "SSTab1")->setCurrentIndex(1);
        QTRY_COMPARE_WITH_TIMEOUT(form->hitLog().lineCount(), 1, hitTimeoutMs);
        QTRY_VERIFY(!form->hits().state().hit_frequency.isEmpty());
        form->RunStop();

        // Between hits the lookup is the conventional one for the frequency
        // last shown, and the focus goes back to the logo.
        const QString frequency = form->hits().state().hit_frequency;
        QString key = frequency;
        key.replace(u'.', u'_').remove(u' ');
        f.writeFile(key + QStringLiteral(".txt"), "voice channel");
        auto *text = child<QPlainTextEdit>(form.get(), "extended_text");
        text->setFocus(Qt::MouseFocusReason);
        QCOMPARE(child<QGroupBox>(form.get(), "extended_info_frame")->title(),
                 frequency + QStringLiteral(" Extended Info"));
        QCOMPARE(text->toPlainText(), QStringLiteral("voice channel"));
        QTRY_COMPARE(QApplication::focusWidget(), child<QWidget>(form.get(), "Picture1"));
    }
};

QTEST_MAIN(TestExtendedInfoForm)
#include "tst_extendedinfo_form.moc"
