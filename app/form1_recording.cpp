// Hit audio recording: the audio input and its level on the Settings tab,
// the recording of each hit and the status word.
#include "app/form1.h"
#include "app/settingsfiles.h"

#include "alerts/widgets/alertspanel.h"
#include "log/logfilepath.h"
#include "log/recordingname.h"
#include "poll/audioinputchoice.h"
#include "poll/lazyrecorder.h"
#include "poll/mediasystem.h"
#include "poll/widgets/levelmeter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>

namespace {

const QString audioSettingsName = QStringLiteral("/audio_settings.txt");

QList<AudioInputEntry> entriesOf(const QList<AudioDeviceEntry> &devices,
                                 const QByteArray &defaultId)
{
    QList<AudioInputEntry> entries;
    for (const AudioDeviceEntry &device : devices)
        entries.append({device.id, device.description, device.id == defaultId});
    return entries;
}

} // namespace

void Form1::buildAudioInputFrame(QWidget *page)
{
    auto *frame = new QGroupBox(QStringLiteral("Audio Input"), page);
    frame->setObjectName(QStringLiteral("audio_frame"));
    frame->setGeometry(508, 196, 244, 96);
    audio_input = new QComboBox(frame);
    audio_input->setObjectName(QStringLiteral("audio_input"));
    audio_input->setAccessibleName(QStringLiteral("Audio Input"));
    audio_input->setGeometry(10, 22, 224, 24);
    audio_level = new LevelMeter(frame);
    audio_level->setObjectName(QStringLiteral("audio_level"));
    audio_level->setGeometry(10, 52, 224, 12);
    audio_input_note = new QLabel(frame);
    audio_input_note->setObjectName(QStringLiteral("audio_input_note"));
    audio_input_note->setGeometry(10, 66, 224, 26);
    audio_input_note->setWordWrap(true);

    const QString dataFolder = m_options.dataFolder;
    const QString tempFolder = m_recordingTemp.isValid() ? m_recordingTemp.path() : dataFolder;
    m_recorder = std::make_unique<LazyRecorder>([this](QString *whyNot) {
        if (!m_soundRecorder && whyNot)
            *whyNot = m_mediaError;
        return m_soundRecorder.get();
    });
    m_recording = std::make_unique<HitRecording>(*m_recorder, tempFolder);
    if (const auto file = readSettingsFile(dataFolder + audioSettingsName))
        m_rememberedInput = readAudioSettings(*file);
    connect(audio_input, &QComboBox::activated, this, &Form1::onAudioInputChosen);
    connect(RecordAudioCheck, &QCheckBox::toggled, this, &Form1::onRecordAudioToggled);
}

MediaSystem *Form1::mediaSystem()
{
    if (!m_mediaTried) {
        m_mediaTried = true;
        m_media = loadMediaSystem(m_options.soundModule.isEmpty() ? mediaModulePath()
                                                                  : m_options.soundModule,
                                  &m_mediaError);
        if (m_media)
            m_soundRecorder = m_media->makeRecorder();
    }
    return m_media.get();
}

// Loading the sound system and asking it for its inputs takes a while and
// some memory; it is done when the inputs are first shown, when a recording
// or listening needs them, or right after the window first shows when a
// recording or an alert's sound is likely soon.
bool Form1::soundWantedSoon() const
{
    if (audio_input->isVisible() || RecordAudioCheck->isChecked())
        return true;
    const AlertRuleModel &rules = m_alertsPanel->model();
    for (int row = 0; row < rules.rowCount(); ++row) {
        if (rules.rule(row).recordHit || rules.rule(row).sound)
            return true;
    }
    return false;
}

void Form1::onAudioInputShown()
{
    // Before the first paint the inputs wait for it (onFirstPaint).
    if (m_firstPaintSeen && !m_audioInputsListed)
        QTimer::singleShot(0, this, &Form1::ensureAudioDevices);
}

void Form1::ensureAudioDevices()
{
    if (m_audioInputsListed)
        return;
    m_audioInputsListed = true;
    if (MediaSystem *media = mediaSystem()) {
        refreshAudioInputs();
        media->onAudioInputsChanged([this] { refreshAudioInputs(); });
    } else {
        audio_input_note->setText(m_mediaError);
    }
}

void Form1::refreshAudioInputs()
{
    MediaSystem *media = mediaSystem();
    if (!media)
        return;
    const QList<AudioInputEntry> entries =
        entriesOf(media->audioInputs(), media->defaultAudioInput());
    const AudioInputChoice choice = chooseAudioInput(entries, m_rememberedInput);
    {
        const QSignalBlocker block(audio_input);
        audio_input->clear();
        for (const AudioInputEntry &entry : entries)
            audio_input->addItem(entry.description, entry.id);
        audio_input->setCurrentIndex(choice.index);
    }
    audio_input_note->setText(audioInputNote(entries, choice));
    const QByteArray id = choice.index >= 0 ? entries.at(choice.index).id : QByteArray();
    m_soundRecorder->setInput(id);
    audio_level->setInput(media, id);
}

void Form1::onAudioInputChosen(int index)
{
    m_rememberedInput = audio_input->itemData(index).toByteArray();
    saveSettingsFile(m_options.dataFolder + audioSettingsName,
                     writeAudioSettings(m_rememberedInput));
    refreshAudioInputs();
}

void Form1::startHitRecording()
{
    const bool wanted = RecordAudioCheck->isChecked() || m_recordThisHit;
    if (wanted)
        ensureAudioDevices();
    const bool wasActive = m_recording->recording_active();
    reportRecording(m_recording->start(wanted, m_hits.state().hit_skipped));
    if (!wasActive && m_recording->recording_active())
        debug_box->setText(QStringLiteral("started audio\r\n") + debug_box->text());
}

void Form1::stopHitRecording(const FinishedHit &hit)
{
    const HitRecording::Outcome outcome = m_recording->stop(
        RecordAudioCheck->isChecked() || m_recordThisHit, hit.skipped,
        effectiveLogFolder(log_folder, m_options.dataFolder), recordingFileName(hit, startup_date));
    storeRecordingsSavedLater(outcome.savedLater);
    const int line = storeHit(hit, outcome.savedPath);
    if (line > 0 && !outcome.waitingFor.isEmpty())
        m_recordingsWaiting.insert(outcome.waitingFor, line);
    reportRecording(outcome);
}

void Form1::reportRecording(const HitRecording::Outcome &outcome)
{
    // Said once the poll tick is over, not in the middle of it.
    if (outcome.tellUser)
        QTimer::singleShot(0, this, [this, message = outcome.message] { tellUser(message); });
}

void Form1::onRecordAudioToggled()
{
    if (isRunning())
        Timer3->start();
}
