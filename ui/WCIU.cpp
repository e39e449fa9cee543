#include "WCIU.h"

#include "WindowLook.h"

TInfoForm* InfoForm = nullptr;

TInfoForm::TInfoForm(QWidget* parent) : QWidget(parent, Qt::Dialog) {
  setObjectName("InfoForm");
  setWindowTitle("Info");
  setFont(windowLook::windowFont());
  setFixedSize(301, 439);
  QPalette grey = palette();
  grey.setColor(QPalette::Window, QColor(128, 128, 128));
  setPalette(grey);
  setAutoFillBackground(true);
}
