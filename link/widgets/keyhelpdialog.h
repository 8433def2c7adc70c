#pragma once

#include <QDialog>

// The list of the window's keyboard shortcuts, in a small window of its own
// that stays open beside the main window until closed.
class KeyHelpDialog : public QDialog
{
    Q_OBJECT
public:
    explicit KeyHelpDialog(QWidget *parent = nullptr);
};
