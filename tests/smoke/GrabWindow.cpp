// Saves a picture of one X window (by its id, as xdotool prints it) or of the whole screen
// (id 0) as a PNG file: the smoke test's screenshots.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s WINDOW-ID FILE.png\n", argv[0]);
    return 2;
  }
  QScreen* screen = QGuiApplication::primaryScreen();
  const WId window = static_cast<WId>(std::strtoull(argv[1], nullptr, 0));
  const QPixmap picture = screen->grabWindow(window);
  if (picture.isNull() || !picture.save(argv[2], "PNG")) {
    std::fprintf(stderr, "cannot grab window %s into %s\n", argv[1], argv[2]);
    return 1;
  }
  return 0;
}
