#pragma once

// What a user does in the main window and what they read there: clicks on the table's rows,
// the answer to a file dialog, the text of the fault box, the rows the table shows.

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <memory>
#include <string>

#include "ListView.h"
#include "RowTable.h"
#include "RowTableModel.h"
#include "SEHU.h"
#include "TestSupport.h"
#include "UserActions.h"

// A new main window, shown and, once the window system lets it, active: as the user finds it.
// The test checks isActiveWindow() itself, so that a window that never came up fails there.
inline std::unique_ptr<TForm1> openMainWindow() {
  auto window = std::make_unique<TForm1>();
  window->show();
  static_cast<void>(QTest::qWaitForWindowActive(window.get()));
  return window;
}

// The rows of the table as "Name|Term|Result|Nr".
inline QStringList linesOf(const numora::RowTable& table) {
  QStringList lines;
  for (const std::string& line : numora::test::linesOf(table)) {
    lines << QString::fromStdString(line);
  }
  return lines;
}

// What the list shows, row by row, as "Name|Term|Result|Nr".
inline QStringList shownLines(const TListView* list) {
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

inline QPoint centreOfCell(const TListView* list, int row, int column) {
  return list->visualRect(list->model()->index(row, column)).center();
}

inline void clickRow(TListView* list, int row, int column = RowTableModel::TermColumn) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOfCell(list, row, column));
}

// A double-click as the window system delivers it: a click, then a press that is also a
// double-click, then the release.
inline void doubleClickRow(TListView* list, int row, int column = RowTableModel::TermColumn) {
  QWidget* viewport = list->viewport();
  const QPoint at = centreOfCell(list, row, column);
  QTest::mousePress(viewport, Qt::LeftButton, {}, at);
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
  QTest::mousePress(viewport, Qt::LeftButton, {}, at);
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
}

// Types `fileName` into the next file dialog and confirms it with Return.
inline void answerFileDialog(const QString& fileName) {
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
inline std::shared_ptr<FaultBoxSeen> readFaultBox() {
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
