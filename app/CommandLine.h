#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the desktop program was asked for on its command line: `numora [TABLE]`, with
// --help and --version, and Qt's own options (-platform, -style, ...), which are left to Qt.
struct CommandLine {
  enum class Request { Run, ShowHelp, ShowVersion, WrongUsage };
  Request request = Request::Run;
  std::optional<QString> tableFile;
  QString text;  // the help, the version or the one-line fault, as it is to be printed
};

// Reads the arguments (the program's name first). Needs no display and no application object.
CommandLine readCommandLine(const QStringList& arguments);
