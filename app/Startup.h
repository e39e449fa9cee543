#pragma once

#include <QByteArray>

class QApplication;

// The program's start: creates the windows in their order (main, help, preview, splash),
// shows the splash window for 2000 ms while the thread waits, creates the info window and runs
// the event loop with the main window until it closes. A fault before the event loop runs is
// reported in the "Anwendungsfehler" box and gives the exit status 1.
int runNumora(QApplication& application, const QByteArray& splashJpeg);
