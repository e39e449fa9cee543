// The main window, used as a user uses it: buttons, menus, the table, the variable fields and
// the dialogs that they open.

#include <locale.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QHeaderView>
#include <QHelpEvent>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSet>
#include <QSignalSpy>
#include <QStyleOptionToolButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>
#include <clocale>
#include <fstream>
#include <memory>

#include "ApplicationTitle.h"
#include "ListView.h"
#include "MainWindowActions.h"
#include "MainWindowFixture.h"
#include "RowCommands.h"
#include "RowTableModel.h"
#include "SEHU.h"
#include "TableFile.h"
#include "TestSupport.h"
#include "WindowLook.h"

namespace {

// Whether the style draws `button` as hovered, the frame an auto-raised button shows.
bool drawnAsHovered(QToolButton* button) {
  QStyleOptionToolButton option;
  option.initFrom(button);
  return option.state & QStyle::State_MouseOver;
}

// The seven picture buttons of the command bar.
constexpr const char* PictureButtons[] = {"SpeedButton9", "SpeedButton1", "SpeedButton2",
                                          "SpeedButton6", "SpeedButton3", "SpeedButton7",
                                          "SpeedButton8"};

// The caption a menu shows for `text`: the "&" that marks its access key is not shown.
QString shownCaption(QString text) { return text.remove('&'); }

}  // namespace

class MainWindowTest : public MainWindowFixture {
  Q_OBJECT

 private slots:
  void startsWithFieldsOfOneAndAnEmptyTable() {
    QCOMPARE(window_->windowTitle(), QString("Numora"));
    for (const char* field : {"Edit1", "Edit2", "Edit3"}) {
      QCOMPARE(control<QLineEdit>(*window_, field)->text(), QString("1"));
    }
    QCOMPARE(list_->model()->rowCount(), 0);
    const QHeaderView* header = list_->header();
    QCOMPARE(header->model()->headerData(0, Qt::Horizontal).toString(), QString("Name"));
    QCOMPARE(header->sectionSize(0), 140);
    QCOMPARE(header->sectionSize(1), 400);
    QCOMPARE(header->sectionSize(2), 100);
    QCOMPARE(header->sectionSize(3), 28);
    QCOMPARE(control<QWidget>(*window_, "CoolBar1")->height(), 33);
    QCOMPARE(control<QWidget>(*window_, "ToolBar1")->height(), 31);
    QCOMPARE(button("SpeedButton8")->geometry(), QRect(248, 2, 33, 25));
    QCOMPARE(button("SpeedButton8")->toolTip(), QString("Calculate all"));
    QCOMPARE(control<QLineEdit>(*window_, "Edit2")->geometry(), QRect(149, 2, 55, 20));
  }

  // The table is first in the keyboard order, so it has the focus, not the x field.
  void theTableHasTheFocusWhenTheWindowOpens() {
    QCOMPARE(QApplication::focusWidget(), list_);
    QTest::keyClick(list_, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<QWidget>(*window_, "Edit1"));
  }

  // The faces the windows ask for are mapped to the faces with their metrics.
  void windowsDrawInTheFacesWithTheMeasuredMetrics() {
    QCOMPARE(QFontInfo(window_->font()).family(), QString("Liberation Sans"));
    QCOMPARE(QFontInfo(control<QLabel>(*window_, "Label1")->font()).family(),
             QString("Liberation Sans"));
    QCOMPARE(QFontInfo(control<QLabel>(*window_, "Label1")->font()).pixelSize(), 17);
  }

  // A button and its menu item are one action: same command, same enabled state.
  void everyMenuItemIsTheActionOfItsButton_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::newRow("new") << "SpeedButton9"
                         << "Neu1"
                         << "New"
                         << "New table";
    QTest::newRow("save") << "SpeedButton1"
                          << "Speichern1"
                          << "Save"
                          << "Save table";
    QTest::newRow("open") << "SpeedButton2"
                          << "ffnen1"
                          << "Open"
                          << "Open table";
    QTest::newRow("calculate row") << "SpeedButton7"
                                   << "DieseZeile1"
                                   << "Selected row"
                                   << "Calculate row";
    QTest::newRow("calculate all") << "SpeedButton8"
                                   << "GanzesFormular1"
                                   << "All"
                                   << "Calculate all";
  }
  void everyMenuItemIsTheActionOfItsButton() {
    QFETCH(QString, button);
    QFETCH(QString, item);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QAction* action = this->action(qPrintable(item));
    QCOMPARE(this->button(qPrintable(button))->defaultAction(), action);
    QCOMPARE(shownCaption(action->text()), caption);
    QCOMPARE(this->button(qPrintable(button))->toolTip(), hint);
    bool inMenu = false;
    for (QMenu* menu : window_->findChildren<QMenu*>()) {
      inMenu = inMenu || menu->actions().contains(action);
    }
    QVERIFY(inMenu);
  }

  void menusHoldTheirItemsInOrder() {
    const auto captions = [this](const char* menu) {
      QStringList texts;
      for (const QAction* action : control<QMenu>(*window_, menu)->actions()) {
        texts << shownCaption(action->text()) + (action->shortcut().isEmpty()
                                                     ? QString()
                                                     : "\t" + action->shortcut().toString());
      }
      return texts;
    };
    QCOMPARE(captions("Datei1"),
             QStringList({"New", "Open\tCtrl+O", "Save\tCtrl+S", "Print", "Exit"}));
    QCOMPARE(captions("Berechnen1"), QStringList({"All", "Selected row", "Value table..."}));
    QCOMPARE(captions("Info1"), QStringList({"Help", "Info"}));
    QCOMPARE(captions("PopupMenu1"),
             QStringList({"One row up", "One ow down", "", "Undo\tCtrl+Z", "Redo\tCtrl+Y"}));
  }

  // The table is built by keyboard alone: Insert adds a row, Delete deletes the selected one,
  // Return or Enter edits its Term (F2 edits its Name, tested with the Name); the keys act only
  // while the table has the focus.
  void tableKeysRunTheirCommands_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("lines");
    const QStringList two({"New element|||1", "New element|||2"});
    QTest::newRow("Insert") << int(Qt::Key_Insert) << "" << (two + QStringList("New element|||3"));
    QTest::newRow("Delete") << int(Qt::Key_Delete) << "" << QStringList("New element|||1");
    QTest::newRow("Return") << int(Qt::Key_Return) << "x*2"
                            << QStringList({"New element|||1", "New element|x*2||2"});
    QTest::newRow("Enter") << int(Qt::Key_Enter) << "y"
                           << QStringList({"New element|||1", "New element|y||2"});
  }
  void tableKeysRunTheirCommands() {
    QFETCH(int, key);
    QFETCH(QString, typed);
    QFETCH(QStringList, lines);
    list_->setFocus();
    QTest::keyClick(list_, Qt::Key_Insert);
    QTest::keyClick(list_, Qt::Key_Insert);
    list_->selectIndex(1);
    if (!typed.isEmpty()) {
      whenModalOpens<QInputDialog>([&](QInputDialog* box) {
        box->setTextValue(typed);
        box->accept();
      });
    }
    QTest::keyClick(list_, Qt::Key(key));
    QCOMPARE(linesOf(window_->table()), lines);
    // In the x field the same keys edit the field's text and leave the table as it is.
    auto* x = control<QLineEdit>(*window_, "Edit1");
    x->setFocus();
    QTest::keyClick(x, Qt::Key_Home);
    QTest::keyClick(x, Qt::Key_Delete);
    QTest::keyClick(x, Qt::Key_Insert);
    QCOMPARE(x->text(), QString());
    QCOMPARE(linesOf(window_->table()), lines);
  }

  void accessKeysOpenTheMenus_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("menu");
    QTest::newRow("Alt+F") << int(Qt::Key_F) << "Datei1";
    QTest::newRow("Alt+C") << int(Qt::Key_C) << "Berechnen1";
    QTest::newRow("Alt+?") << int(Qt::Key_Question) << "Info1";
  }
  void accessKeysOpenTheMenus() {
    QFETCH(int, key);
    QFETCH(QString, menu);
    QTest::keyClick(window_.get(), Qt::Key(key), Qt::AltModifier);
    QTRY_VERIFY(control<QMenu>(*window_, qPrintable(menu))->isVisible());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    // Each item of a menu has an access key of its own.
    QSet<QChar> keys;
    for (const QAction* action : control<QMenu>(*window_, qPrintable(menu))->actions()) {
      const qsizetype marker = action->text().indexOf('&');
      QVERIFY2(marker >= 0, qPrintable(action->text()));
      QVERIFY2(!keys.contains(action->text().at(marker + 1).toLower()), qPrintable(action->text()));
      keys.insert(action->text().at(marker + 1).toLower());
    }
  }

  // A screen reader names every control: a button by its hint, a field by its variable.
  void everyControlHasAnAccessibleName() {
    for (const char* name : PictureButtons) {
      QVERIFY(!button(name)->toolTip().isEmpty());
      QCOMPARE(button(name)->accessibleName(), button(name)->toolTip());
    }
    const QStringList fields({"Edit1", "Edit2", "Edit3"});
    const QStringList variables({"x", "y", "z"});
    for (int i = 0; i < fields.size(); ++i) {
      QCOMPARE(control<QLineEdit>(*window_, qPrintable(fields[i]))->accessibleName(), variables[i]);
    }
    QVERIFY(!list_->accessibleName().isEmpty());
  }

  // Every button has its picture drawn at 16 x 16 and at 32 x 32 for a screen at 2x, and a
  // screen at 2x is given the larger drawing.
  void buttonPicturesHaveADrawingForTwiceTheSize() {
    for (const char* name : PictureButtons) {
      const QIcon picture = button(name)->icon();
      QCOMPARE(picture.availableSizes(), QList<QSize>({QSize(16, 16), QSize(32, 32)}));
      QCOMPARE(picture.pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));
    }
  }

  // A cell whose text does not fit shows its whole text as a tooltip, above what the cell has
  // to say of itself (a Result put in from outside says so); one that fits shows none.
  void aCutCellShowsItsWholeTextAsTooltip_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("a Result of 15 digits")
        << int(RowTableModel::ResultColumn) << "0,333333333333333\naus der Datei gelesen";
    QTest::newRow("a long Term") << int(RowTableModel::TermColumn) << QString(200, 'x');
    QTest::newRow("a short Name") << int(RowTableModel::NameColumn) << "";
  }
  void aCutCellShowsItsWholeTextAsTooltip() {
    QFETCH(int, column);
    QFETCH(QString, tooltip);
    window_->table().replaceAllRows({{"Name", std::string(200, 'x'), "0,333333333333333", "1"}});
    const QPoint cell = centreOfCell(list_, 0, column);
    QHelpEvent help(QEvent::ToolTip, cell, list_->viewport()->mapToGlobal(cell));
    QApplication::sendEvent(list_->viewport(), &help);
    QCOMPARE(shownTooltip(), tooltip);
    QToolTip::hideText();
  }

  // A window is moved, and made smaller where it must be, so that it lies wholly on the
  // screen's available area: at 2x on a 1280 x 1024 screen the main window would reach past
  // its right edge.
  void windowsArePlacedWhollyOnTheAvailableArea_data() {
    QTest::addColumn<QRect>("wanted");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("placed");
    QTest::newRow("fits") << QRect(212, 115, 702, 497) << QRect(0, 0, 1280, 1024)
                          << QRect(212, 115, 702, 497);
    QTest::newRow("2x on 1280 x 1024")
        << QRect(212, 115, 702, 497) << QRect(0, 0, 640, 512) << QRect(0, 15, 640, 497);
    QTest::newRow("under a top panel")
        << QRect(212, 115, 702, 497) << QRect(0, 200, 1280, 824) << QRect(212, 200, 702, 497);
    QTest::newRow("a second screen")
        << QRect(212, 115, 702, 497) << QRect(1280, 0, 800, 600) << QRect(1280, 103, 702, 497);
    QTest::newRow("a tiny screen")
        << QRect(212, 115, 702, 497) << QRect(0, 0, 320, 240) << QRect(0, 0, 320, 240);
  }
  void windowsArePlacedWhollyOnTheAvailableArea() {
    QFETCH(QRect, wanted);
    QFETCH(QRect, available);
    QFETCH(QRect, placed);
    QCOMPARE(windowLook::placedWithin(wanted, available), placed);
  }

  void buttonsAddDeleteAndClearRows() {
    for (int i = 0; i < 3; ++i) {
      QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    }
    QCOMPARE(shownLines(list_),
             QStringList({"New element|||1", "New element|||2", "New element|||3"}));
    QCOMPARE(list_->selectedIndex(), -1);
    clickRow(list_, 1);
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    QCOMPARE(shownLines(list_), QStringList({"New element|||1", "New element|||3"}));
    QCOMPARE(list_->selectedIndex(), -1);
    QTest::mouseClick(button("SpeedButton9"), Qt::LeftButton);
    QCOMPARE(list_->model()->rowCount(), 0);
  }

  // The same steps through the buttons and through the menu give the same table.
  void menuItemsAndButtonsGiveTheSameTable() {
    const auto build = [this](TForm1& w, bool throughMenu) {
      const auto run = [&](const char* buttonName, const char* itemName) {
        if (throughMenu) {
          control<QAction>(w, itemName)->trigger();
        } else {
          QTest::mouseClick(control<QToolButton>(w, buttonName), Qt::LeftButton);
        }
      };
      auto* list = control<TListView>(w, "ListView1");
      for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(control<QToolButton>(w, "SpeedButton6"), Qt::LeftButton);
      }
      numora::storeTerm(w.table(), 0, "x*10");
      numora::storeTerm(w.table(), 1, "Erg1+y");
      numora::storeTerm(w.table(), 2, "sin(30)");
      control<QLineEdit>(w, "Edit1")->setText("4");
      control<QLineEdit>(w, "Edit2")->setText("2");
      clickRow(list, 0);
      run("SpeedButton7", "DieseZeile1");
      QStringList lines = linesOf(w.table());
      run("SpeedButton8", "GanzesFormular1");
      lines += linesOf(w.table());
      run("SpeedButton9", "Neu1");
      lines += QString::number(w.table().rowCount());
      return lines;
    };
    TForm1 second;
    second.setDecimalSeparator(',');
    window_->setDecimalSeparator(',');
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    const QStringList throughButtons = build(*window_, false);
    const QStringList throughMenu = build(second, true);
    QCOMPARE(throughMenu, throughButtons);
    QCOMPARE(throughButtons,
             QStringList({"New element|x*10|40|1", "New element|Erg1+y||2",
                          "New element|sin(30)||3", "New element|x*10|40|1",
                          "New element|Erg1+y|42|2", "New element|sin(30)|0,5|3", "0"}));
  }

  void calculateRowWithoutSelectionDoesNothing() {
    QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    numora::storeTerm(window_->table(), 0, "x");
    control<QLineEdit>(*window_, "Edit1")->setText("abc");
    QTest::mouseClick(button("SpeedButton7"), Qt::LeftButton);
    action("DieseZeile1")->trigger();
    QVERIFY(!modalWindowOpen());
    QCOMPARE(linesOf(window_->table()), QStringList({"New element|x||1"}));
  }

  void editTermWithOkEmptiedFieldAndCancel() {
    QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    window_->table().setResult(0, "7");
    clickRow(list_, 0);
    QString title, label, okText, cancelText, preset;
    int maximumLength = 0;
    whenModalOpens<QInputDialog>([&](QInputDialog* box) {
      title = box->windowTitle();
      label = box->labelText();
      okText = box->okButtonText();
      cancelText = box->cancelButtonText();
      preset = box->textValue();
      maximumLength = box->findChild<QLineEdit*>()->maxLength();
      QTest::keyClicks(box->findChild<QLineEdit*>(), " x + 1 ");
      box->accept();
    });
    doubleClickRow(list_, 0);
    QCOMPARE(title, QString("Rechnung"));
    QCOMPARE(label, QString("Rechnung:"));
    QCOMPARE(okText, QString("OK"));
    QCOMPARE(cancelText, QString("Abbrechen"));
    QCOMPARE(preset, QString(""));
    QCOMPARE(maximumLength, 255);
    QCOMPARE(linesOf(window_->table()), QStringList({"New element| x + 1 |7|1"}));

    whenModalOpens<QInputDialog>([](QInputDialog* box) {
      box->findChild<QLineEdit*>()->clear();
      box->reject();
    });
    doubleClickRow(list_, 0);
    QCOMPARE(linesOf(window_->table()), QStringList({"New element| x + 1 |7|1"}));

    whenModalOpens<QInputDialog>([](QInputDialog* box) {
      box->findChild<QLineEdit*>()->clear();
      box->accept();
    });
    doubleClickRow(list_, 0);
    QCOMPARE(linesOf(window_->table()), QStringList({"New element||7|1"}));
  }

  // A double-click on the row that is selected already opens the term box and nothing else:
  // no Name editor waits behind it for the keys typed after the box has closed, and the next
  // double-click opens the box again.
  void doubleClickOnTheSelectedRowEditsOnlyTheTerm() {
    QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    clickRow(list_, 0);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    int boxesOpened = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
      // The user reads the box a while before cancelling it.
      whenModalOpens<QInputDialog>([&](QInputDialog* box) {
        ++boxesOpened;
        QTest::qWait(QApplication::doubleClickInterval() + 200);
        box->reject();
      });
      doubleClickRow(list_, 0);
      QTest::qWait(QApplication::doubleClickInterval() + 100);
      QVERIFY(list_->findChild<QLineEdit*>() == nullptr ||
              !list_->findChild<QLineEdit*>()->isVisible());
      window_->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(window_.get()));
      QTest::keyClicks(QApplication::focusWidget(), "ZZ");
      // Return reaches the table, not a Name editor, and edits the Term as well.
      whenModalOpens<QInputDialog>([&](QInputDialog* box) {
        ++boxesOpened;
        box->reject();
      });
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      QCOMPARE(linesOf(window_->table()), QStringList({"New element|||1"}));
    }
    QCOMPARE(boxesOpened, 4);
  }

  void editTermWithoutSelectionOpensNothing() {
    QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, QPoint(50, 200));
    QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, QPoint(50, 5));
    QVERIFY(!modalWindowOpen());
  }

  // A Term from a file longer than can be typed into the box, also longer than a line edit
  // keeps by default, is confirmed whole.
  void aLongTermFromAFileIsNotCutByTheInputBox_data() {
    QTest::addColumn<int>("length");
    QTest::newRow("300") << 300;
    QTest::newRow("40000") << 40000;
  }
  void aLongTermFromAFileIsNotCutByTheInputBox() {
    QFETCH(int, length);
    QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    const std::string longTerm = std::string(static_cast<std::size_t>(length), '1');
    numora::storeTerm(window_->table(), 0, longTerm);
    clickRow(list_, 0);
    QString preset;
    whenModalOpens<QInputDialog>([&](QInputDialog* box) {
      preset = box->textValue();
      box->accept();
    });
    doubleClickRow(list_, 0);
    QCOMPARE(preset.size(), length);
    QCOMPARE(window_->table().row(0).term, longTerm);
  }

  void nameIsEditedInPlace() {
    QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    clickRow(list_, 1);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    // A click on the selected row, here on its Term, edits its Name.
    clickRow(list_, 1);
    QTRY_VERIFY(list_->findChild<QLineEdit*>() != nullptr &&
                list_->findChild<QLineEdit*>()->isVisible());
    QLineEdit* editor = list_->findChild<QLineEdit*>();
    editor->selectAll();
    QTest::keyClicks(editor, "Area <1>");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(QString::fromStdString(window_->table().row(1).name), QString("Area <1>"));
    // F2 edits the Name too; Escape leaves it as it was.
    QTest::keyClick(list_, Qt::Key_F2);
    QTRY_VERIFY(list_->findChild<QLineEdit*>()->isVisible());
    QTest::keyClicks(list_->findChild<QLineEdit*>(), "nothing");
    QTest::keyClick(list_->findChild<QLineEdit*>(), Qt::Key_Escape);
    QCOMPARE(QString::fromStdString(window_->table().row(1).name), QString("Area <1>"));
    QCOMPARE(QString::fromStdString(window_->table().row(0).name), QString("New element"));
  }

  void contextMenuMovesRows() {
    for (int i = 0; i < 3; ++i) {
      QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
      window_->table().setName(i, std::string(1, static_cast<char>('A' + i)));
    }
    auto* menu = control<QMenu>(*window_, "PopupMenu1");
    // A right click opens the menu whether or not a row is selected.
    QSignalSpy requested(list_, &QWidget::customContextMenuRequested);
    const QPoint emptySpace(50, 200);
    QContextMenuEvent onEmptySpace(QContextMenuEvent::Mouse, emptySpace,
                                   list_->viewport()->mapToGlobal(emptySpace));
    QApplication::sendEvent(list_->viewport(), &onEmptySpace);
    QTRY_VERIFY(menu->isVisible());
    menu->close();
    QCOMPARE(requested.count(), 1);

    // Right click on the second row, then click the item in the menu.
    const auto chooseFromContextMenu = [&](int row, const char* item) {
      clickRow(list_, row);
      const QPoint at = centreOfCell(list_, row, RowTableModel::TermColumn);
      QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at,
                                   list_->viewport()->mapToGlobal(at));
      QApplication::sendEvent(list_->viewport(), &rightClick);
      QVERIFY(QTest::qWaitForWindowExposed(menu));
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action(item)).center());
    };
    chooseFromContextMenu(1, "Onerowup1");
    QCOMPARE(linesOf(window_->table()), QStringList({"B|||1", "A|||2", "C|||3"}));
    QCOMPARE(list_->selectedIndex(), 1);
    chooseFromContextMenu(1, "Oneowdown1");
    QCOMPARE(linesOf(window_->table()), QStringList({"B|||1", "C|||2", "A|||3"}));
    QCOMPARE(list_->selectedIndex(), 1);
  }

  void shortcutsWorkWhereverTheFocusIs() {
    TForm1& w = *window_;
    QTemporaryDir folder;
    auto* y = control<QLineEdit>(w, "Edit2");
    auto* z = control<QLineEdit>(w, "Edit3");
    QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    numora::storeTerm(w.table(), 0, "2*x");
    // Ctrl+S with the focus in the y field; a name without extension gets ".TBE".
    y->setFocus();
    answerFileDialog(folder.filePath("saved"));
    QTest::keyClick(y, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(folder.filePath("saved.TBE")));
    // Ctrl+O with the focus in the table.
    QTest::mouseClick(button("SpeedButton9"), Qt::LeftButton);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    list_->setFocus();
    QTRY_VERIFY(list_->hasFocus());
    answerFileDialog(folder.filePath("saved.TBE"));
    QTest::keyClick(list_, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(linesOf(w.table()), QStringList({"New element|2*x||1"}));
    QCOMPARE(list_->selectedIndex(), -1);
    QCOMPARE(y->text(), QString("1"));
    // Ctrl+O with the focus in the z field.
    QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    z->setFocus();
    answerFileDialog(folder.filePath("saved.TBE"));
    QTest::keyClick(z, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(linesOf(w.table()), QStringList({"New element|2*x||1"}));
  }

  // Both dialogs show their one filter as "TBE", and it takes .TBE files in any letter case.
  void fileDialogsShowTheFilterTBE_data() {
    QTest::addColumn<QString>("dialog");
    QTest::newRow("open") << "OpenDialog1";
    QTest::newRow("save") << "SaveDialog1";
  }
  void fileDialogsShowTheFilterTBE() {
    QFETCH(QString, dialog);
    QTemporaryDir folder;
    for (const char* name : {"a.TBE", "b.tbe", "c.Tbe", "d.txt"}) {
      numora::saveTable(numora::RowTable(), folder.filePath(name).toStdString());
    }
    auto* fileDialog = control<QFileDialog>(*window_, qPrintable(dialog));
    QCOMPARE(fileDialog->defaultSuffix(), QString("TBE"));
    QStringList shownFilters;
    const QComboBox* filters = fileDialog->findChild<QComboBox*>("fileTypeCombo");
    for (int i = 0; i < filters->count(); ++i) {
      shownFilters << filters->itemText(i);
    }
    QCOMPARE(shownFilters, QStringList({"TBE"}));
    fileDialog->setDirectory(folder.path());
    fileDialog->show();
    // The files the dialog's model lists in the folder: those its view shows there. (Read from
    // the model, as the view may still show the file system's top while a busy machine loads
    // the folder.)
    const auto* files = fileDialog->findChild<QFileSystemModel*>();
    const auto shownFiles = [files, &folder] {
      const QModelIndex shownFolder = files->index(folder.path());
      QStringList names;
      for (int row = 0; row < files->rowCount(shownFolder); ++row) {
        names << files->index(row, 0, shownFolder).data().toString();
      }
      names.sort();
      return names;
    };
    QTRY_COMPARE_WITH_TIMEOUT(shownFiles(), QStringList({"a.TBE", "b.tbe", "c.Tbe"}), 20000);
    fileDialog->reject();
  }

  // The third of five rows fails: the box shows the fault, rows one and two keep their new
  // Results, rows three to five their old ones.
  void aFaultIsShownInTheFaultBoxAndTheTableKeepsWhatWasWritten() {
    const char* terms[] = {"x", "x+1", "Erg9", "x+3", "x+4"};
    for (int i = 0; i < 5; ++i) {
      QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
      numora::storeTerm(window_->table(), i, terms[i]);
      window_->table().setResult(i, "old");
    }
    control<QLineEdit>(*window_, "Edit1")->setText("5");
    const auto seen = readFaultBox();
    QTest::mouseClick(button("SpeedButton8"), Qt::LeftButton);
    QCOMPARE(seen->title, QString::fromStdString(numora::applicationTitle()));
    QCOMPARE(seen->title, QString("numora_gui_tests"));
    QCOMPARE(seen->text, QString("Zeile 9 existiert nicht."));
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QCOMPARE(seen->buttons, QStringList({"OK"}));
    QVERIFY(seen->modal);
    QCOMPARE(shownLines(list_),
             QStringList({"New element|x|5|1", "New element|x+1|6|2", "New element|Erg9|old|3",
                          "New element|x+3|old|4", "New element|x+4|old|5"}));
    // The window goes on accepting commands.
    control<QLineEdit>(*window_, "Edit1")->setText("abc");
    const auto second = readFaultBox();
    clickRow(list_, 0);
    QTest::mouseClick(button("SpeedButton7"), Qt::LeftButton);
    QCOMPARE(second->text, QString("'abc' ist kein gültiger Integerwert."));
  }

  // A button clicked while the fault box is open does nothing, and is not drawn as hovered
  // once the box has closed and the pointer is elsewhere.
  void aButtonClickedWhileTheFaultBoxIsOpenIsNotLeftHovered() {
    QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    numora::storeTerm(window_->table(), 0, "Erg9");
    QToolButton* newTable = button("SpeedButton9");
    bool boxShown = false;
    whenModalOpens<QMessageBox>([&](QMessageBox* box) {
      boxShown = true;
      // Through the window system, which keeps the click from the blocked window.
      QWindow* mainWindow = window_->windowHandle();
      const QPoint onButton = newTable->mapTo(window_.get(), newTable->rect().center());
      QTest::mouseMove(mainWindow, onButton);
      QTest::mouseClick(mainWindow, Qt::LeftButton, {}, onButton);
      QTest::qWait(100);
      QAbstractButton* ok = box->buttons().front();
      QTest::mouseMove(ok);
      QTest::mouseClick(ok, Qt::LeftButton);
    });
    QTest::mouseClick(button("SpeedButton8"), Qt::LeftButton);
    QVERIFY(boxShown);
    QCOMPARE(window_->table().rowCount(), 1);  // the click on "New table" did nothing
    QTest::mouseMove(list_->viewport(), QPoint(50, 200));
    QTest::qWait(100);
    QVERIFY(!drawnAsHovered(newTable));
  }

  void aCorruptTableFileIsRefusedAndTheTableStays() {
    QTemporaryDir folder;
    const QString file = folder.filePath("broken.TBE");
    std::ofstream(file.toStdString())
        << "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [";
    QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    answerFileDialog(file);
    const auto seen = readFaultBox();
    QTest::mouseClick(button("SpeedButton2"), Qt::LeftButton);
    QCOMPARE(seen->text, "Datei \"" + file +
                             "\" ist keine gültige Tabellendatei. Syntaxfehler in Zeile 1, "
                             "Spalte 51.");
    QCOMPARE(linesOf(window_->table()), QStringList({"New element|||1"}));
  }

  // The window keeps the user's decimal separator and reads it again when the locale changes.
  void decimalSeparatorIsReadAgainWhenTheLocaleChanges() {
    QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    numora::storeTerm(window_->table(), 0, "1/4");
    window_->setDecimalSeparator('#');
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(window_.get(), &change);
    QCOMPARE(window_->decimalSeparator(), ',');  // the test runs with LC_ALL=de_DE.UTF-8
    QTest::mouseClick(button("SpeedButton8"), Qt::LeftButton);
    QCOMPARE(linesOf(window_->table()), QStringList({"New element|1/4|0,25|1"}));
  }

  // The window runs in the locale that LC_ALL names where the system has that locale, as on
  // the user's desktop, and in the C locale where it has not; the system's texts that faults
  // quote come from it.
  void theWindowRunsInTheNamedLocaleWhereTheSystemHasIt() {
    const QByteArray named = qgetenv("LC_ALL");
    QVERIFY(!named.isEmpty());
    const locale_t system = ::newlocale(LC_ALL_MASK, named.constData(), locale_t{});
    const QByteArray expected = system != locale_t{} ? named : QByteArray("C");
    if (system != locale_t{}) {
      ::freelocale(system);
    }
    QCOMPARE(QByteArray(std::setlocale(LC_MESSAGES, nullptr)), expected);
  }

  void exitClosesTheWindowWithoutAsking() {
    QTest::mouseClick(button("SpeedButton6"), Qt::LeftButton);
    action("Schlieen1")->trigger();
    QVERIFY(!modalWindowOpen());
    QVERIFY(!window_->isVisible());
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
