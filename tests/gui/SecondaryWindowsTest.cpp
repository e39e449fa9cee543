// The scrolling text panel, the info and help windows and the print preview, used as a user
// uses them.

#include <QAbstractButton>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <cerrno>
#include <memory>

#include <QFontInfo>

#include "HHU.h"
#include "PHU.h"
#include "PrintPage.h"
#include "RowCommands.h"
#include "SEHU.h"
#include "TestSupport.h"
#include "TextPanel.h"
#include "UserActions.h"
#include "WCIU.h"

// Receives the web addresses that the desktop is asked to open.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void openUrl(const QUrl& url) { opened << url; }
};

namespace {

// The box around the pixels of `frame` that differ from `background`, within `area`.
QRect inkBox(const QImage& frame, const QRect& area, const QColor& background) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (frame.pixelColor(x, y) != background) {
        box = box.united(QRect(x, y, 1, 1));
      }
    }
  }
  return box;
}

}  // namespace

class SecondaryWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void panelDefaultsAndSetters() {
    TTextPanel panel;
    QCOMPARE(panel.size(), QSize(185, 41));
    QCOMPARE(panel.Interval(), 30u);
    QCOMPARE(panel.StepSize(), 1);
    QVERIFY(panel.EnableTimer());
    QVERIFY(panel.TextAlignment() == TTextPanel::Alignment::Left);
    QVERIFY(panel.Items().isEmpty());
    QCOMPARE(panel.timer()->objectName(), QString("Timer"));
    QVERIFY(panel.timer()->isActive());
    QCOMPARE(panel.timer()->interval(), 30);
    panel.setInterval(40);
    QCOMPARE(panel.timer()->interval(), 40);
    panel.setInterval(0);  // a timer with the interval 0 does not fire
    QVERIFY(!panel.timer()->isActive());
    panel.setInterval(40);
    QVERIFY(panel.timer()->isActive());
    panel.setEnableTimer(false);
    QVERIFY(!panel.timer()->isActive());
    panel.setEnableTimer(true);
    QVERIFY(panel.timer()->isActive());
  }

  // Right-to-left reverses the alignment only where the system itself is right-to-left and
  // the mode does not keep the alignment.
  void lineAlignmentUnderRightToLeftModes_data() {
    using A = TTextPanel::Alignment;
    using B = TTextPanel::BiDiMode;
    QTest::addColumn<A>("alignment");
    QTest::addColumn<B>("mode");
    QTest::addColumn<bool>("systemRightToLeft");
    QTest::addColumn<Qt::Alignment>("drawn");
    QTest::addColumn<bool>("readsRightToLeft");
    QTest::newRow("left, right-to-left")
        << A::Left << B::RightToLeft << true << Qt::Alignment(Qt::AlignRight) << true;
    QTest::newRow("right, right-to-left")
        << A::Right << B::RightToLeft << true << Qt::Alignment(Qt::AlignLeft) << true;
    QTest::newRow("centre, right-to-left")
        << A::Centre << B::RightToLeft << true << Qt::Alignment(Qt::AlignHCenter) << true;
    QTest::newRow("left-to-right system")
        << A::Left << B::RightToLeft << false << Qt::Alignment(Qt::AlignLeft) << false;
    QTest::newRow("no align") << A::Left << B::RightToLeftNoAlign << true
                              << Qt::Alignment(Qt::AlignLeft) << true;
    QTest::newRow("reading only") << A::Left << B::RightToLeftReadingOnly << true
                                  << Qt::Alignment(Qt::AlignLeft) << true;
    QTest::newRow("left to right")
        << A::Left << B::LeftToRight << true << Qt::Alignment(Qt::AlignLeft) << false;
  }
  void lineAlignmentUnderRightToLeftModes() {
    QFETCH(TTextPanel::Alignment, alignment);
    QFETCH(TTextPanel::BiDiMode, mode);
    QFETCH(bool, systemRightToLeft);
    QFETCH(Qt::Alignment, drawn);
    QFETCH(bool, readsRightToLeft);
    QCOMPARE(TTextPanel::lineAlignment(alignment, mode, systemRightToLeft), drawn);
    QCOMPARE(TTextPanel::rightToLeftReading(mode, systemRightToLeft), readsRightToLeft);
  }

  // A rendered frame: the raised bevel in the highlight and shadow colours, then the fill, and
  // a line centred between the margins of 3 pixels, at the top of its line rectangle.
  void renderedPanelShowsBevelFillAndText() {
    QWidget window;
    auto* panel = new TTextPanel(&window);
    panel->setEnableTimer(false);
    panel->resize(120, 60);
    panel->setColor(Qt::white);
    panel->setTextColor(Qt::black);
    panel->setTextAlignment(TTextPanel::Alignment::Centre);
    panel->setItems({"", "W"});  // the first paint shows the second line at the top
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    panel->repaint();
    const QImage frame = panel->lastFrame();
    QVERIFY(!frame.isNull());
    const QColor highlight = panel->palette().color(QPalette::Light);
    const QColor shadow = panel->palette().color(QPalette::Dark);
    QCOMPARE(frame.pixel(0, 30), highlight.rgb());  // left edge
    QCOMPARE(frame.pixel(10, 0), highlight.rgb());  // top edge, away from the centred text
    QCOMPARE(frame.pixel(10, 59), shadow.rgb());    // bottom edge
    QCOMPARE(frame.pixel(119, 30), shadow.rgb());   // right edge
    QCOMPARE(frame.pixel(1, 1), QColor(Qt::white).rgb());
    const int lineHeight = panel->scroll().lineHeight();
    QVERIFY(lineHeight > 0);
    const QRect ink = inkBox(frame, QRect(1, 1, 118, lineHeight - 1), Qt::white);
    QVERIFY(!ink.isEmpty());
    QVERIFY(ink.top() < lineHeight);
    QVERIFY(qAbs(ink.center().x() - 60) <= 2);
  }

  void emptyPanelDrawsNothingAndLongLinesAreCut() {
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette green = window.palette();
    green.setColor(QPalette::Window, Qt::green);
    window.setPalette(green);
    auto* panel = new TTextPanel(&window);
    panel->setEnableTimer(false);
    panel->setColor(Qt::white);
    window.resize(300, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    panel->repaint();
    QVERIFY(panel->lastFrame().isNull());
    QCOMPARE(panel->grab().toImage().pixelColor(10, 10), QColor(Qt::green));

    panel->setTextAlignment(TTextPanel::Alignment::Left);
    panel->setBevelOuter(TTextPanel::Bevel::None);
    panel->setItems({"", QString(200, 'M')});
    panel->repaint();
    const QImage frame = panel->lastFrame();
    const QRect ink = inkBox(frame, QRect(0, 1, 185, panel->scroll().lineHeight() - 1), Qt::white);
    QVERIFY(ink.right() <= 185 - 3 - 1);  // cut at the line rectangle, not wrapped
    QVERIFY(ink.right() >= 185 - 3 - 8);  // and it does reach that far
    QVERIFY(ink.left() >= 3 && ink.left() <= 5);
  }

  void ticksMoveTheTextAlsoInAHiddenWindowAndStopWithThePanel() {
    TInfoForm info;  // never shown
    TTextPanel* panel = info.TextPanel1;
    QSignalSpy ticks(panel->timer(), &QTimer::timeout);
    QTest::qWait(400);
    QVERIFY(ticks.count() >= 5);
    QVERIFY(panel->scroll().lineHeight() > 0);
    QVERIFY(panel->scroll().scrollOffset() != 0 || panel->scroll().firstLineIndex() != 0);

    auto* doomed = new TTextPanel;
    doomed->setItems({"a", "b"});
    doomed->setInterval(1);
    QTest::qWait(20);
    delete doomed;  // with its timer running
    QTest::qWait(20);
  }

  void infoWindowLooksAsDescribed() {
    TInfoForm info;
    QCOMPARE(info.windowTitle(), QString("Info"));
    QCOMPARE(info.size(), QSize(301, 439));
    QCOMPARE(info.minimumSize(), info.maximumSize());
    QCOMPARE(info.palette().color(QPalette::Window), QColor(128, 128, 128));
    QCOMPARE(info.Label5->text(), QString("Numora"));
    QCOMPARE(info.Label5->pos(), QPoint(64, 136));
    QCOMPARE(info.Label5->font().pixelSize(), 32);
    QCOMPARE(info.TextPanel1->geometry(), QRect(19, 176, 262, 193));
    QCOMPARE(info.TextPanel1->Items().size(), 15);
    QCOMPARE(info.TextPanel1->Items().at(5), QString("Logo von:"));
    QCOMPARE(info.TextPanel1->Interval(), 40u);
    QCOMPARE(info.BitBtn1->geometry(), QRect(120, 384, 75, 25));
    QVERIFY(info.BitBtn1->isDefault());
    QCOMPARE(info.Label2->pos(), QPoint(16, 413));
    QCOMPARE(info.Image1->size(), QSize(295, 115));
    // The logo at its natural size, centred: 2 columns cut on the left, 3 on the right.
    info.show();
    QVERIFY(QTest::qWaitForWindowExposed(&info));
    const QImage logo(":/logo.png");
    QCOMPARE(logo.size(), QSize(300, 115));
    const QImage shown = info.Image1->grab().toImage();
    for (int y = 0; y < 115; y += 3) {
      for (int x = 0; x < 295; ++x) {
        QCOMPARE(shown.pixelColor(x, y), logo.pixelColor(x + 2, y));
      }
    }
  }

  void infoWindowEnterHidesItAndItComesBackWhereItWas() {
    TInfoForm info;
    info.show();
    QVERIFY(QTest::qWaitForWindowExposed(&info));
    info.move(40, 50);
    const QPoint place = info.pos();
    QTest::keyClick(&info, Qt::Key_Return);
    QVERIFY(!info.isVisible());
    info.show();
    QVERIFY(QTest::qWaitForWindowExposed(&info));
    QCOMPARE(info.pos(), place);
  }

  void webAddressOpensEachTimeItIsClicked() {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "openUrl");
    TInfoForm info;
    info.show();
    QVERIFY(QTest::qWaitForWindowExposed(&info));
    QTest::mouseClick(info.Label2, Qt::LeftButton);
    QTest::mouseClick(info.Label2, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(catcher.opened.size(), 2);
    QCOMPARE(catcher.opened.front(), QUrl(TInfoForm::WebAddress));
  }

  void helpWindowHoldsTheGuideAndKeepsEdits() {
    TForm2 help;
    QCOMPARE(help.windowTitle(), QString("Numora"));
    const QStringList lines = help.Memo1->toPlainText().split('\n');
    QCOMPARE(lines.size(), 20);
    QCOMPARE(lines.at(4), QString(" x^(2), sin(x), (x^(2)*5)/6'"));
    QCOMPARE(lines.at(12), QString("schreiben Sie ErgX wobei X für die Spaltennummer steht."));
    QCOMPARE(lines.at(19), QString("x, y, z are variables and can be used like this."));
    QCOMPARE(help.Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    help.Memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(help.Memo1, " Noted.");
    help.close();
    help.show();
    QVERIFY(help.Memo1->toPlainText().endsWith("like this. Noted."));
  }

  void creditsAreDrawnInTheFaceWithArialsMetrics() {
    TInfoForm info;
    QCOMPARE(QFontInfo(info.TextPanel1->TextFont()).family(), QString("Liberation Sans"));
    QCOMPARE(QFontInfo(info.TextPanel1->TextFont()).pixelSize(), 11);
  }

  // Print writes the page beside the program and shows it, markup as markup; a second print
  // replaces the page in the same window.
  void printShowsThePageAndReplacesItTheSecondTime() {
    TForm1 main;
    auto* preview = topLevelWindow<TForm3>("Form3");
    QVERIFY(preview != nullptr);
    QVERIFY(!preview->isVisible());
    numora::addRow(main.table(), -1);
    main.table().setName(0, "<b>bold</b> name");
    control<QAction>(main, "Print1")->trigger();
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->pagePath(), QString::fromStdString(numora::printPagePath()));
    QVERIFY(preview->WebBrowser1->toPlainText().contains("bold name"));
    QVERIFY(!preview->WebBrowser1->toPlainText().contains("<b>"));
    numora::addRow(main.table(), -1);
    main.table().setName(1, "second row");
    control<QAction>(main, "Print1")->trigger();
    QVERIFY(preview->WebBrowser1->toPlainText().contains("second row"));
    int previewWindows = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      previewWindows += window->windowTitle() == "Print" && window->isVisible();
    }
    QCOMPARE(previewWindows, 1);
  }

  // The preview opens with the keyboard focus on "Print": Space, Return and Enter press it
  // without a Tab first.
  void printHasTheFocusWhenThePreviewOpens_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
  }
  void printHasTheFocusWhenThePreviewOpens() {
    QFETCH(int, key);
    TForm1 main;
    control<QAction>(main, "Print1")->trigger();
    auto* preview = topLevelWindow<TForm3>("Form3");
    QVERIFY(QTest::qWaitForWindowActive(preview));
    QCOMPARE(QApplication::focusWidget(), preview->Button1);
    bool previewOpened = false;
    whenModalOpens<QPrintPreviewDialog>([&](QPrintPreviewDialog* dialog) {
      previewOpened = true;
      dialog->reject();
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QVERIFY(previewOpened);
  }

  void aPageThatCannotBeWrittenShowsTheFaultAndNoWindow() {
    const QString page = QString::fromStdString(numora::printPagePath());
    QFile::remove(page);
    QVERIFY(QDir().mkdir(page));  // a folder where the page should go
    TForm1 main;
    QString text;
    whenModalOpens<QMessageBox>([&](QMessageBox* box) {
      text = box->text();
      box->buttons().front()->click();
    });
    control<QAction>(main, "Print1")->trigger();
    QDir().rmdir(page);
    QCOMPARE(text, "Datei \"" + page + "\" kann nicht erstellt werden. " +
                       QString::fromStdString(numora::test::systemMessage(EISDIR)) + ".");
    QVERIFY(!topLevelWindow("Form3")->isVisible());
  }

  // Help and Info show their windows, one each, brought to the front when chosen again.
  void helpAndInfoShowOneWindowEach_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::newRow("Help") << "Hilfe1"
                          << "Form2";
    QTest::newRow("Info") << "Info2"
                          << "InfoForm";
  }
  void helpAndInfoShowOneWindowEach() {
    QFETCH(QString, item);
    QFETCH(QString, window);
    TForm1 main;
    main.createInfoWindow();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    control<QAction>(main, qPrintable(item))->trigger();
    QWidget* shown = topLevelWindow(qPrintable(window));
    QVERIFY(shown->isVisible());
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    control<QAction>(main, qPrintable(item))->trigger();
    QVERIFY(QTest::qWaitForWindowActive(shown));
    int windows = 0;
    for (QWidget* each : QApplication::topLevelWidgets()) {
      windows += each->objectName() == window && each->isVisible();
    }
    QCOMPARE(windows, 1);
    QVERIFY(main.isVisible());
  }
};

QTEST_MAIN(SecondaryWindowsTest)
#include "SecondaryWindowsTest.moc"
