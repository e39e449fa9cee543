#pragma once

#include <QLabel>
#include <QWidget>

class QPushButton;
class TTextPanel;

// The info window: the maker's logo, the product name, the scrolling credits, an "OK" button
// and the product's web address, which opens in the user's web browser.
class TInfoForm : public QWidget {
  Q_OBJECT

 public:
  explicit TInfoForm(QWidget* parent = nullptr);

  static const char* const WebAddress;
  static QStringList creditsLines();

  QWidget* Panel1;
  QWidget* Image1;
  QLabel* Label5;
  TTextPanel* TextPanel1;
  QPushButton* BitBtn1;
  QLabel* Label2;

 public slots:
  void BitBtn1Click();
  void Label2Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool placed_ = false;
};
