// The program's start: the order of the windows, the splash time, the end, and a fault on the
// way.

#include <QAbstractButton>
#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cerrno>

#include "SEHU.h"
#include "SHU.h"
#include "Startup.h"
#include "TestSupport.h"
#include "UserActions.h"

namespace {

QByteArray splashPicture() {
  QFile file(":/splash.jpg");
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

bool visible(const char* window) {
  const QWidget* found = topLevelWindow(window);
  return found != nullptr && found->isVisible();
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
    bool helpShown = false;
    // Acts once the main window is up; the splash time handles no timers worth speaking of.
    QTimer poll;
    poll.start(5);
    connect(&poll, &QTimer::timeout, [&] {
      if (!visible("Form1") || mainWindowAfter >= 0) {
        return;
      }
      mainWindowAfter = clock.elapsed();
      splashHidden = topLevelWindow("Form4") != nullptr && !visible("Form4");
      infoWindowExists = topLevelWindow("InfoForm") != nullptr && !visible("InfoForm");
      QWidget* main = topLevelWindow("Form1");
      control<QAction>(*main, "Hilfe1")->trigger();
      helpShown = visible("Form2");
      control<QAction>(*main, "Schlieen1")->trigger();
    });
    const int status = runNumora(*qApp, splashPicture());
    QCOMPARE(status, 0);
    QVERIFY(mainWindowAfter >= 2000);
    QVERIFY(splashHidden);
    QVERIFY(infoWindowExists);
    QVERIFY(helpShown);
    // Every window went when the program ended.
    for (const char* window : {"Form1", "Form2", "Form3", "Form4", "InfoForm"}) {
      QVERIFY2(topLevelWindow(window) == nullptr, window);
    }
  }

  void theSplashPictureFillsThePanel() {
    TForm4 splash(splashPicture());
    QCOMPARE(splash.size(), QSize(380, 217));
    QCOMPARE(splash.picture().size(), QSize(376, 213));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
  }

  // A table named on the command line is opened once the main window shows, as File > Open
  // opens it: a table that cannot be opened shows its fault and the program runs on, empty.
  void aTableGivenOnTheCommandLineIsOpenedAfterTheSplash_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("fault");
    QTest::newRow("a table") << QString(
                                    "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [\n"
                                    "{\"name\": \"Area\", \"term\": \"x*y\", \"result\": \"12\", "
                                    "\"nr\": \"1\"}\n]}\n")
                             << QStringList{"Area|x*y|12|1"} << QString();
    const QString noSuchFile = QString::fromStdString(numora::test::systemMessage(ENOENT));
    QTest::newRow("no such file") << QString() << QStringList()
                                  << "kann nicht geöffnet werden. " + noSuchFile + ".";
    QTest::newRow("no table") << QString("Name;Term\n") << QStringList()
                              << QString(
                                     "ist keine gültige Tabellendatei. Syntaxfehler in Zeile 1, "
                                     "Spalte 1.");
  }

  void aTableGivenOnTheCommandLineIsOpenedAfterTheSplash() {
    QFETCH(QString, content);
    QFETCH(QStringList, rows);
    QFETCH(QString, fault);
    const numora::test::TemporaryFolder folder("numora-startup-test");
    const std::string path = folder.path("table.TBE");
    if (!content.isEmpty()) {
      numora::test::writeFile(path, content.toStdString());
    }
    QString faultText;
    bool mainWindowBehindFault = false;
    if (!fault.isEmpty()) {
      whenModalOpens<QMessageBox>([&](QMessageBox* box) {
        faultText = box->text();
        mainWindowBehindFault = visible("Form1");
        box->buttons().front()->click();
      });
    }
    // Reads the table once the window has shown for a while with no box open: the open runs
    // from the event loop after the window shows.
    QStringList shown;
    bool undoOffered = true;
    QElapsedTimer sinceShown;
    QTimer poll;
    poll.start(20);
    connect(&poll, &QTimer::timeout, [&] {
      auto* main = topLevelWindow<TForm1>("Form1");
      if (main == nullptr || !main->isVisible()) {
        return;
      }
      if (!sinceShown.isValid()) {
        sinceShown.start();
      }
      if (modalWindowOpen() || sinceShown.elapsed() < 300) {
        return;
      }
      poll.stop();
      for (const std::string& line : numora::test::linesOf(main->table())) {
        shown.append(QString::fromStdString(line));
      }
      undoOffered = control<QAction>(*main, "Undo1")->isEnabled();
      main->close();
    });
    const int status = runNumora(*qApp, splashPicture(), path);
    QCOMPARE(status, 0);
    QCOMPARE(shown, rows);
    // The open is part of the start, not a step to take back.
    QVERIFY(!undoOffered);
    if (fault.isEmpty()) {
      QVERIFY(!modalWindowOpen());
    } else {
      const QString file = QString::fromStdString(path);
      QVERIFY2(faultText.startsWith("Datei \"" + file + "\" "), qPrintable(faultText));
      QVERIFY2(faultText.endsWith(fault), qPrintable(faultText));
      QVERIFY(mainWindowBehindFault);
    }
  }

  void aFaultDuringStartUpIsReportedAndEndsWithOne() {
    QString title;
    QString text;
    bool mainWindowShown = true;
    whenModalOpens<QMessageBox>([&](QMessageBox* box) {
      title = box->windowTitle();
      text = box->text();
      mainWindowShown = visible("Form1");
      box->buttons().front()->click();
    });
    const int status = runNumora(*qApp, QByteArray("not a JPEG picture"));
    QCOMPARE(status, 1);
    QCOMPARE(title, QString("Anwendungsfehler"));
    QVERIFY2(text.startsWith("Exception Exception in Modul numora_startup_tests bei "),
             qPrintable(text));
    QVERIFY2(text.contains(".\r\nJPEG-Bild ist fehlerhaft: "), qPrintable(text));
    QVERIFY(text.endsWith(".\r\n"));
    QVERIFY(!mainWindowShown);
  }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
