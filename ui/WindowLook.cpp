#include "WindowLook.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <algorithm>

namespace windowLook {

namespace {

// The faces the windows are drawn in, each followed by the faces with the same metrics that
// Debian has (Liberation Sans measures as Arial does), so texts take the widths they were laid
// out for; the last ones are only a last resort.
const QStringList WindowFaces = {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans",
                                 "Arimo",         "DejaVu Sans",          "Sans Serif"};
const QStringList ArialFaces = {"Arial", "Liberation Sans", "Arimo", "DejaVu Sans", "Sans Serif"};

QFont fontOf(const QStringList& faces, int pixelSize) {
  QFont font;
  font.setFamilies(faces);
  font.setPixelSize(pixelSize);
  return font;
}

// Gives a top-level window the outer size it was placed with, once the window manager has
// framed it: the frame is known only some time after the window is shown, when the window
// is moved into its frame. Without a window manager there is no frame and nothing to do.
class OuterSizeKeeper : public QObject {
 public:
  OuterSizeKeeper(QWidget* window, QSize outer) : QObject(window), window_(window), outer_(outer) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::WindowActivate:
        fitToFrame();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  void fitToFrame() {
    const QSize frame = window_->frameGeometry().size() - window_->size();
    if (!window_->isVisible() || frame.isNull()) {
      return;
    }
    window_->removeEventFilter(this);
    deleteLater();
    window_->resize(outer_ - frame);
  }

  QWidget* window_;
  QSize outer_;
};

}  // namespace

QFont windowFont() { return fontOf(WindowFaces, 11); }

QFont variableLabelFont() { return fontOf(WindowFaces, 17); }

QFont arialFont(int pixelSize) { return fontOf(ArialFaces, pixelSize); }

QRect placedWithin(const QRect& wanted, const QRect& available) {
  QRect placed(wanted.topLeft(), wanted.size().boundedTo(available.size()));
  placed.moveLeft(
      std::clamp(placed.left(), available.left(), available.right() - placed.width() + 1));
  placed.moveTop(
      std::clamp(placed.top(), available.top(), available.bottom() - placed.height() + 1));
  return placed;
}

void placeWindow(QWidget* window, int left, int top, int outerWidth, int outerHeight) {
  QRect placed(left, top, outerWidth, outerHeight);
  const QScreen* screen = QGuiApplication::screenAt(placed.topLeft());
  if (screen == nullptr) {
    screen = QGuiApplication::primaryScreen();
  }
  if (screen != nullptr) {
    placed = placedWithin(placed, screen->availableGeometry());
  }
  window->move(placed.topLeft());
  window->resize(placed.size());
  window->installEventFilter(new OuterSizeKeeper(window, placed.size()));
}

void showBeside(QWidget* window) {
  if (window == nullptr) {
    return;
  }
  window->show();
  window->raise();
  window->activateWindow();
}

void drawFrame(QPainter& painter, QRect& area, int width, const QColor& topLeft,
               const QColor& bottomRight) {
  for (int i = 0; i < width; ++i) {
    painter.setPen(topLeft);
    painter.drawLine(area.topLeft(), area.topRight());
    painter.drawLine(area.topLeft(), area.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomRight());
    area.adjust(1, 1, -1, -1);
  }
}

void drawSunkenEdge(QPainter& painter, QRect& area, const QPalette& colours) {
  drawFrame(painter, area, 1, colours.color(QPalette::Dark), colours.color(QPalette::Light));
  drawFrame(painter, area, 1, colours.color(QPalette::Shadow), colours.color(QPalette::Midlight));
}

void drawRaisedBevel(QPainter& painter, QRect& area, const QPalette& colours, int width) {
  drawFrame(painter, area, width, colours.color(QPalette::Light), colours.color(QPalette::Dark));
}

}  // namespace windowLook
