#pragma once

#include <QWidget>

// The info window: the maker's logo, the product name and the credits.
class TInfoForm : public QWidget {
  Q_OBJECT

 public:
  explicit TInfoForm(QWidget* parent = nullptr);
};

extern TInfoForm* InfoForm;
