#include "FaultBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <exception>

#include "ApplicationTitle.h"
#include "Faults.h"
#include "FloatingPoint.h"

void showFault(const std::exception& fault, QWidget* parent) {
  // A fault of the processor leaves the floating-point unit as after a fresh start.
  numora::fpu::resetUnit();
  if (QWidget* grabber = QWidget::mouseGrabber()) {
    grabber->releaseMouse();
  }
  QMessageBox box(QMessageBox::Critical, QString::fromStdString(numora::applicationTitle()),
                  QString::fromStdString(numora::messageBoxText(fault.what())), QMessageBox::Ok,
                  parent);
  box.setObjectName("FaultBox");
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

void runCommand(QWidget* parent, const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& fault) {
    showFault(fault, parent);
  }
}
