#include "Startup.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <exception>
#include <typeinfo>

#include "ApplicationTitle.h"
#include "Faults.h"
#include "FloatingPoint.h"
#include "HHU.h"
#include "PHU.h"
#include "SEHU.h"
#include "SHU.h"
#include "UserLocale.h"
#include "WCIU.h"

namespace {

constexpr unsigned long SplashMilliseconds = 2000;

std::string kindOf(const std::exception& fault) {
  if (const auto* known = dynamic_cast<const numora::Exception*>(&fault)) {
    return known->className();
  }
  return typeid(fault).name();
}

// The last-resort report of a fault during start-up.
void showStartupFault(const std::exception& fault) {
  const std::string program = numora::programFilePath();
  const std::string module = program.substr(program.rfind('/') + 1);
  const std::string text =
      numora::startupFaultReport(kindOf(fault), module, "0000000000000000", fault.what());
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(numora::StartupFaultCaption),
                  QString::fromStdString(text), QMessageBox::Ok);
  box.setObjectName("StartupFaultBox");
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

// Only the main window ends the program when it closes.
void keepOpenAfterClose(QWidget* window) { window->setAttribute(Qt::WA_QuitOnClose, false); }

void showSplashForAWhile(QApplication& application) {
  Form4->centreOnDesktop();
  Form4->show();
  // The window is mapped and painted now, before the thread waits without handling events.
  application.processEvents(QEventLoop::ExcludeUserInputEvents);
  Form4->repaint();
  application.processEvents(QEventLoop::ExcludeUserInputEvents);
  QThread::msleep(SplashMilliseconds);
  Form4->hide();
}

// All windows go when the program ends, the main window last.
void destroyWindows() {
  const auto destroy = [](auto*& window) {
    delete window;
    window = nullptr;
  };
  destroy(InfoForm);
  destroy(Form4);
  destroy(Form3);
  destroy(Form2);
  destroy(Form1);
}

}  // namespace

int runNumora(QApplication& application, const QByteArray& splashJpeg) {
  try {
    numora::fpu::resetUnit();
    Form1 = new TForm1;
    Form2 = new TForm2;
    keepOpenAfterClose(Form2);
    Form3 = new TForm3;
    keepOpenAfterClose(Form3);
    Form4 = new TForm4(splashJpeg);
    keepOpenAfterClose(Form4);
    showSplashForAWhile(application);
    InfoForm = new TInfoForm;
    keepOpenAfterClose(InfoForm);
  } catch (const std::exception& fault) {
    showStartupFault(fault);
    return 1;
  }
  Form1->show();
  const int status = application.exec();
  destroyWindows();
  return status;
}
