#pragma once

#include <QByteArray>
#include <optional>
#include <string>

class QApplication;

// The program's start: creates the windows in their order (main, help, preview, splash),
// shows the splash window for 2000 ms while the thread waits, creates the info window and runs
// the event loop with the main window until it closes. A fault before the event loop runs is
// reported in the "Anwendungsfehler" box and gives the exit status 1. A `tableFile` is opened
// once the main window shows, as File > Open opens a table: a fault shows in the fault box and
// the program goes on with an empty table. The open is part of the start: undo has nothing to
// take back.
int runNumora(QApplication& application, const QByteArray& splashJpeg,
              const std::optional<std::string>& tableFile = std::nullopt);
