// Undo and redo in the main window, as a user reaches them: Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z
// wherever the focus is, and the Undo and Redo items of the table's context menu; text
// editors keep the keys for their own typing.

#include <QApplication>
#include <QContextMenuEvent>
#include <QInputDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPaintEvent>
#include <QRegion>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <map>
#include <memory>

#include "MainWindowActions.h"
#include "MainWindowFixture.h"
#include "RowTableModel.h"
#include "SEHU.h"
#include "TableFile.h"
#include "TestSupport.h"

namespace {

// Collects the parts of a widget that are painted.
class PaintedRegion : public QObject {
 public:
  explicit PaintedRegion(QWidget* widget) { widget->installEventFilter(this); }
  QRegion painted;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      painted += static_cast<QPaintEvent*>(event)->region();
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

class UndoTest : public MainWindowFixture {
  Q_OBJECT

 private slots:
  void undoIsDisabledAtStart() {
    // Rows that no command of the window made: there is nothing to take back.
    fillTable();
    const QStringList before = linesOf(window_->table());
    QMenu* menu = openContextMenu(0);
    QVERIFY(!action("Undo1")->isEnabled());
    QVERIFY(!action("Redo1")->isEnabled());
    QVERIFY(menu->actions().contains(action("Undo1")));
    menu->close();
    for (const char* keys : {"Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z"}) {
      pressKeys(keys);
      QCOMPARE(linesOf(window_->table()), before);
    }
  }

  // Each command becomes one step: undo brings back the rows and the selection it started
  // from, redo the rows and the selection it left, back and forth with every redo key.
  void eachCommandIsUndoneAndRedoneAsAWhole_data() {
    QTest::addColumn<QString>("command");
    for (const char* command :
         {"add row", "delete row", "move up", "move down", "new table", "edit name", "edit term",
          "calculate row", "calculate all stopped by a fault", "open"}) {
      QTest::newRow(command) << command;
    }
  }
  void eachCommandIsUndoneAndRedoneAsAWhole() {
    QFETCH(QString, command);
    fillTable();
    clickRow(list_, 1);
    const QStringList before = linesOf(window_->table());
    const int selectedBefore = list_->selectedIndex();
    QCOMPARE(selectedBefore, 1);
    commands().at(command)();
    const QStringList after = linesOf(window_->table());
    const int selectedAfter = list_->selectedIndex();
    QVERIFY(after != before);
    for (const char* redoKeys : {"Ctrl+Y", "Ctrl+Shift+Z"}) {
      pressKeys("Ctrl+Z");
      QCOMPARE(linesOf(window_->table()), before);
      QCOMPARE(shownLines(list_), before);
      QCOMPARE(list_->selectedIndex(), selectedBefore);
      pressKeys(redoKeys);
      QCOMPARE(linesOf(window_->table()), after);
      QCOMPARE(shownLines(list_), after);
      QCOMPARE(list_->selectedIndex(), selectedAfter);
    }
  }

  void aNewCommandClearsRedo() {
    clickButton("SpeedButton6");
    clickButton("SpeedButton6");
    pressKeys("Ctrl+Z");
    QCOMPARE(window_->table().rowCount(), 1);
    QVERIFY(action("Redo1")->isEnabled());
    clickRow(list_, 0);
    clickButton("SpeedButton3");
    QVERIFY(!action("Redo1")->isEnabled());
    pressKeys("Ctrl+Y");
    QCOMPARE(window_->table().rowCount(), 0);
    pressKeys("Ctrl+Z");
    QCOMPARE(linesOf(window_->table()), QStringList({"New element|||1"}));
  }

  // In the Name editor Ctrl+Z takes back the typing, also when the table has steps to undo.
  void ctrlZInTheNameEditorUndoesTheTyping() {
    clickButton("SpeedButton6");
    clickRow(list_, 0);
    QTest::keyClick(list_, Qt::Key_F2);
    QTRY_VERIFY(nameEditor() != nullptr && nameEditor()->isVisible());
    QTest::keyClick(nameEditor(), Qt::Key_End);
    QTest::keyClicks(nameEditor(), " two");
    QCOMPARE(nameEditor()->text(), QString("New element two"));
    QTest::keySequence(nameEditor(), QKeySequence("Ctrl+Z"));
    QCOMPARE(nameEditor()->text(), QString("New element"));
    QCOMPARE(linesOf(window_->table()), QStringList({"New element|||1"}));
    QTest::keyClick(nameEditor(), Qt::Key_Escape);
    QVERIFY(action("Undo1")->isEnabled());
  }

  // The x field keeps the keys while it has typing of its own to take back or do again, and
  // passes them on to the table otherwise.
  void theXFieldPassesTheKeysOnWhenItHasNothingToUndo() {
    clickButton("SpeedButton6");
    auto* x = control<QLineEdit>(*window_, "Edit1");
    x->setFocus();
    QTRY_VERIFY(x->hasFocus());
    pressKeys("Ctrl+Z");
    QCOMPARE(window_->table().rowCount(), 0);
    QTest::keyClicks(x, "5");
    pressKeys("Ctrl+Z");
    QCOMPARE(x->text(), QString("1"));
    QCOMPARE(window_->table().rowCount(), 0);
    pressKeys("Ctrl+Y");
    QCOMPARE(x->text(), QString("15"));
    QCOMPARE(window_->table().rowCount(), 0);
    pressKeys("Ctrl+Y");
    QCOMPARE(x->text(), QString("15"));
    QCOMPARE(linesOf(window_->table()), QStringList({"New element|||1"}));
    QCOMPARE(QApplication::focusWidget(), x);
  }

  // Undo of calculate all on a table longer than the screen, scrolled to its middle, repaints
  // every row on the screen.
  void undoOfManyRowsRepaintsTheRowsOnTheScreen() {
    for (int i = 0; i < 300; ++i) {
      window_->table().appendRow({"Row", "x", "7", std::to_string(i + 1)});
    }
    list_->scrollTo(list_->model()->index(150, 0), QAbstractItemView::PositionAtTop);
    clickButton("SpeedButton8");
    QCOMPARE(window_->table().row(299).result, std::string("1"));
    QApplication::processEvents();
    PaintedRegion region(list_->viewport());
    pressKeys("Ctrl+Z");
    QCOMPARE(window_->table().row(299).result, std::string("7"));
    const QRect topRow = list_->visualRect(list_->model()->index(150, 0));
    const QModelIndex bottom = list_->indexAt(QPoint(1, list_->viewport()->height() - 1));
    QVERIFY(bottom.row() > 160);
    const QRect bottomRow = list_->visualRect(bottom.siblingAtColumn(RowTableModel::NrColumn));
    QTRY_VERIFY(region.painted.contains(topRow) && region.painted.contains(bottomRow));
  }

  // The Undo and Redo items say what they take back and do again.
  void undoItemsNameTheirCommand_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("undo");
    QTest::newRow("add row") << "SpeedButton6"
                             << "&Undo add row";
    QTest::newRow("calculate all") << "SpeedButton8"
                                   << "&Undo calculate all";
    QTest::newRow("calculate row") << "SpeedButton7"
                                   << "&Undo calculate row";
    QTest::newRow("new table") << "SpeedButton9"
                               << "&Undo new table";
  }
  void undoItemsNameTheirCommand() {
    QFETCH(QString, button);
    QFETCH(QString, undo);
    window_->table().replaceAllRows({{"a", "x*2", "", "1"}, {"b", "Erg1+1", "", "2"}});
    clickRow(list_, 0);
    clickButton(qPrintable(button));
    QCOMPARE(action("Undo1")->text(), undo);
    action("Undo1")->trigger();
    QCOMPARE(action("Redo1")->text(), QString(undo).replace("&Undo", "&Redo"));
  }

  void contextMenuUndoesAndRedoesAndShowsTheKeys() {
    fillTable();
    clickRow(list_, 2);
    const QStringList before = linesOf(window_->table());
    clickButton("SpeedButton3");
    const QStringList after = linesOf(window_->table());
    QMenu* menu = openContextMenu(0);
    QCOMPARE(itemText("Undo1"), QString("&Undo delete row\tCtrl+Z"));
    QCOMPARE(itemText("Redo1"), QString("&Redo\tCtrl+Y"));
    QVERIFY(action("Undo1")->isEnabled());
    QVERIFY(!action("Redo1")->isEnabled());
    chooseFromMenu(menu, "Undo1");
    QCOMPARE(linesOf(window_->table()), before);
    QCOMPARE(list_->selectedIndex(), 2);
    openContextMenu(0);
    QVERIFY(!action("Undo1")->isEnabled());
    QVERIFY(action("Redo1")->isEnabled());
    QCOMPARE(itemText("Undo1"), QString("&Undo\tCtrl+Z"));
    QCOMPARE(itemText("Redo1"), QString("&Redo delete row\tCtrl+Y"));
    chooseFromMenu(menu, "Redo1");
    QCOMPARE(linesOf(window_->table()), after);
    QCOMPARE(list_->selectedIndex(), -1);
  }

 private:
  QString itemText(const char* name) const {
    return action(name)->text() + "\t" + action(name)->shortcut().toString();
  }

  // Four rows with old Results; calculating all writes rows one to three and stops at the
  // fourth, which refers to a row that does not exist.
  void fillTable() {
    const char* terms[] = {"x*10", "Erg1+y", "Erg2-1", "Erg9"};
    for (int i = 0; i < 4; ++i) {
      window_->table().appendRow(
          {std::string(1, static_cast<char>('A' + i)), terms[i], "7", std::to_string(i + 1)});
    }
  }

  // What the user does for each command, with row two (index 1) of fillTable() selected.
  std::map<QString, std::function<void()>> commands() {
    return {
        {"add row", [this] { clickButton("SpeedButton6"); }},
        {"delete row", [this] { clickButton("SpeedButton3"); }},
        {"move up", [this] { chooseFromMenu(openContextMenu(1), "Onerowup1"); }},
        {"move down", [this] { chooseFromMenu(openContextMenu(1), "Oneowdown1"); }},
        {"new table", [this] { clickButton("SpeedButton9"); }},
        {"edit name",
         [this] {
           QTest::keyClick(list_, Qt::Key_F2);
           QTRY_VERIFY(nameEditor() != nullptr && nameEditor()->isVisible());
           nameEditor()->selectAll();
           QTest::keyClicks(nameEditor(), "Area");
           QTest::keyClick(nameEditor(), Qt::Key_Return);
           QTRY_COMPARE(window_->table().row(1).name, std::string("Area"));
         }},
        {"edit term",
         [this] {
           whenModalOpens<QInputDialog>([](QInputDialog* box) {
             box->findChild<QLineEdit*>()->setText("y*7");
             box->accept();
           });
           doubleClickRow(list_, 1);
         }},
        {"calculate row", [this] { clickButton("SpeedButton7"); }},
        {"calculate all stopped by a fault",
         [this] {
           const auto seen = readFaultBox();
           clickButton("SpeedButton8");
           QCOMPARE(seen->text, QString("Zeile 9 existiert nicht."));
         }},
        {"open",
         [this] {
           QTemporaryDir folder;
           const QString file = folder.filePath("other.TBE");
           numora::saveTable(numora::test::tableOfTerms({"2", "3"}), file.toStdString());
           answerFileDialog(file);
           clickButton("SpeedButton2");
         }},
    };
  }

  // The keys as the user presses them, to whichever control has the focus in the window.
  void pressKeys(const char* keys) {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys));
  }

  // A right click on the row at `row`, which opens the table's context menu.
  QMenu* openContextMenu(int row) {
    auto* menu = control<QMenu>(*window_, "PopupMenu1");
    const QPoint at = centreOfCell(list_, row, RowTableModel::TermColumn);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, list_->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list_->viewport(), &rightClick);
    static_cast<void>(QTest::qWaitForWindowExposed(menu));
    return menu;
  }

  void chooseFromMenu(QMenu* menu, const char* item) {
    QVERIFY(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action(item)).center());
  }

  QLineEdit* nameEditor() const { return list_->findChild<QLineEdit*>(); }
};

QTEST_MAIN(UndoTest)
#include "UndoTest.moc"
