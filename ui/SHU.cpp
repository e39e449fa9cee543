#include "SHU.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "JpegPicture.h"
#include "ProportionalFit.h"

TForm4* Form4 = nullptr;

namespace {

constexpr int ClientWidth = 380;
constexpr int ClientHeight = 217;
constexpr int EdgeWidth = 2;   // the panel's single sunken edge
constexpr int BevelWidth = 1;  // the raised bevel inside it

// A 3-D frame line pair: `topLeft` on the top and left sides, `bottomRight` on the others.
void drawFrame(QPainter& painter, QRect rect, const QColor& topLeft, const QColor& bottomRight) {
  painter.setPen(topLeft);
  painter.drawLine(rect.topLeft(), rect.topRight());
  painter.drawLine(rect.topLeft(), rect.bottomLeft());
  painter.setPen(bottomRight);
  painter.drawLine(rect.bottomLeft(), rect.bottomRight());
  painter.drawLine(rect.topRight(), rect.bottomRight());
}

}  // namespace

TForm4::TForm4(const QByteArray& jpeg, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), picture_(decodeJpeg(jpeg)) {
  setObjectName("Form4");
  setWindowTitle("Form4");
  setFixedSize(ClientWidth, ClientHeight);
}

void TForm4::centreOnDesktop() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  const QRect desktop = screen->virtualGeometry();
  move(desktop.center() - QPoint(ClientWidth / 2, ClientHeight / 2));
}

// Panel1 with its sunken edge and raised bevel, and Image1 inside them with the picture
// stretched proportionally from the top-left corner.
void TForm4::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  painter.fillRect(rect(), colours.color(QPalette::Button));
  const QRect outer = rect();
  drawFrame(painter, outer, colours.color(QPalette::Mid), colours.color(QPalette::Light));
  drawFrame(painter, outer.adjusted(1, 1, -1, -1), colours.color(QPalette::Dark),
            colours.color(QPalette::Midlight));
  const QRect bevel = outer.adjusted(EdgeWidth, EdgeWidth, -EdgeWidth, -EdgeWidth);
  drawFrame(painter, bevel, colours.color(QPalette::Light), colours.color(QPalette::Mid));
  const int inset = EdgeWidth + BevelWidth;
  const QRect area = outer.adjusted(inset, inset, -inset, -inset);
  const QSize fitted = proportionalFit(picture_.size(), area.size());
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRect(area.topLeft(), fitted), picture_);
}
