#include "TextPanel.h"

#include <QLocale>
#include <QPainter>
#include <QTimer>

#include "FaultBox.h"
#include "WindowLook.h"

namespace {

constexpr int SunkenEdgeWidth = 2;
constexpr int LineMargin = 3;

}  // namespace

TTextPanel::TTextPanel(QWidget* parent)
    : QWidget(parent),
      textColor_(palette().color(QPalette::WindowText)),
      color_(palette().color(QPalette::Button)) {
  resize(185, 41);
  systemRightToLeft_ = QLocale::system().textDirection() == Qt::RightToLeft;
  timer_ = new QTimer(this);
  timer_->setObjectName("Timer" + objectName());
  timer_->setInterval(static_cast<int>(interval_));
  connect(timer_, &QTimer::timeout, this, &TTextPanel::tick);
  timer_->start();
}

// The timer goes first, with the panel's children, so no tick reaches the lines or the font
// while they are freed.
TTextPanel::~TTextPanel() { delete timer_; }

void TTextPanel::setItems(const QStringList& items) { items_ = items; }

void TTextPanel::setTextFont(const QFont& font) { textFont_ = font; }

// A timer with the interval 0 does not fire.
void TTextPanel::setInterval(unsigned milliseconds) {
  timer_->setInterval(static_cast<int>(milliseconds));
  if (milliseconds == 0) {
    timer_->stop();
  } else if (enableTimer_) {
    timer_->start();
  }
  interval_ = milliseconds;
}

void TTextPanel::setStepSize(int pixels) { stepSize_ = pixels; }

void TTextPanel::setEnableTimer(bool enabled) {
  if (enabled && interval_ != 0) {
    timer_->start();
  } else {
    timer_->stop();
  }
  enableTimer_ = enabled;
}

void TTextPanel::setTextAlignment(Alignment alignment) { textAlignment_ = alignment; }

QRect TTextPanel::clientRect() const {
  const int edge = borderStyle_ == Border::Single ? SunkenEdgeWidth : 0;
  return rect().adjusted(edge, edge, -edge, -edge);
}

Qt::Alignment TTextPanel::lineAlignment(Alignment alignment, BiDiMode mode,
                                        bool systemRightToLeft) {
  const bool mirrored = systemRightToLeft && mode == BiDiMode::RightToLeft;
  switch (alignment) {
    case Alignment::Left:
      return mirrored ? Qt::AlignRight : Qt::AlignLeft;
    case Alignment::Right:
      return mirrored ? Qt::AlignLeft : Qt::AlignRight;
    default:
      return Qt::AlignHCenter;
  }
}

bool TTextPanel::rightToLeftReading(BiDiMode mode, bool systemRightToLeft) {
  return systemRightToLeft && mode != BiDiMode::LeftToRight;
}

// One tick: nothing while the panel itself is hidden; else the lines move on and the panel is
// drawn at once. A fault goes to the fault box and the timer keeps running.
void TTextPanel::tick() {
  if (isHidden()) {
    return;
  }
  runCommand(this, [this] {
    scroll_.tick(stepSize_, static_cast<int>(items_.size()));
    renderFrame();
    frameIsFresh_ = true;
    repaint();
  });
}

void TTextPanel::drawBevel(QPainter& painter, QRect& area, Bevel bevel) const {
  if (bevel == Bevel::None) {
    return;
  }
  QColor top = palette().color(QPalette::Light);
  QColor bottom = palette().color(QPalette::Dark);
  if (bevel == Bevel::Lowered) {
    std::swap(top, bottom);
  }
  windowLook::drawFrame(painter, area, bevelWidth_, top, bottom);
}

// The paint: bevels, border and background, then n + 1 lines from the first line index, into
// a picture of the panel's outer size. Without lines nothing is drawn at all.
void TTextPanel::renderFrame() {
  QImage picture(size(), QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  QRect area(QPoint(0, 0), clientRect().size());
  drawBevel(painter, area, bevelOuter_);
  windowLook::drawFrame(painter, area, borderWidth_, color_, color_);
  drawBevel(painter, area, bevelInner_);
  painter.fillRect(area, color_);
  painter.setFont(textFont_);
  painter.setPen(textColor_);
  // The line height: the height of the text "W" in the text font.
  const int lineHeight = QFontMetrics(textFont_, &picture).size(0, "W").height();
  const Qt::Alignment alignment = lineAlignment(textAlignment_, biDiMode_, systemRightToLeft_) |
                                  Qt::AlignAbsolute | Qt::AlignTop;
  painter.setLayoutDirection(rightToLeftReading(biDiMode_, systemRightToLeft_) ? Qt::RightToLeft
                                                                               : Qt::LeftToRight);
  const std::vector<TextPanelScroll::PlacedLine> lines =
      scroll_.paint(static_cast<int>(items_.size()), lineHeight, height());
  if (lines.empty()) {
    painter.end();
    frame_ = QImage();
    return;
  }
  for (const TextPanelScroll::PlacedLine& line : lines) {
    const QRect lineRect(QPoint(LineMargin, line.top),
                         QPoint(width() - LineMargin - 1, line.top + lineHeight - 1));
    painter.save();
    painter.setClipRect(lineRect);
    painter.drawText(lineRect, static_cast<int>(alignment) | Qt::TextExpandTabs, items_[line.item]);
    painter.restore();
  }
  painter.end();
  frame_ = picture;
}

void TTextPanel::paintEvent(QPaintEvent*) {
  if (!frameIsFresh_) {
    renderFrame();
  }
  frameIsFresh_ = false;
  if (frame_.isNull()) {
    return;
  }
  QPainter painter(this);
  if (borderStyle_ == Border::Single) {
    QRect edge = rect();
    windowLook::drawSunkenEdge(painter, edge, palette());
  }
  const QRect client = clientRect();
  painter.setClipRect(client);
  painter.drawImage(client.topLeft(), frame_);
}
