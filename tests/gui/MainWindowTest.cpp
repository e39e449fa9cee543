// The main window, used as a user uses it: buttons, menus, the table, the variable fields and
// the dialogs that they open.

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <fstream>
#include <memory>
#include <sstream>

#include "ApplicationTitle.h"
#include "ListView.h"
#include "RowCommands.h"
#include "RowTableModel.h"
#include "SEHU.h"
#include "TableFile.h"
#include "UserActions.h"

namespace {

// The rows as "Name|Term|Result|Nr".
QStringList linesOf(const numora::RowTable& table) {
  QStringList lines;
  for (int i = 0; i < table.rowCount(); ++i) {
    const numora::Row& row = table.row(i);
    lines << QString::fromStdString(row.name + "|" + row.term + "|" + row.result + "|" + row.nr);
  }
  return lines;
}

// What the list shows, row by row, as "Name|Term|Result|Nr".
QStringList shownLines(TListView* list) {
  QStringList lines;
  const QAbstractItemModel* model = list->model();
  for (int row = 0; row < model->rowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < model->columnCount(); ++column) {
      cells << model->index(row, column).data().toString();
    }
    lines << cells.join('|');
  }
  return lines;
}

QPoint centreOfCell(TListView* list, int row, int column) {
  return list->visualRect(list->model()->index(row, column)).center();
}

void clickRow(TListView* list, int row, int column = RowTableModel::TermColumn) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOfCell(list, row, column));
}

// Types a term into the selected row through the input box.
void editTerm(TForm1& window, int row, const QString& term) {
  clickRow(window.ListView1, row);
  whenModalOpens<QInputDialog>([term](QInputDialog* box) {
    box->setTextValue(term);
    box->accept();
  });
  window.ListView1DblClick();
}

void answerFileDialog(const QString& fileName) {
  whenModalOpens<QFileDialog>([fileName](QFileDialog* dialog) {
    QLineEdit* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    name->setText(fileName);
    QTest::keyClick(name, Qt::Key_Return);
  });
}

struct FaultBoxSeen {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  bool modal = false;
};

// Reads the fault box that the next command opens and closes it with its button.
std::shared_ptr<FaultBoxSeen> readFaultBox() {
  auto seen = std::make_shared<FaultBoxSeen>();
  whenModalOpens<QMessageBox>([seen](QMessageBox* box) {
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->icon = box->icon();
    seen->modal = box->windowModality() == Qt::ApplicationModal;
    for (QAbstractButton* button : box->buttons()) {
      seen->buttons << button->text().remove('&');
    }
    box->buttons().front()->click();
  });
  return seen;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<TForm1>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() { window_.reset(); }

  void startsWithFieldsOfOneAndAnEmptyTable() {
    QCOMPARE(window_->windowTitle(), QString("Numora"));
    QCOMPARE(window_->Edit1->text(), QString("1"));
    QCOMPARE(window_->Edit2->text(), QString("1"));
    QCOMPARE(window_->Edit3->text(), QString("1"));
    QCOMPARE(window_->ListView1->model()->rowCount(), 0);
    const QHeaderView* header = window_->ListView1->header();
    QCOMPARE(header->model()->headerData(0, Qt::Horizontal).toString(), QString("Name"));
    QCOMPARE(header->sectionSize(0), 140);
    QCOMPARE(header->sectionSize(1), 400);
    QCOMPARE(header->sectionSize(2), 100);
    QCOMPARE(header->sectionSize(3), 28);
    QCOMPARE(window_->CoolBar1->height(), 33);
    QCOMPARE(window_->ToolBar1->height(), 31);
    QCOMPARE(window_->SpeedButton8->geometry(), QRect(248, 2, 33, 25));
    QCOMPARE(window_->SpeedButton8->toolTip(), QString("Calculate all"));
    QCOMPARE(window_->Edit2->geometry(), QRect(149, 2, 55, 20));
  }

  void buttonsAddDeleteAndClearRows() {
    TForm1& w = *window_;
    for (int i = 0; i < 3; ++i) {
      QTest::mouseClick(w.SpeedButton6, Qt::LeftButton);
    }
    QCOMPARE(shownLines(w.ListView1),
             QStringList({"New element|||1", "New element|||2", "New element|||3"}));
    QCOMPARE(w.ListView1->selectedIndex(), -1);
    clickRow(w.ListView1, 1);
    QTest::mouseClick(w.SpeedButton3, Qt::LeftButton);
    QCOMPARE(shownLines(w.ListView1), QStringList({"New element|||1", "New element|||3"}));
    QCOMPARE(w.ListView1->selectedIndex(), -1);
    QTest::mouseClick(w.SpeedButton9, Qt::LeftButton);
    QCOMPARE(w.ListView1->model()->rowCount(), 0);
  }

  // Each menu item runs its button's command: the same steps through either give the same
  // table.
  void everyMenuItemDoesWhatItsButtonDoes() {
    const auto build = [](TForm1& w, bool throughMenu) {
      const auto run = [&](QToolButton* button, QAction* item) {
        if (throughMenu) {
          item->trigger();
        } else {
          QTest::mouseClick(button, Qt::LeftButton);
        }
      };
      for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(w.SpeedButton6, Qt::LeftButton);
      }
      editTerm(w, 0, "x*10");
      editTerm(w, 1, "Erg1+y");
      editTerm(w, 2, "sin(30)");
      w.Edit1->setText("4");
      w.Edit2->setText("2");
      clickRow(w.ListView1, 0);
      run(w.SpeedButton7, w.DieseZeile1);
      QStringList lines = linesOf(w.table());
      run(w.SpeedButton8, w.GanzesFormular1);
      lines += linesOf(w.table());
      run(w.SpeedButton9, w.Neu1);
      lines += QString::number(w.table().rowCount());
      return lines;
    };
    TForm1 second;
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
    TForm1& w = *window_;
    QTest::mouseClick(w.SpeedButton6, Qt::LeftButton);
    numora::storeTerm(w.table(), 0, "x");
    w.Edit1->setText("abc");
    QTest::mouseClick(w.SpeedButton7, Qt::LeftButton);
    w.DieseZeile1->trigger();
    QVERIFY(!modalWindowOpen());
    QCOMPARE(linesOf(w.table()), QStringList({"New element|x||1"}));
  }

  void editTermWithOkEmptiedFieldAndCancel() {
    TForm1& w = *window_;
    QTest::mouseClick(w.SpeedButton6, Qt::LeftButton);
    w.table().setResult(0, "7");
    clickRow(w.ListView1, 0);
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
    QTest::mouseDClick(w.ListView1->viewport(), Qt::LeftButton, {},
                       centreOfCell(w.ListView1, 0, RowTableModel::TermColumn));
    QCOMPARE(title, QString("Rechnung"));
    QCOMPARE(label, QString("Rechnung:"));
    QCOMPARE(okText, QString("OK"));
    QCOMPARE(cancelText, QString("Abbrechen"));
    QCOMPARE(preset, QString(""));
    QCOMPARE(maximumLength, 255);
    QCOMPARE(linesOf(w.table()), QStringList({"New element| x + 1 |7|1"}));

    whenModalOpens<QInputDialog>([](QInputDialog* box) {
      box->findChild<QLineEdit*>()->clear();
      box->reject();
    });
    w.ListView1DblClick();
    QCOMPARE(linesOf(w.table()), QStringList({"New element| x + 1 |7|1"}));

    whenModalOpens<QInputDialog>([](QInputDialog* box) {
      box->findChild<QLineEdit*>()->clear();
      box->accept();
    });
    w.ListView1DblClick();
    QCOMPARE(linesOf(w.table()), QStringList({"New element||7|1"}));
  }

  void editTermWithoutSelectionOpensNothing() {
    QTest::mouseClick(window_->SpeedButton6, Qt::LeftButton);
    window_->ListView1DblClick();
    QVERIFY(!modalWindowOpen());
  }

  void aLongTermFromAFileIsNotCutByTheInputBox() {
    TForm1& w = *window_;
    QTest::mouseClick(w.SpeedButton6, Qt::LeftButton);
    const std::string longTerm = std::string(300, '1');
    numora::storeTerm(w.table(), 0, longTerm);
    clickRow(w.ListView1, 0);
    whenModalOpens<QInputDialog>([](QInputDialog* box) { box->accept(); });
    w.ListView1DblClick();
    QCOMPARE(w.table().row(0).term, longTerm);
  }

  void nameIsEditedInPlace() {
    TForm1& w = *window_;
    QTest::mouseClick(w.SpeedButton6, Qt::LeftButton);
    QTest::mouseClick(w.SpeedButton6, Qt::LeftButton);
    clickRow(w.ListView1, 1);
    // A click on the selected row, here on its Term, edits its Name.
    clickRow(w.ListView1, 1);
    QTRY_VERIFY(w.ListView1->findChild<QLineEdit*>() != nullptr &&
                w.ListView1->findChild<QLineEdit*>()->isVisible());
    QLineEdit* editor = w.ListView1->findChild<QLineEdit*>();
    editor->selectAll();
    QTest::keyClicks(editor, "Area <1>");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(QString::fromStdString(w.table().row(1).name), QString("Area <1>"));
    // F2 edits the Name too; Escape leaves it as it was.
    QTest::keyClick(w.ListView1, Qt::Key_F2);
    QTRY_VERIFY(w.ListView1->findChild<QLineEdit*>()->isVisible());
    QTest::keyClicks(w.ListView1->findChild<QLineEdit*>(), "nothing");
    QTest::keyClick(w.ListView1->findChild<QLineEdit*>(), Qt::Key_Escape);
    QCOMPARE(QString::fromStdString(w.table().row(1).name), QString("Area <1>"));
    QCOMPARE(QString::fromStdString(w.table().row(0).name), QString("New element"));
  }

  void contextMenuMovesRows() {
    TForm1& w = *window_;
    for (int i = 0; i < 3; ++i) {
      QTest::mouseClick(w.SpeedButton6, Qt::LeftButton);
      w.table().setName(i, std::string(1, static_cast<char>('A' + i)));
    }
    // A right click opens the menu whether or not a row is selected.
    QSignalSpy requested(w.ListView1, &QWidget::customContextMenuRequested);
    const QPoint emptySpace(50, 200);
    QContextMenuEvent onEmptySpace(QContextMenuEvent::Mouse, emptySpace,
                                   w.ListView1->viewport()->mapToGlobal(emptySpace));
    QApplication::sendEvent(w.ListView1->viewport(), &onEmptySpace);
    QTRY_VERIFY(w.PopupMenu1->isVisible());
    w.PopupMenu1->close();
    QCOMPARE(requested.count(), 1);

    // Right click on the second row, then click "One row up" in the menu.
    const auto chooseFromContextMenu = [&](int row, QAction* item) {
      clickRow(w.ListView1, row);
      const QPoint at = centreOfCell(w.ListView1, row, RowTableModel::TermColumn);
      QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at,
                                   w.ListView1->viewport()->mapToGlobal(at));
      QApplication::sendEvent(w.ListView1->viewport(), &rightClick);
      QVERIFY(QTest::qWaitForWindowExposed(w.PopupMenu1));
      QTest::mouseClick(w.PopupMenu1, Qt::LeftButton, {},
                        w.PopupMenu1->actionGeometry(item).center());
    };
    chooseFromContextMenu(1, w.Onerowup1);
    QCOMPARE(linesOf(w.table()), QStringList({"B|||1", "A|||2", "C|||3"}));
    QCOMPARE(w.ListView1->selectedIndex(), 1);
    chooseFromContextMenu(1, w.Oneowdown1);
    QCOMPARE(linesOf(w.table()), QStringList({"B|||1", "C|||2", "A|||3"}));
    QCOMPARE(w.ListView1->selectedIndex(), 1);
    QCOMPARE(w.PopupMenu1->actions().at(0)->text(), QString("One row up"));
    QCOMPARE(w.PopupMenu1->actions().at(1)->text(), QString("One ow down"));
  }

  void shortcutsWorkWhereverTheFocusIs() {
    TForm1& w = *window_;
    QTemporaryDir folder;
    QTest::mouseClick(w.SpeedButton6, Qt::LeftButton);
    numora::storeTerm(w.table(), 0, "2*x");
    // Ctrl+S with the focus in the y field; a name without extension gets ".TBE".
    w.Edit2->setFocus();
    answerFileDialog(folder.filePath("saved"));
    QTest::keyClick(w.Edit2, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(folder.filePath("saved.TBE")));
    // Ctrl+O with the focus in the table.
    QTest::mouseClick(w.SpeedButton9, Qt::LeftButton);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.ListView1->setFocus();
    QVERIFY(w.ListView1->hasFocus());
    answerFileDialog(folder.filePath("saved.TBE"));
    QTest::keyClick(w.ListView1, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(linesOf(w.table()), QStringList({"New element|2*x||1"}));
    QCOMPARE(w.ListView1->selectedIndex(), -1);
    QCOMPARE(w.Edit2->text(), QString("1"));
    // Ctrl+O with the focus in the z field.
    QTest::mouseClick(w.SpeedButton6, Qt::LeftButton);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.Edit3->setFocus();
    answerFileDialog(folder.filePath("saved.TBE"));
    QTest::keyClick(w.Edit3, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(linesOf(w.table()), QStringList({"New element|2*x||1"}));
  }

  void openDialogShowsTableFilesInAnyLetterCase() {
    QTemporaryDir folder;
    for (const char* name : {"a.TBE", "b.tbe", "c.Tbe", "d.txt"}) {
      numora::saveTable(numora::RowTable(), folder.filePath(name).toStdString());
    }
    QFileDialog* dialog = window_->OpenDialog1;
    QCOMPARE(dialog->nameFilters(), QStringList({"TBE (*.[Tt][Bb][Ee])"}));
    QCOMPARE(dialog->defaultSuffix(), QString("TBE"));
    QDir shown(folder.path(), "*.[Tt][Bb][Ee]");
    QCOMPARE(shown.entryList(), QStringList({"a.TBE", "b.tbe", "c.Tbe"}));
  }

  // The third of five rows fails: the box shows the fault, rows one and two keep their new
  // Results, rows three to five their old ones.
  void aFaultIsShownInTheFaultBoxAndTheTableKeepsWhatWasWritten() {
    TForm1& w = *window_;
    const char* terms[] = {"x", "x+1", "Erg9", "x+3", "x+4"};
    for (int i = 0; i < 5; ++i) {
      QTest::mouseClick(w.SpeedButton6, Qt::LeftButton);
      numora::storeTerm(w.table(), i, terms[i]);
      w.table().setResult(i, "old");
    }
    w.Edit1->setText("5");
    const auto seen = readFaultBox();
    QTest::mouseClick(w.SpeedButton8, Qt::LeftButton);
    QCOMPARE(seen->title, QString::fromStdString(numora::applicationTitle()));
    QCOMPARE(seen->title, QString("numora_gui_tests"));
    QCOMPARE(seen->text, QString("Zeile 9 existiert nicht."));
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QCOMPARE(seen->buttons, QStringList({"OK"}));
    QVERIFY(seen->modal);
    QCOMPARE(shownLines(w.ListView1),
             QStringList({"New element|x|5|1", "New element|x+1|6|2", "New element|Erg9|old|3",
                          "New element|x+3|old|4", "New element|x+4|old|5"}));
    // The window goes on accepting commands.
    w.Edit1->setText("abc");
    const auto second = readFaultBox();
    clickRow(w.ListView1, 0);
    QTest::mouseClick(w.SpeedButton7, Qt::LeftButton);
    QCOMPARE(second->text, QString("'abc' ist kein gültiger Integerwert."));
  }

  void aCorruptTableFileIsRefusedAndTheTableStays() {
    TForm1& w = *window_;
    QTemporaryDir folder;
    const QString file = folder.filePath("broken.TBE");
    std::ofstream(file.toStdString())
        << "{\"format\": \"numora-table\", \"version\": 1, \"rows\": [";
    QTest::mouseClick(w.SpeedButton6, Qt::LeftButton);
    answerFileDialog(file);
    const auto seen = readFaultBox();
    QTest::mouseClick(w.SpeedButton2, Qt::LeftButton);
    QCOMPARE(seen->text, "Datei \"" + file +
                             "\" ist keine gültige Tabellendatei. Syntaxfehler in Zeile 1, "
                             "Spalte 51.");
    QCOMPARE(linesOf(w.table()), QStringList({"New element|||1"}));
  }

  void exitClosesTheWindowWithoutAsking() {
    QTest::mouseClick(window_->SpeedButton6, Qt::LeftButton);
    window_->Schlieen1->trigger();
    QVERIFY(!modalWindowOpen());
    QVERIFY(!window_->isVisible());
  }

 private:
  std::unique_ptr<TForm1> window_;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
