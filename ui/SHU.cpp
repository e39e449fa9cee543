#include "SHU.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "JpegPicture.h"
#include "ProportionalFit.h"
#include "WindowLook.h"

namespace {

constexpr int ClientWidth = 380;
constexpr int ClientHeight = 217;
constexpr int BevelWidth = 1;  // the raised bevel inside it

}  // namespace

TForm4::TForm4(const QByteArray& jpeg, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), picture_(decodeJpeg(jpeg)) {
  setObjectName("Form4");
  setAttribute(Qt::WA_QuitOnClose, false);
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
  painter.fillRect(rect(), palette().color(QPalette::Button));
  QRect area = rect();
  windowLook::drawSunkenEdge(painter, area, palette());
  windowLook::drawRaisedBevel(painter, area, palette(), BevelWidth);
  const QSize fitted = proportionalFit(picture_.size(), area.size());
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRect(area.topLeft(), fitted), picture_);
}
