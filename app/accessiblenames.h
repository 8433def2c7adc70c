#pragma once

class QWidget;

// Gives every control under the root that a user can act on, and that has
// no accessible name of its own, the name a sighted user reads for it: the
// label beside it (or the label whose buddy it is), else the caption of the
// frame it sits in, else its tool tip. Buttons and check boxes are named by
// their captions already.
void nameUnnamedControls(QWidget *root);

// True for the widgets a user acts on (buttons, lists, fields, tables).
bool isUserControl(const QWidget *widget);
