// The web remote: its frame on the Settings tab, the screen and the hits
// handed to the server, the page's keys and levels played as the window's,
// and "Listen" on the chosen audio input while a browser listens.
#include "app/form1.h"
#include "app/settingsfiles.h"

#include "link/keypadlayout.h"
#include "poll/replyset.h"
#include "poll/widgets/signalmeter.h"
#include "store/storedhit.h"
#include "web/hitlookup.h"
#include "web/webpassword.h"
#include "web/webremote.h"
#include "web/webremotesettings.h"
#include "web/webscreenlines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>

namespace {

constexpr int webFrameTop = 302;
constexpr int webFrameHeight = 150;

QString addressLinks(const QStringList &addresses)
{
    QStringList links;
    for (const QString &address : addresses)
        links.append(QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()));
    return links.join(QStringLiteral("<br>"));
}

} // namespace

QWidget *Form1::withWebRemoteFrame(QWidget *page)
{
    auto *frame = new QGroupBox(QStringLiteral("Web Remote"), page);
    frame->setObjectName(QStringLiteral("web_frame"));
    frame->setGeometry(8, webFrameTop, 736, webFrameHeight);
    web_remote_on = new QCheckBox(QStringLiteral("Web Remote On"), frame);
    web_remote_on->setObjectName(QStringLiteral("web_remote_on"));
    web_remote_on->setGeometry(10, 22, 260, 22);
    auto *portLabel = new QLabel(QStringLiteral("Port:"), frame);
    portLabel->setGeometry(10, 50, 70, 22);
    web_port = new QSpinBox(frame);
    web_port->setObjectName(QStringLiteral("web_port"));
    web_port->setGeometry(80, 48, 90, 24);
    web_port->setRange(0, 65535);
    web_port->setSpecialValueText(QStringLiteral("Any free"));
    web_port->setValue(WebRemoteOptions().port);
    web_port->setAccessibleName(QStringLiteral("Port"));
    portLabel->setBuddy(web_port);
    web_allow_others =
        new QCheckBox(QStringLiteral("Allow other computers on this network"), frame);
    web_allow_others->setObjectName(QStringLiteral("web_allow_others"));
    web_allow_others->setGeometry(10, 76, 270, 22);
    auto *passwordLabel = new QLabel(QStringLiteral("Password:"), frame);
    passwordLabel->setGeometry(10, 106, 70, 22);
    web_password = new QLineEdit(frame);
    web_password->setObjectName(QStringLiteral("web_password"));
    web_password->setGeometry(80, 104, 190, 24);
    web_password->setEchoMode(QLineEdit::Password);
    web_password->setAccessibleName(QStringLiteral("Password"));
    passwordLabel->setBuddy(web_password);
    web_address = new QLabel(frame);
    web_address->setObjectName(QStringLiteral("web_address"));
    web_address->setGeometry(290, 22, 300, 120);
    web_address->setWordWrap(true);
    web_address->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    web_address->setTextFormat(Qt::RichText);
    web_address->setOpenExternalLinks(true);
    web_address->setTextInteractionFlags(Qt::TextBrowserInteraction);
    web_address->setAccessibleName(QStringLiteral("Web Remote Address"));
    web_qr = new QLabel(frame);
    web_qr->setObjectName(QStringLiteral("web_qr"));
    web_qr->setGeometry(596, 14, 132, 132);
    web_qr->setScaledContents(true);
    web_qr->setAccessibleName(QStringLiteral("QR code of the web remote's address"));

    if (const auto file = readSettingsFile(webRemoteSettingsFile(m_options.dataFolder))) {
        const WebRemoteSettings settings = readWebRemoteSettings(*file);
        web_remote_on->setChecked(settings.enabled);
        web_port->setValue(settings.port);
        web_allow_others->setChecked(settings.allowOthers && !settings.passwordHash.isEmpty());
        m_webPasswordHash = settings.passwordHash;
    }
    if (m_options.webPort) {
        web_remote_on->setChecked(true);
        web_port->setValue(*m_options.webPort);
    }
    showWebPasswordState();
    applyWebRemote();

    connect(web_remote_on, &QCheckBox::clicked, this, [this] {
        applyWebRemote();
        saveWebRemoteSettings();
    });
    connect(web_allow_others, &QCheckBox::clicked, this, [this](bool allow) {
        if (allow && m_webPasswordHash.isEmpty()) {
            web_allow_others->setChecked(false);
            web_password->setFocus();
            showStatusNote(
                QStringLiteral("Set a password before other computers may use the web remote."),
                statusNoteMs);
            return;
        }
        applyWebRemote();
        saveWebRemoteSettings();
    });
    connect(web_port, &QSpinBox::editingFinished, this, [this] {
        const int port = web_port->value();
        if (m_web && m_web->isListening() && (port == 0 || m_web->port() == port))
            return;
        applyWebRemote();
        saveWebRemoteSettings();
    });
    connect(web_password, &QLineEdit::editingFinished, this, [this] {
        const QString password = web_password->text();
        if (password.isEmpty())
            return;
        m_webPasswordHash = hashPassword(password);
        web_password->clear();
        showWebPasswordState();
        saveWebRemoteSettings();
        applyWebRemote();
    });

    // The Settings tab scrolls down to the frame when the window is not
    // grown; its width stays the tab's.
    page->setMinimumHeight(webFrameTop + webFrameHeight + 4);
    auto *scroll = new QScrollArea;
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setObjectName(QStringLiteral("settings_scroll"));
    scroll->setAccessibleName(QStringLiteral("Settings"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(page);
    return scroll;
}

void Form1::showWebPasswordState()
{
    web_password->setPlaceholderText(m_webPasswordHash.isEmpty()
                                         ? QStringLiteral("none set")
                                         : QStringLiteral("set (type to change)"));
}

void Form1::saveWebRemoteSettings()
{
    WebRemoteSettings settings;
    settings.enabled = web_remote_on->isChecked();
    settings.port = web_port->value();
    settings.allowOthers = web_allow_others->isChecked();
    settings.passwordHash = m_webPasswordHash;
    saveSettingsFile(webRemoteSettingsFile(m_options.dataFolder), writeWebRemoteSettings(settings));
}

bool Form1::ensureWebRemote()
{
    if (m_web)
        return true;
    QString error;
    m_web = loadWebRemote(
        m_options.webModule.isEmpty() ? webRemoteModulePath() : m_options.webModule, &error);
    if (!m_web) {
        web_remote_on->setChecked(false);
        web_address->setText(error.toHtmlEscaped());
        return false;
    }
    m_webHits = std::make_unique<HitLookup>(HitDatabase::fileIn(m_options.dataFolder));
    m_web->setHitSource(m_webHits.get());
    m_web->setAudioFormat(ListenCapture::outputRate, 1);
    m_listen =
        std::make_unique<ListenCapture>([this](const QByteArray &pcm) { m_web->sendAudio(pcm); });
    connect(m_web.get(), &WebRemote::keyPressed, this, [this](const QString &name) {
        // Only the keypad's own keys; the hold bar and the macro keys too.
        if (!keyPlacement(name).name.isEmpty())
            runKeyOperation(name);
    });
    connect(m_web.get(), &WebRemote::volumeChosen, this, [this](int level) {
        if (level >= 0 && level < Vol_Combo->count()) {
            Vol_Combo->setCurrentIndex(level);
            setVolume();
        }
    });
    connect(m_web.get(), &WebRemote::squelchChosen, this, [this](int level) {
        if (level >= 0 && level < Sql_Combo->count()) {
            Sql_Combo->setCurrentIndex(level);
            setSquelch();
        }
    });
    connect(m_web.get(), &WebRemote::listenersChanged, this, &Form1::onWebListeners);
    connect(m_web.get(), &WebRemote::screenWanted, this, &Form1::publishScreen);
    return true;
}

void Form1::applyWebRemote()
{
    if (!m_web && !web_remote_on->isChecked()) {
        web_address->setText(QStringLiteral("Off"));
        return;
    }
    if (!ensureWebRemote())
        return;
    m_web->stop();
    onWebListeners(0);
    if (web_remote_on->isChecked()) {
        WebRemoteOptions options;
        options.port = quint16(web_port->value());
        options.allowOthers = web_allow_others->isChecked() && !m_webPasswordHash.isEmpty();
        options.passwordHash = m_webPasswordHash;
        QString error;
        if (!m_web->start(options, &error)) {
            web_remote_on->setChecked(false);
            // At start-up (--web) the status line is not built yet.
            const QString note = QStringLiteral("The web remote could not start: ") + error;
            QMetaObject::invokeMethod(
                this, [this, note] { showStatusNote(note, statusNoteMs); }, Qt::QueuedConnection);
        }
    }
    if (!m_web->isListening()) {
        web_address->setText(QStringLiteral("Off"));
        web_qr->clear();
        return;
    }
    const QStringList addresses = m_web->addresses();
    web_address->setText(addressLinks(addresses));
    web_qr->setPixmap(QPixmap::fromImage(m_web->addressCode()));
    publishScreen();
}

void Form1::publishScreen()
{
    if (!m_web || !m_web->hasPages())
        return;
    WindowScreenText screen;
    screen.fourLine = isFourLineScreen(sts_fields);
    screen.line1 = sigdisplay->text();
    screen.text1 = Text1->text();
    screen.modulation = moddisp->text();
    screen.frequency = freq->text();
    screen.icons1 = IconsSet1->text();
    screen.icons2 = IconsSet2->text();
    screen.signal = sigpic->level();
    m_web->setScreen(webScreenState(screen));
}

void Form1::publishHit(const StoredHit &stored)
{
    if (!m_web || !m_web->isListening())
        return;
    WebHit hit;
    hit.start = stored.startText;
    hit.end = stored.endText;
    hit.system = stored.system;
    hit.group = stored.group;
    hit.channel = stored.channel;
    hit.frequency = stored.frequency;
    hit.code = stored.code;
    hit.date = startup_date;
    m_web->addHit(hit);
}

void Form1::onWebListeners(int count)
{
    if (!m_listen)
        return;
    if (count <= 0) {
        m_listen->stop();
        return;
    }
    if (m_listen->isCapturing())
        return;
    ensureAudioDevices();
    m_listen->start(mediaSystem(), audio_input->currentData().toByteArray());
}
