#include "HHU.h"

#include "WindowLook.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Form2");
  setWindowTitle("Numora");
  setWindowIcon(QIcon(":/numora.png"));
  setFont(windowLook::windowFont());
  windowLook::placeWindow(this, 197, 114, 502, 318);
}
