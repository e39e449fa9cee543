#pragma once

#include <QWidget>

class QPlainTextEdit;

// The help window: the program's short user guide in an editable text area that wraps at the
// window's width. Edits last while the program runs. Closing it only hides it.
class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

  static QStringList helpLines();

  QPlainTextEdit* Memo1;
};
