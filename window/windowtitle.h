#pragma once

#include <QString>

// The window's caption when it is not minimised.
inline constexpr QLatin1StringView designCaption("Tollvane");

// The page of the project, opened by a click on the logo.
inline constexpr QLatin1StringView projectWebPage("https://tollvane.example.org/");

// The caption for the window: while it is minimised, the radio's display
// lines 2 and 3 as the one-line strip shows them (" line 2/line 3", the
// leading space dropped), so the taskbar button shows the display;
// otherwise the program's name.
QString windowTitleFor(bool minimised, const QString &floatingTaskbarText);
