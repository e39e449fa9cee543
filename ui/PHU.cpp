#include "PHU.h"

#include "WindowLook.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Form3");
  setWindowTitle("Print");
  setFont(windowLook::windowFont());
  windowLook::placeWindow(this, 192, 114, 870, 600);
}

void TForm3::showPage(const QString& path) {
  pagePath_ = path;
  windowLook::showBeside(this);
}
