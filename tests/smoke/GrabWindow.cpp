// Saves a picture of one X window (by its id, as xdotool prints it), of the whole screen (id
// 0), or of a rectangle of the screen (id 0 with X Y WIDTH HEIGHT, to take a window with its
// frame) as a PNG file: the smoke test's screenshots.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 3 && argc != 7) {
    std::fprintf(stderr, "usage: %s WINDOW-ID FILE.png [X Y WIDTH HEIGHT]\n", argv[0]);
    return 2;
  }
  const auto number = [&](int index) { return std::atoi(argv[index]); };
  QScreen* screen = QGuiApplication::primaryScreen();
  const WId window = static_cast<WId>(std::strtoull(argv[1], nullptr, 0));
  const QPixmap picture =
      argc == 7 ? screen->grabWindow(window, number(3), number(4), number(5), number(6))
                : screen->grabWindow(window);
  if (picture.isNull() || !picture.save(argv[2], "PNG")) {
    std::fprintf(stderr, "cannot grab window %s into %s\n", argv[1], argv[2]);
    return 1;
  }
  return 0;
}
