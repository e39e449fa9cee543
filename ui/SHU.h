#pragma once

#include <QImage>
#include <QWidget>

// The splash window: a borderless window with the product picture, shown for two seconds at
// start-up.
class TForm4 : public QWidget {
  Q_OBJECT

 public:
  // Decodes the JPEG picture; a picture that cannot be decoded raises a fault.
  explicit TForm4(const QByteArray& jpeg, QWidget* parent = nullptr);

  // Centres the window on the whole desktop.
  void centreOnDesktop();
  const QImage& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};
