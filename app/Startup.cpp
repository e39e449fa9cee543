#include "Startup.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <exception>
#include <memory>
#include <typeinfo>

#include "ApplicationTitle.h"
#include "Faults.h"
#include "FloatingPoint.h"
#include "SEHU.h"
#include "SHU.h"

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

// Shows the splash window and blocks the thread while it stands: no event is handled, so
// the window is mapped and painted before the wait begins.
void showSplashForAWhile(QApplication& application, TForm4& splash) {
  splash.centreOnDesktop();
  splash.show();
  application.processEvents(QEventLoop::ExcludeUserInputEvents);
  splash.repaint();
  application.processEvents(QEventLoop::ExcludeUserInputEvents);
  QThread::msleep(SplashMilliseconds);
  splash.hide();
}

}  // namespace

int runNumora(QApplication& application, const QByteArray& splashJpeg,
              const std::optional<std::string>& tableFile) {
  // The windows live until the program ends; the main window, which owns the help, preview
  // and info windows, goes last.
  std::unique_ptr<TForm1> main;
  std::unique_ptr<TForm4> splash;
  try {
    numora::fpu::resetUnit();
    main = std::make_unique<TForm1>();  // with the help and preview windows, in this order
    splash = std::make_unique<TForm4>(splashJpeg);
    showSplashForAWhile(application, *splash);
    main->createInfoWindow();
  } catch (const std::exception& fault) {
    showStartupFault(fault);
    return 1;
  }
  main->show();
  if (tableFile) {
    // Opened from the event loop, so that the window is drawn behind a fault box.
    QTimer::singleShot(0, main.get(), [&] { main->openTableAtStart(*tableFile); });
  }
  return application.exec();
}
