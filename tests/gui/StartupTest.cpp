// The program's start: the order of the windows, the splash time, the end, and a fault on the
// way.

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "HHU.h"
#include "PHU.h"
#include "SEHU.h"
#include "SHU.h"
#include "Startup.h"
#include "UserActions.h"
#include "WCIU.h"

namespace {

QByteArray splashPicture() {
  QFile file(":/splash.jpg");
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

void deleteWindows() {
  delete InfoForm;
  delete Form4;
  delete Form3;
  delete Form2;
  delete Form1;
  InfoForm = nullptr;
  Form4 = nullptr;
  Form3 = nullptr;
  Form2 = nullptr;
  Form1 = nullptr;
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  // The splash window is up for two seconds, then the main window runs until it is closed,
  // which ends the program also while the help window is open.
  void splashThenMainWindowUntilItCloses() {
    QElapsedTimer clock;
    clock.start();
    qint64 mainWindowAfter = -1;
    bool splashHidden = false;
    bool infoWindowExists = false;
    // Acts once the main window is up; the splash time handles no timers worth speaking of.
    QTimer poll;
    poll.start(5);
    connect(&poll, &QTimer::timeout, [&] {
      if (Form1 == nullptr || !Form1->isVisible() || mainWindowAfter >= 0) {
        return;
      }
      mainWindowAfter = clock.elapsed();
      splashHidden = Form4 != nullptr && !Form4->isVisible();
      infoWindowExists = InfoForm != nullptr && !InfoForm->isVisible();
      Form1->Hilfe1->trigger();
      Form1->Schlieen1->trigger();
    });
    const int status = runNumora(*qApp, splashPicture());
    QCOMPARE(status, 0);
    QVERIFY(mainWindowAfter >= 2000);
    QVERIFY(splashHidden);
    QVERIFY(infoWindowExists);
    deleteWindows();
  }

  void theSplashPictureFillsThePanel() {
    TForm4 splash(splashPicture());
    QCOMPARE(splash.size(), QSize(380, 217));
    QCOMPARE(splash.picture().size(), QSize(376, 213));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
  }

  void aFaultDuringStartUpIsReportedAndEndsWithOne() {
    QString title;
    QString text;
    whenModalOpens<QMessageBox>([&](QMessageBox* box) {
      title = box->windowTitle();
      text = box->text();
      box->buttons().front()->click();
    });
    const int status = runNumora(*qApp, QByteArray("not a JPEG picture"));
    QCOMPARE(status, 1);
    QCOMPARE(title, QString("Anwendungsfehler"));
    QVERIFY2(text.startsWith("Exception Exception in Modul numora_startup_tests bei "),
             qPrintable(text));
    QVERIFY2(text.contains(".\r\nJPEG-Bild ist fehlerhaft: "), qPrintable(text));
    QVERIFY(text.endsWith(".\r\n"));
    QVERIFY(Form1 != nullptr && !Form1->isVisible());
    deleteWindows();
  }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
