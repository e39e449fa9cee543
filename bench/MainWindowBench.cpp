// How the main window copes with large tables and long texts:
//   rows      a table of a million rows: the time from choosing the file in the open dialog
//             until the rows are on the screen, and the time to scroll through them;
//   longterm  a table whose one row has a 50 MB Term: opening it until the view has painted,
//             repainting it, and opening the term box on it;
//   faultbox  calculating a row whose Term is one literal of 10 million characters that is no
//             number: the time until the fault box that quotes it is on the screen;
//   valuetable 100,000 values of a 10-row table in the value table window: the time from
//             Calculate until the grid and the chart are on the screen, and the longest gap
//             between the ticks of a 10 ms timer while the worker runs;
//   undo      on the million-row table: Ctrl+Z after New and after Calculate all, each until
//             the view has painted the rows restored, and Ctrl+Y after each.
// Name the cases to run as arguments; without any, all of them run. Run it with a display, for
// example: xvfb-run -a build/bench/numora_window_bench longterm faultbox

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "ListView.h"
#include "MixTable.h"
#include "RowCommands.h"
#include "SEHU.h"
#include "TableFile.h"
#include "ValueTableChart.h"
#include "ValueTableModel.h"
#include "ValueTableWindow.h"

namespace {

constexpr int MillionRows = 1000000;
constexpr std::size_t LongTermBytes = 50'000'000;
constexpr std::size_t LongOperandCharacters = 10'000'000;

double millisecondsOf(const QElapsedTimer& clock) { return clock.nsecsElapsed() / 1e6; }

// A main window on the screen, ready for the user.
bool showWindow(TForm1& window) {
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    std::fprintf(stderr, "the main window was not shown\n");
    return false;
  }
  return true;
}

TListView* tableOf(TForm1& window) { return window.findChild<TListView*>("ListView1"); }

// Repaints the table's rows now and handles what the repaint left pending.
void repaintTable(TListView* list) {
  list->viewport()->repaint();
  QApplication::processEvents();
}

// Opens `path` through File > Open as a user would, choosing it in the open dialog, and
// returns the time from answering the dialog until the table has painted the rows.
double openThroughDialog(TForm1& window, const std::string& path) {
  QElapsedTimer clock;
  QTimer::singleShot(100, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    QLineEdit* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    name->setText(QString::fromStdString(path));
    clock.start();
    QTest::keyClick(name, Qt::Key_Return);
  });
  window.findChild<QAction*>("ffnen1")->trigger();
  repaintTable(tableOf(window));
  return millisecondsOf(clock);
}

// Runs `open`, which opens a modal window of type Window, and returns the time until that
// window is on the screen and painted; `close` then closes it.
template <typename Window>
double timeUntilShown(const std::function<void()>& open,
                      const std::function<void(Window*)>& close) {
  QElapsedTimer clock;
  double shownMs = -1;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* shown = qobject_cast<Window*>(QApplication::activeModalWidget());
    if (shown == nullptr) {
      return;
    }
    poll.stop();
    if (!QTest::qWaitForWindowExposed(shown)) {
      std::fprintf(stderr, "the modal window was not shown on the screen\n");
    }
    shown->repaint();
    shownMs = millisecondsOf(clock);
    close(shown);
  });
  poll.start(1);
  clock.start();
  open();
  return shownMs;
}

// The file of the million-row table, written on the first run.
std::string millionRowsFile() {
  const std::string path = NUMORA_BENCH_TABLE;
  if (!std::filesystem::exists(path)) {
    numora::saveTable(numora::bench::realisticMixTable(numora::bench::readMix(), MillionRows),
                      path);
  }
  return path;
}

int measureMillionRows() {
  const std::string path = millionRowsFile();
  TForm1 window;
  if (!showWindow(window)) {
    return 1;
  }
  TListView* list = tableOf(window);
  const double openMs = openThroughDialog(window, path);
  std::printf("rows shown: %d\n", list->model()->rowCount());
  std::printf("open until the rows are shown: %.0f ms\n", openMs);

  QScrollBar* bar = list->verticalScrollBar();
  QElapsedTimer clock;
  clock.start();
  bar->setValue(bar->maximum());
  repaintTable(list);
  std::printf("scroll to the last row and repaint: %.1f ms\n", millisecondsOf(clock));
  const int steps = 200;
  clock.start();
  for (int i = 0; i < steps; ++i) {
    QTest::keyClick(list, Qt::Key_PageUp);
    list->viewport()->repaint();
  }
  QApplication::processEvents();
  std::printf("page up with repaint: %.2f ms per page (%d pages)\n", millisecondsOf(clock) / steps,
              steps);
  clock.start();
  bar->setValue(bar->maximum() / 2);
  repaintTable(list);
  std::printf("jump to the middle and repaint: %.1f ms\n", millisecondsOf(clock));
  const QModelIndex top = list->indexAt(QPoint(5, 5));
  std::printf("top row now: %d (%s)\n", top.row() + 1, qPrintable(top.data().toString()));
  return 0;
}

// A Term of `bytes` bytes made of the usual parts of terms.
std::string longTerm(std::size_t bytes) {
  const std::string piece = "(x^(2)*5)/6+sin(30)*Erg1-12,5+";
  std::string term;
  term.reserve(bytes);
  while (term.size() + piece.size() <= bytes) {
    term += piece;
  }
  term.append(bytes - term.size(), '1');
  return term;
}

int measureLongTerm() {
  QTemporaryDir folder;
  const std::string path = folder.filePath("long.TBE").toStdString();
  numora::RowTable written;
  written.appendRow({"Long term", longTerm(LongTermBytes), "", "1"});
  numora::saveTable(written, path);

  TForm1 window;
  if (!showWindow(window)) {
    return 1;
  }
  TListView* list = tableOf(window);
  const double openMs = openThroughDialog(window, path);
  std::printf("50 MB term: open until the row is shown: %.0f ms (%zu bytes in the row)\n", openMs,
              window.table().row(0).term.size());
  QElapsedTimer clock;
  clock.start();
  repaintTable(list);
  std::printf("50 MB term: repaint: %.1f ms\n", millisecondsOf(clock));

  list->selectIndex(0);
  repaintTable(list);
  clock.start();
  repaintTable(list);
  std::printf("50 MB term: repaint with the row selected: %.1f ms\n", millisecondsOf(clock));
  double endKeyMs = -1;
  double confirmMs = -1;
  const double termBoxMs =
      timeUntilShown<QInputDialog>([&] { emit list->doubleClicked(list->currentIndex()); },
                                   [&](QInputDialog* box) {
                                     auto* field = box->findChild<QLineEdit*>();
                                     clock.start();
                                     QTest::keyClick(field, Qt::Key_End);
                                     box->repaint();
                                     endKeyMs = millisecondsOf(clock);
                                     clock.start();
                                     QTest::keyClick(field, Qt::Key_Return);
                                   });
  confirmMs = millisecondsOf(clock);
  std::printf("50 MB term: term box on the screen after %.0f ms\n", termBoxMs);
  std::printf("50 MB term: End in the term box and repaint: %.0f ms\n", endKeyMs);
  std::printf("50 MB term: OK in the term box until the Term is stored: %.0f ms (%zu bytes)\n",
              confirmMs, window.table().row(0).term.size());
  return 0;
}

// A literal of `characters` characters, "1,1,1,...", that is no number with either decimal
// separator.
std::string longLiteral(std::size_t characters) {
  std::string literal;
  literal.reserve(characters);
  while (literal.size() < characters) {
    literal += literal.size() % 2 == 0 ? '1' : ',';
  }
  if (literal.back() == ',') {
    literal.back() = '1';
  }
  return literal;
}

int measureFaultBox() {
  TForm1 window;
  if (!showWindow(window)) {
    return 1;
  }
  TListView* list = tableOf(window);
  numora::addRow(window.table(), -1);
  numora::storeTerm(window.table(), 0, longLiteral(LongOperandCharacters));
  list->selectIndex(0);
  repaintTable(list);
  QString text;
  const double boxMs =
      timeUntilShown<QMessageBox>([&] { window.findChild<QAction*>("DieseZeile1")->trigger(); },
                                  [&](QMessageBox* box) {
                                    text = box->text();
                                    box->accept();
                                  });
  std::printf("10-million-character operand: fault box on the screen after %.0f ms\n", boxMs);
  std::printf("its text: %lld characters, ending in \"%s\"\n", static_cast<long long>(text.size()),
              qPrintable(text.right(40)));
  return 0;
}

// Ten rows of the usual kinds: powers, functions and references to rows above.
void fillValueTableRows(numora::RowTable& table) {
  const char* const terms[] = {"x^(2)",        "sin(x)*cos(x)", "(x^(2)*5)/6", "ln(abs(x)+1)",
                               "Erg1+Erg3",    "sign(x)*3",     "abs(x)*y",    "Erg2*z",
                               "x^(3)/1000+1", "Erg5-Erg9"};
  int nr = 1;
  for (const char* term : terms) {
    table.appendRow({"Row " + std::to_string(nr), term, "", std::to_string(nr)});
    ++nr;
  }
}

int measureValueTable() {
  TForm1 window;
  if (!showWindow(window)) {
    return 1;
  }
  fillValueTableRows(window.table());
  window.findChild<QAction*>("ValueTable1")->trigger();
  ValueTableWindow* values = nullptr;
  for (QWidget* shown : QApplication::topLevelWidgets()) {
    values = values != nullptr ? values : qobject_cast<ValueTableWindow*>(shown);
  }
  if (values == nullptr || !QTest::qWaitForWindowExposed(values)) {
    std::fprintf(stderr, "the value table window was not shown\n");
    return 1;
  }
  values->findChild<QLineEdit*>("From")->setText("-50000");
  values->findChild<QLineEdit*>("To")->setText("49999");
  values->findChild<QLineEdit*>("Step")->setText("1");
  QElapsedTimer sinceTick;
  double longestGapMs = 0;
  QTimer ticks;
  QObject::connect(&ticks, &QTimer::timeout, [&] {
    longestGapMs = std::max(longestGapMs, millisecondsOf(sinceTick));
    sinceTick.start();
  });
  QElapsedTimer clock;
  clock.start();
  sinceTick.start();
  ticks.start(10);
  QTest::mouseClick(values->findChild<QPushButton*>("Calculate"), Qt::LeftButton);
  while (values->isCalculating()) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  }
  ticks.stop();
  const double calculatedMs = millisecondsOf(clock);
  values->repaint();
  values->chart()->viewport()->repaint();
  QApplication::processEvents();
  const double shownMs = millisecondsOf(clock);
  std::printf("value table: %d values, %d rows\n", values->model()->rowCount(),
              values->model()->columnCount() - 1);
  std::printf("value table: Calculate until the last line is in the grid: %.0f ms\n", calculatedMs);
  std::printf("value table: Calculate until the grid and chart are painted: %.0f ms\n", shownMs);
  std::printf("value table: longest gap between 10 ms ticks while calculating: %.1f ms\n",
              longestGapMs);
  clock.start();
  values->chart()->viewport()->repaint();
  std::printf("value table: repaint of the chart: %.0f ms\n", millisecondsOf(clock));
  return 0;
}

// Presses `keys` in the table and returns the time until the table has painted.
double timeOfKeysInTable(TListView* list, const char* keys) {
  QElapsedTimer clock;
  clock.start();
  QTest::keySequence(list, QKeySequence(keys));
  repaintTable(list);
  return millisecondsOf(clock);
}

// Closes the fault box that calculate all may end with, once it is shown.
void closeFaultBoxWhenShown(QTimer& poll) {
  QObject::connect(&poll, &QTimer::timeout, [&poll] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      std::printf("calculate all ended with: %s\n", qPrintable(box->text().left(80)));
      poll.stop();
      box->accept();
    }
  });
  poll.start(10);
}

int measureUndo() {
  const std::string path = millionRowsFile();
  TForm1 window;
  if (!showWindow(window)) {
    return 1;
  }
  TListView* list = tableOf(window);
  openThroughDialog(window, path);
  list->setFocus();
  const int rows = window.table().rowCount();
  const std::string lastResult = window.table().row(rows - 1).result;

  window.findChild<QAction*>("Neu1")->trigger();
  repaintTable(list);
  const double undoNewMs = timeOfKeysInTable(list, "Ctrl+Z");
  std::printf("undo of New: %.1f ms until %d rows are shown\n", undoNewMs,
              list->model()->rowCount());
  const double redoNewMs = timeOfKeysInTable(list, "Ctrl+Y");
  std::printf("redo of New: %.1f ms until %d rows are shown\n", redoNewMs,
              list->model()->rowCount());
  timeOfKeysInTable(list, "Ctrl+Z");

  QTimer faultBox;
  closeFaultBoxWhenShown(faultBox);
  QElapsedTimer clock;
  clock.start();
  window.findChild<QAction*>("GanzesFormular1")->trigger();
  repaintTable(list);
  std::printf("calculate all (x, y, z = 1): %.0f ms; last Result \"%s\" was \"%s\"\n",
              millisecondsOf(clock), window.table().row(rows - 1).result.c_str(),
              lastResult.c_str());
  const double undoAllMs = timeOfKeysInTable(list, "Ctrl+Z");
  std::printf("undo of Calculate all: %.1f ms until the view is painted; last Result \"%s\"\n",
              undoAllMs, window.table().row(rows - 1).result.c_str());
  const double redoAllMs = timeOfKeysInTable(list, "Ctrl+Y");
  std::printf("redo of Calculate all: %.1f ms until the view is painted\n", redoAllMs);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const std::set<std::string> chosen(argv + 1, argv + argc);
  const auto runs = [&](const char* name) { return chosen.empty() || chosen.count(name) > 0; };
  int failed = 0;
  if (runs("rows")) {
    failed |= measureMillionRows();
  }
  if (runs("longterm")) {
    failed |= measureLongTerm();
  }
  if (runs("faultbox")) {
    failed |= measureFaultBox();
  }
  if (runs("valuetable")) {
    failed |= measureValueTable();
  }
  if (runs("undo")) {
    failed |= measureUndo();
  }
  return failed;
}
