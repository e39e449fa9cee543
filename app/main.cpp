// numora: the desktop program.

#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "CommandLine.h"
#include "Startup.h"

namespace {

// Qt ends the process when it finds no display; say so plainly instead.
bool displayAvailable() {
  const auto isSet = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

// Prints `text` and a line break; gives whether all of it was written.
bool print(std::FILE* stream, const QString& text) {
  const QByteArray bytes = (text + QLatin1Char('\n')).toLocal8Bit();
  const bool written = std::fwrite(bytes.constData(), 1, bytes.size(), stream) ==
                       static_cast<std::size_t>(bytes.size());
  return std::fflush(stream) == 0 && written;
}

QStringList argumentsOf(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) {
    arguments.append(QString::fromLocal8Bit(argv[i]));
  }
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine line = readCommandLine(argumentsOf(argc, argv));
  switch (line.request) {
    case CommandLine::Request::ShowHelp:
    case CommandLine::Request::ShowVersion:
      return print(stdout, line.text) ? 0 : 1;
    case CommandLine::Request::WrongUsage:
      print(stderr, line.text);
      return 2;
    case CommandLine::Request::Run:
      break;
  }
  if (!displayAvailable()) {
    std::fprintf(stderr,
                 "numora: there is no display to show the windows on.\n"
                 "Start it under a virtual X server instead: xvfb-run -a %s\n",
                 argv[0]);
    return 1;
  }
  QApplication application(argc, argv);
  QFile splash(":/splash.jpg");
  splash.open(QIODevice::ReadOnly);
  std::optional<std::string> tableFile;
  if (line.tableFile) {
    tableFile = QFile::encodeName(*line.tableFile).toStdString();
  }
  return runNumora(application, splash.readAll(), tableFile);
}
