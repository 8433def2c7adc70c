#include "app/form1.h"

#include "window/widgets/wheelsupport.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

Form1::Form1(Form1Options options, QWidget *parent)
    : QWidget(parent), m_options(std::move(options)),
      m_clock(m_options.clock ? m_options.clock : &m_systemClock),
      m_sequencer([this](const QByteArray &command) { SendCommand(command); })
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tollvane"));
    if (!m_options.showMessage) {
        m_options.showMessage = [this](const QString &text) {
            // Only what went wrong still comes in a box. Selectable, so that
            // an address or a path in it can be copied.
            QMessageBox box(QMessageBox::Warning, QStringLiteral("Tollvane"), text, QMessageBox::Ok,
                            this);
            box.setTextInteractionFlags(Qt::TextSelectableByMouse);
            box.exec();
        };
    }
    if (!m_options.chooseFolder) {
        m_options.chooseFolder = [this](const QString &startIn) {
            return QFileDialog::getExistingDirectory(this, QStringLiteral("Log Directory"), startIn,
                                                     QFileDialog::ShowDirsOnly);
        };
    }
    buildWidgets();
    buildLogFolderLabel();
    connectWidgets();
    nameControls();
    startUp();
}

Form1::~Form1()
{
    if (m_wheel)
        m_wheel->RemoveWheelSupport(this);
}

void Form1::closeEvent(QCloseEvent *event)
{
    shutDown();
    event->accept();
}

void Form1::SendCommand(const QByteArray &command)
{
    m_port.SendCommand(command);
}

bool Form1::FileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString Form1::comPortDevice(int number) const
{
    if (number < 1 || number > m_portDevices.size())
        return {};
    return m_portDevices.at(number - 1);
}

void Form1::tellUser(const QString &text)
{
    // A box would hold up the shutdown, or a session that is ending.
    if (m_quiet)
        tellUserQuietly(text);
    else
        m_options.showMessage(text);
}

void Form1::focusLogo()
{
    Picture1->setFocus(Qt::OtherFocusReason);
}
