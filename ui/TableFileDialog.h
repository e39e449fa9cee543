#pragma once

#include <QFileDialog>
#include <optional>
#include <string>

// The dialogs of the open table and save table commands: their one filter is shown as "TBE"
// and takes files named with the extension .TBE in any letter case; a name typed without an
// extension gets ".TBE".
QFileDialog* tableFileDialog(QWidget* parent, const char* name, QFileDialog::AcceptMode mode);

// Runs the dialog and gives the file the user chose, or nothing when the dialog was cancelled.
std::optional<std::string> chooseTableFile(QFileDialog& dialog);
