#pragma once

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// One "Direct Entry / VFO" panel: the typed frequency, its modulation and
// state lists and the "Tune" and "FCC" buttons.
struct DirectEntryPanel
{
    QGroupBox *frame = nullptr;
    QLineEdit *entry = nullptr;
    QComboBox *modulation = nullptr;
    QComboBox *state = nullptr;
    QPushButton *tune = nullptr;
    QPushButton *fcc = nullptr;
};

// The "Tuner" tab: two direct entry panels, the auto skip list with its
// "Apply" button and the quick scan list with its start/stop button.
struct TunerPage
{
    QWidget *page = nullptr;
    DirectEntryPanel panels[2];
    QPlainTextEdit *skipList = nullptr;
    QPushButton *skipApply = nullptr;
    QPlainTextEdit *quickScanList = nullptr;
    QPushButton *quickScanStart = nullptr;
};

// Builds the tab's page with every element under its object name.
TunerPage createTunerPage();
