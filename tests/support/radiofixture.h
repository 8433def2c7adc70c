#pragma once

#include "app/form1.h"
#include "link/clock.h"
#include "sim/ptyradio.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>

// One test's world: a data folder of its own, a simulated radio on a
// pseudo-terminal reached through a link (as /dev/serial/by-id/... links
// reach a real radio, so the same COM port finds the radio again after it
// was unplugged and plugged back in), a fixed clock, and the messages the
// program showed.
class RadioFixture
{
public:
    RadioFixture();

    QString dataDir() const { return m_dataDir.path(); }
    QString portLink() const { return m_dataDir.filePath(QStringLiteral("radio-link")); }
    PtyRadio &radio() { return *m_radio; }

    // A fresh pseudo-terminal behind the same link, after radio().unplug().
    bool plugBackIn();

    // Every byte the radio got, up to a marker command sent once the keys
    // are quiet: what the keys sent, and proof that nothing more is coming.
    QByteArray wireUpToMarker(Form1 &form);
    static constexpr QByteArrayView marker = "MDL";

    void writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;

    // Port 1 is the radio; the given extra devices follow it.
    std::unique_ptr<Form1> makeForm(const QStringList &portsBefore = {},
                                    const QStringList &portsAfter = {});

    FixedClock clock;
    QStringList messages;
    // The yes/no questions asked, and the answer given to each (No, as the
    // question's default).
    QStringList questions;
    bool answer = false;
    // Runs while a message is shown, as the program runs on under a message
    // box that waits for the user.
    std::function<void()> whileMessageOpen;
    QString folderToChoose;
    // What the form is told the system's serial devices are, asked anew each
    // time it builds its port list.
    QStringList systemPorts;
    // The form's data folder when set (a small disk), else dataDir().
    QString dataFolder;
    // The sound module's file when set, else where the program finds it.
    QString soundModule;
    // The web remote module's file when set, else where the program finds it.
    QString webModule;
    // The web remote started on this port (0: any free one), as --web does.
    std::optional<quint16> webPort;

private:
    QTemporaryDir m_dataDir;
    std::unique_ptr<PtyRadio> m_radio;
};

// The whole file, or nothing when it cannot be read.
QByteArray readWholeFile(const QString &path);

// The COM settings that make a form start running at once on port N
// (1-based) at 115200 with the given poll interval.
QByteArray runningComSettings(int port = 1, int interval = 100);

// The combo box, button... with that object name inside the form.
template <typename T> T *child(QWidget *form, const char *name)
{
    return form->findChild<T *>(QLatin1String(name));
}
