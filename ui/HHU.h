#pragma once

#include <QWidget>

// The help window: the program's short user guide.
class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);
};

extern TForm2* Form2;
