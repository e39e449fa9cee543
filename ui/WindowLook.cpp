#include "WindowLook.h"

#include <QEvent>
#include <QPainter>
#include <QPalette>
#include <QTimer>
#include <QWidget>

namespace windowLook {

namespace {

QFont sansSerif(int pixelSize) {
  QFont font;
  font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "DejaVu Sans", "Sans Serif"});
  font.setPixelSize(pixelSize);
  return font;
}

// Corrects the client size once, when the window is first shown and its frame is known.
class OuterSizeKeeper : public QObject {
 public:
  OuterSizeKeeper(QWidget* window, QSize outer) : QObject(window), window_(window), outer_(outer) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      QTimer::singleShot(0, window_, [window = window_, outer = outer_] {
        const QSize frame = window->frameGeometry().size() - window->size();
        window->resize(outer - frame);
      });
      window_->removeEventFilter(this);
      deleteLater();
    }
    return false;
  }

 private:
  QWidget* window_;
  QSize outer_;
};

}  // namespace

QFont windowFont() { return sansSerif(11); }

QFont variableLabelFont() { return sansSerif(17); }

void placeWindow(QWidget* window, int left, int top, int outerWidth, int outerHeight) {
  window->move(left, top);
  window->resize(outerWidth, outerHeight);
  window->installEventFilter(new OuterSizeKeeper(window, QSize(outerWidth, outerHeight)));
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
