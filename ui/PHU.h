#pragma once

#include <QString>
#include <QWidget>

// The print preview window: shows the print page of the table.
class TForm3 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);

  // Shows the window for the page file at `path`, beside the main window.
  void showPage(const QString& path);
  const QString& pagePath() const { return pagePath_; }

 private:
  QString pagePath_;
};

extern TForm3* Form3;
