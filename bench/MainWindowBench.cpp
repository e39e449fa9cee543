// How the main window copes with a table of a million rows: the time from choosing a file in
// the open dialog until the rows are on the screen, and the time to scroll through them.
// Run it with a display, for example: xvfb-run -a build/bench/numora_window_bench

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "ListView.h"
#include "MixTable.h"
#include "SEHU.h"
#include "TableFile.h"

namespace {

constexpr int MillionRows = 1000000;

double millisecondsOf(const QElapsedTimer& clock) { return clock.nsecsElapsed() / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const std::string path = NUMORA_BENCH_TABLE;
  if (!std::filesystem::exists(path)) {
    numora::saveTable(numora::bench::realisticMixTable(numora::bench::readMix(), MillionRows),
                      path);
  }

  TForm1 window;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    std::fprintf(stderr, "the main window was not shown\n");
    return 1;
  }

  // Choose the file in the open dialog as a user would; the clock starts when the dialog
  // is answered.
  QElapsedTimer clock;
  QTimer::singleShot(100, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    QLineEdit* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    name->setText(QString::fromStdString(path));
    clock.start();
    QTest::keyClick(name, Qt::Key_Return);
  });
  auto* list = window.findChild<TListView*>("ListView1");
  window.findChild<QAction*>("ffnen1")->trigger();
  list->viewport()->repaint();
  QApplication::processEvents();
  const double openMs = millisecondsOf(clock);
  std::printf("rows shown: %d\n", list->model()->rowCount());
  std::printf("open until the rows are shown: %.0f ms\n", openMs);

  QScrollBar* bar = list->verticalScrollBar();
  clock.start();
  bar->setValue(bar->maximum());
  list->viewport()->repaint();
  QApplication::processEvents();
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
  list->viewport()->repaint();
  QApplication::processEvents();
  std::printf("jump to the middle and repaint: %.1f ms\n", millisecondsOf(clock));
  const QModelIndex top = list->indexAt(QPoint(5, 5));
  std::printf("top row now: %d (%s)\n", top.row() + 1, qPrintable(top.data().toString()));
  return 0;
}
