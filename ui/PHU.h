#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;

// The print preview window: shows the print page file as it stands (markup in a row's texts
// is markup here), and its "Print" button opens the print preview, from which the user prints
// or prints to a PDF file. "Print" has the keyboard focus, so Space or Enter presses it.
// Closing the window only hides it.
class TForm3 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);

  // Loads the page file at `path` and shows the window beside the main window; a window that
  // is visible already comes to the front with the new page.
  void showPage(const QString& path);
  const QString& pagePath() const { return pagePath_; }

  QWidget* Panel1;
  QPushButton* Button1;
  QTextBrowser* WebBrowser1;

 public slots:
  void Button1Click();

 private:
  QString pagePath_;
};
