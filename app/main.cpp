// numora: the desktop program.

#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>

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

}  // namespace

int main(int argc, char** argv) {
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
  return runNumora(application, splash.readAll());
}
