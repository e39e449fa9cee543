// What the table tells of its Results beside their texts, read as the user reads it: a Result
// that is no longer current is muted and its tooltip says why, the row where calculate all
// stopped is marked and quotes the fault, a row whose term was read by a rule a person would
// not guess is marked and its tooltip names the place; undo brings the marks back.

#include <QHelpEvent>
#include <QLineEdit>
#include <QPalette>
#include <QTest>
#include <QToolTip>

#include "MainWindowActions.h"
#include "MainWindowFixture.h"
#include "ResultMarks.h"
#include "SEHU.h"

namespace {

// One step of what the user does: click "Calculate all", type 2 into the field x, undo or redo
// from the menu.
enum class Step { CalculateAll, TypeX2, Undo, Redo };

// What a Result cell shows besides its text: muted or not, its marks, its tooltip.
struct ShownStatus {
  bool muted;
  int marks;
  QString tooltip;
};

}  // namespace

Q_DECLARE_METATYPE(Step)
Q_DECLARE_METATYPE(QList<Step>)

class ResultMarksTest : public MainWindowFixture {
  Q_OBJECT

 private slots:
  void resultCellsTellWhatTheirResultsAre_data() {
    QTest::addColumn<QList<Step>>("steps");
    // Per row: "C" current, "M" muted; then the marks (N notes, S stop) and the tooltip.
    QTest::addColumn<QStringList>("expected");
    const QString fromFile = "aus der Datei gelesen";
    QTest::newRow("read from the file")
        << QList<Step>{}
        << QStringList{"M|" + fromFile, "M|" + fromFile, "M|" + fromFile, "M|" + fromFile};
    QTest::newRow("calculated") << QList<Step>{Step::CalculateAll}
                                << QStringList{"C|", "C|", "C|", "C|N|" + NoteOfTwoX};
    QTest::newRow("x changed") << QList<Step>{Step::CalculateAll, Step::TypeX2}
                               << QStringList{
                                      "M|berechnet mit x = 1; x ist jetzt 2",
                                      "M|Zeile 1 wurde seither geändert",
                                      "M|berechnet mit x = 1; x ist jetzt 2",
                                      "M|N|berechnet mit x = 1; x ist jetzt 2\n" + NoteOfTwoX};
    QTest::newRow("stopped") << QList<Step>{Step::CalculateAll, Step::TypeX2, Step::CalculateAll}
                             << QStringList{
                                    "C|", "C|",
                                    "M|S|nicht erreicht: Berechnung in Zeile 3 abgebrochen\n"
                                    "Berechnung hier abgebrochen: Gleitkommaüberlauf",
                                    "M|N|nicht erreicht: Berechnung in Zeile 3 abgebrochen\n" +
                                        NoteOfTwoX};
    QTest::newRow("stop undone")
        << QList<Step>{Step::CalculateAll, Step::TypeX2, Step::CalculateAll, Step::Undo}
        << QStringList{"M|berechnet mit x = 1; x ist jetzt 2", "M|Zeile 1 wurde seither geändert",
                       "M|berechnet mit x = 1; x ist jetzt 2",
                       "M|N|berechnet mit x = 1; x ist jetzt 2\n" + NoteOfTwoX};
    QTest::newRow("stop redone")
        << QList<Step>{Step::CalculateAll, Step::TypeX2, Step::CalculateAll, Step::Undo, Step::Redo}
        << QStringList{"C|", "C|",
                       "M|S|nicht erreicht: Berechnung in Zeile 3 abgebrochen\n"
                       "Berechnung hier abgebrochen: Gleitkommaüberlauf",
                       "M|N|nicht erreicht: Berechnung in Zeile 3 abgebrochen\n" + NoteOfTwoX};
    QTest::newRow("calculation undone")
        << QList<Step>{Step::CalculateAll, Step::Undo}
        << QStringList{"M|" + fromFile, "M|" + fromFile, "M|" + fromFile, "M|" + fromFile};
  }

  void resultCellsTellWhatTheirResultsAre() {
    QFETCH(QList<Step>, steps);
    QFETCH(QStringList, expected);
    for (const Step step : steps) {
      take(step);
    }
    QStringList shown;
    for (int row = 0; row < expected.size(); ++row) {
      const ShownStatus status = shownStatus(row);
      QString line = status.muted ? "M|" : "C|";
      if (status.marks & resultMarks::Notes) {
        line += "N|";
      }
      if (status.marks & resultMarks::Stop) {
        line += "S|";
      }
      shown << line + status.tooltip;
    }
    QCOMPARE(shown, expected);
  }

 private:
  // "2x" reads as x: the note names the place where the x replaces the 2.
  inline static const QString NoteOfTwoX =
      "Stelle 2: Davor fehlt ein Rechenzeichen: Was hier beginnt, ersetzt den Wert direkt davor "
      "(auch ein Minuszeichen), statt mit ihm malgenommen zu werden.";

  // Rows as a table file gives them: a Result each, a row that reads row 1, one that overflows
  // once x is 2, and one whose term is read by a surprising rule.
  void prepare() override {
    window_->table().replaceAllRows({{"Double", "x*2", "7", "1"},
                                     {"Next", "Erg1+1", "7", "2"},
                                     {"Power", "10^(4000*x)", "7", "3"},
                                     {"Twice", "2x", "7", "4"}});
    window_->setDecimalSeparator(',');
  }

  void take(Step step) {
    switch (step) {
      case Step::CalculateAll: {
        const auto seen = readFaultBox();
        clickButton("SpeedButton8");
        return;
      }
      case Step::TypeX2: {
        auto* x = control<QLineEdit>(*window_, "Edit1");
        x->selectAll();
        QTest::keyClicks(x, "2");
        return;
      }
      case Step::Undo:
        action("Undo1")->trigger();
        return;
      case Step::Redo:
        action("Redo1")->trigger();
        return;
    }
  }

  // The Result cell of the row as the user sees it: its colour, its marks, and the tooltip
  // that resting the pointer on it shows.
  ShownStatus shownStatus(int row) {
    const QModelIndex cell = list_->model()->index(row, RowTableModel::ResultColumn);
    const QColor colour = cell.data(Qt::ForegroundRole).value<QColor>();
    QToolTip::hideText();
    const QPoint at = centreOfCell(list_, row, RowTableModel::ResultColumn);
    QHelpEvent help(QEvent::ToolTip, at, list_->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list_->viewport(), &help);
    const QString tooltip = shownTooltip();
    QToolTip::hideText();
    return {colour.isValid() && colour == resultMarks::mutedText(list_->palette()),
            cell.data(resultMarks::Role).toInt(), tooltip};
  }
};

QTEST_MAIN(ResultMarksTest)
#include "ResultMarksTest.moc"
