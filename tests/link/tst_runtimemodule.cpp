#include "link/runtimemodule.h"
#include "poll/mediasystem.h"
#include "web/webremote.h"

#include <QFileInfo>
#include <QTest>

// The run-time modules as the program finds them beside its folder, and
// what the user is told when one cannot be used: missing, or left from
// another build without the entry point the program asks for.
class TestRuntimeModule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entryIsFoundOrTheReasonGiven_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("entryName");
        QTest::addColumn<bool>("found");

        QTest::newRow("the sound module")
            << QStringLiteral("libtollvane-media.so") << QByteArray(mediaSystemEntry) << true;
        QTest::newRow("the web remote")
            << QStringLiteral("libtollvane-web.so") << QByteArray(webRemoteEntry) << true;
        QTest::newRow("no such file")
            << QStringLiteral("libtollvane-none.so") << QByteArray(mediaSystemEntry) << false;
        QTest::newRow("a module without that entry point")
            << QStringLiteral("libtollvane-web.so") << QByteArray(mediaSystemEntry) << false;
    }

    void entryIsFoundOrTheReasonGiven()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, entryName);
        QFETCH(bool, found);

        const QString path = runtimeModulePath(fileName);
        QString error;
        void *entry =
            runtimeModuleEntry(path, entryName.constData(), QStringLiteral("The module"), &error);
        QCOMPARE(entry != nullptr, found);
        if (found) {
            QVERIFY2(error.isEmpty(), qPrintable(error));
            return;
        }
        // The reason names what was missing, the file or the entry point.
        const QString lead = QStringLiteral("The module could not be loaded: ");
        QVERIFY2(error.startsWith(lead) && error.size() > lead.size(), qPrintable(error));
        const bool fileThere = QFileInfo::exists(path);
        QVERIFY2(error.contains(fileThere ? QString::fromLatin1(entryName) : fileName),
                 qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestRuntimeModule)
#include "tst_runtimemodule.moc"
