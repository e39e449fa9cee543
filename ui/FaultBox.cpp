#include "FaultBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <exception>
#include <new>
#include <string>

#include "ApplicationTitle.h"
#include "Faults.h"
#include "FloatingPoint.h"

namespace {

// The text of the fault box: for a fault of Numora's own its message with any long quoted
// text cut short (the full message stays in the fault), for any other its description.
std::string faultBoxText(const std::exception& fault) {
  if (const auto* own = dynamic_cast<const numora::Exception*>(&fault)) {
    return numora::messageBoxText(own->boxMessage());
  }
  return numora::messageBoxText(fault.what());
}

}  // namespace

void showFault(const std::exception& fault, QWidget* parent) {
  // A fault of the processor leaves the floating-point unit as after a fresh start.
  numora::fpu::resetUnit();
  if (QWidget* grabber = QWidget::mouseGrabber()) {
    grabber->releaseMouse();
  }
  QMessageBox box(QMessageBox::Critical, QString::fromStdString(numora::applicationTitle()),
                  QString::fromStdString(faultBoxText(fault)), QMessageBox::Ok, parent);
  box.setObjectName("FaultBox");
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

void runCommand(QWidget* parent, const std::function<void()>& command) {
  try {
    command();
  } catch (const std::bad_alloc&) {
    showFault(numora::outOfMemoryFault(), parent);
  } catch (const std::exception& fault) {
    showFault(fault, parent);
  }
}
