#pragma once

#include <QString>
#include <optional>

class QWidget;

// The input box "Rechnung" of the edit term command, preset with the row's Term: the text the
// user confirmed with "OK", exactly as typed, or nothing when the box was cancelled. At most
// 255 characters can be typed; a longer Term from a file is shown whole and never cut.
std::optional<QString> askForTerm(QWidget* parent, const QString& term);
