#pragma once

#include <QFont>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include "TextPanelScroll.h"

class QTimer;

// A panel that shows a list of text lines moving slowly upward in an endless cycle, driven by
// its own timer. Each paint draws the whole panel into a fresh off-screen picture, which is
// copied onto the screen in one step, so the text never flickers. The timer runs from
// construction, also while the panel's window is hidden.
class TTextPanel : public QWidget {
  Q_OBJECT

 public:
  enum class Bevel { None, Lowered, Raised };
  enum class Border { None, Single };
  enum class Alignment { Left, Right, Centre };
  enum class BiDiMode { LeftToRight, RightToLeft, RightToLeftNoAlign, RightToLeftReadingOnly };

  explicit TTextPanel(QWidget* parent = nullptr);
  ~TTextPanel() override;

  // The panel's own properties.
  const QStringList& Items() const { return items_; }
  void setItems(const QStringList& items);
  const QFont& TextFont() const { return textFont_; }
  void setTextFont(const QFont& font);
  // The colour of the text font.
  void setTextColor(const QColor& colour) { textColor_ = colour; }
  unsigned Interval() const { return interval_; }
  void setInterval(unsigned milliseconds);
  int StepSize() const { return stepSize_; }
  void setStepSize(int pixels);
  bool EnableTimer() const { return enableTimer_; }
  void setEnableTimer(bool enabled);
  Alignment TextAlignment() const { return textAlignment_; }
  void setTextAlignment(Alignment alignment);

  // The panel properties that the drawing uses.
  void setBevelOuter(Bevel bevel) { bevelOuter_ = bevel; }
  void setBevelInner(Bevel bevel) { bevelInner_ = bevel; }
  void setBevelWidth(int width) { bevelWidth_ = width; }
  void setBorderWidth(int width) { borderWidth_ = width; }
  void setBorderStyle(Border border) { borderStyle_ = border; }
  void setColor(const QColor& colour) { color_ = colour; }
  void setBiDiMode(BiDiMode mode) { biDiMode_ = mode; }
  // Whether the system runs a right-to-left locale; taken from the user's locale.
  void setSystemRightToLeft(bool rightToLeft) { systemRightToLeft_ = rightToLeft; }

  const TextPanelScroll& scroll() const { return scroll_; }
  QTimer* timer() const { return timer_; }
  // The picture of the last paint; empty when it drew nothing.
  const QImage& lastFrame() const { return frame_; }
  // The client area: inside the sunken edge that a single border adds.
  QRect clientRect() const;

  // The horizontal alignment and reading order of the lines under the right-to-left rules.
  static Qt::Alignment lineAlignment(Alignment alignment, BiDiMode mode, bool systemRightToLeft);
  static bool rightToLeftReading(BiDiMode mode, bool systemRightToLeft);

 public slots:
  void tick();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void renderFrame();
  void drawBevel(QPainter& painter, QRect& area, Bevel bevel) const;

  QStringList items_;
  QFont textFont_;
  QColor textColor_;
  unsigned interval_ = 30;
  int stepSize_ = 1;
  bool enableTimer_ = true;
  Alignment textAlignment_ = Alignment::Left;
  Bevel bevelOuter_ = Bevel::Raised;
  Bevel bevelInner_ = Bevel::None;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  Border borderStyle_ = Border::None;
  QColor color_;
  BiDiMode biDiMode_ = BiDiMode::LeftToRight;
  bool systemRightToLeft_ = false;

  TextPanelScroll scroll_;
  QImage frame_;
  bool frameIsFresh_ = false;
  QTimer* timer_;
};
