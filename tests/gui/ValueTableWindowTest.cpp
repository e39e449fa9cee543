// The value table window, used as a user uses it: opened from the Calculate menu, a range typed
// and calculated, the grid and the chart read, the legend clicked, the table exported, a long
// run cancelled, a bad range refused.

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEngine>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>
#include <QXmlStreamReader>
#include <cmath>
#include <memory>
#include <utility>

#include "FileAccess.h"
#include "MainWindowActions.h"
#include "MainWindowFixture.h"
#include "ResultMarks.h"
#include "SEHU.h"
#include "ValueTable.h"
#include "ValueTableChart.h"
#include "ValueTableCsv.h"
#include "ValueTableModel.h"
#include "ValueTableWindow.h"

namespace {

// A table with a row that overflows from |x| = 2 on, a row below it that is then not reached,
// and a row without a Term.
const std::vector<numora::Row> FaultingRows = {
    {"Square", "x^(2)", "", "1"},
    {"Power", "x^(20000)", "", "2"},
    {"Nothing", "", "", "3"},
    {"Next", "Erg1+1", "", "4"},
};

// Rows whose Results are a long number, a short one, one read with a reading note and a fault
// at x = 3.
const std::vector<numora::Row> CellWidthRows = {
    {"Long", "1,2345678901234567", "", "1"},
    {"Short", "x/2", "", "2"},
    {"Divided", "6/0+x", "", "3"},
    {"Power", "x^(20000)", "", "4"},
};

// A row whose Result at x = 0, 1E400, lies beyond the range of double.
const std::vector<numora::Row> PeakRows = {
    {"Square", "x^(2)", "", "1"},
    {"Peak", "10^(400/(x^(2)+1))", "", "2"},
};

// Many rows of long terms: a hundred thousand values of it take many seconds.
std::vector<numora::Row> slowRows() {
  std::vector<numora::Row> rows;
  for (int i = 1; i <= 40; ++i) {
    rows.push_back({"Row " + std::to_string(i),
                    "sin(x)*cos(x)+(x^(2)*5)/6+ln(abs(x)+1)+sin(x)*cos(x)+(x^(2)*5)/6+ln(abs(x)+1)",
                    "", std::to_string(i)});
  }
  return rows;
}

ValueTableWindow* openValueTableWindow(TForm1& main) {
  main.findChild<QAction*>("ValueTable1")->trigger();
  auto* window = topLevelWindow<ValueTableWindow>("ValueTableForm");
  if (window != nullptr) {
    static_cast<void>(QTest::qWaitForWindowExposed(window));
  }
  return window;
}

void typeInto(QLineEdit* field, const QString& text) {
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, text);
}

void typeRange(ValueTableWindow& window, const QString& from, const QString& to,
               const QString& step) {
  typeInto(control<QLineEdit>(window, "From"), from);
  typeInto(control<QLineEdit>(window, "To"), to);
  typeInto(control<QLineEdit>(window, "Step"), step);
}

// Clicks Calculate and waits until the run has ended.
bool calculate(ValueTableWindow& window) {
  QTest::mouseClick(control<QPushButton>(window, "Calculate"), Qt::LeftButton);
  return QTest::qWaitFor([&] { return !window.isCalculating(); }, 20000);
}

// A text a control drew: where its baseline starts, and how wide it is.
struct DrawnText {
  QString text;
  QPointF start;
  qreal width;
};

// A paint device that keeps the texts drawn on it, to read a control as the user sees it.
class TextRecorder : public QPaintDevice {
 public:
  explicit TextRecorder(QSize size) : size_(size) {}
  QPaintEngine* paintEngine() const override { return &engine_; }
  const QList<DrawnText>& texts() const { return engine_.texts; }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return size_.width();
      case PdmHeight:
        return size_.height();
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 96;
      case PdmDepth:
        return 32;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return QPaintDevice::metric(metric);
    }
  }

 private:
  struct Engine : QPaintEngine {
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF& start, const QTextItem& item) override {
      texts.push_back({item.text(), state->transform().map(start), item.width()});
    }
    Type type() const override { return User; }
    QList<DrawnText> texts;
  };
  QSize size_;
  mutable Engine engine_;
};

// The text the grid draws in the cell, as the user reads it, and where.
DrawnText drawnCell(QTableView& grid, int line, int column) {
  TextRecorder recorder(grid.size());
  grid.render(&recorder);
  const QRect cell = grid.visualRect(grid.model()->index(line, column))
                         .translated(grid.viewport()->mapTo(&grid, QPoint(0, 0)));
  for (const DrawnText& drawn : recorder.texts()) {
    if (cell.contains(drawn.start.toPoint())) {
      return drawn;
    }
  }
  return {};
}

// The tooltip the grid shows while the mouse rests on the cell, once any earlier one has gone.
QString cellTooltip(QTableView& grid, int line, int column) {
  QToolTip::hideText();
  if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) {
    return "an earlier tooltip stays";
  }
  const QPoint at = grid.visualRect(grid.model()->index(line, column)).center();
  QHelpEvent event(QEvent::ToolTip, at, grid.viewport()->mapToGlobal(at));
  QApplication::sendEvent(grid.viewport(), &event);
  return shownTooltip();
}

QString shownCell(const ValueTableWindow& window, int line, int column,
                  int role = Qt::DisplayRole) {
  const auto* grid = control<QTableView>(window, "Grid");
  return grid->model()->index(line, column).data(role).toString();
}

QString shownHeader(const ValueTableWindow& window, int column, int role = Qt::DisplayRole) {
  const auto* grid = control<QTableView>(window, "Grid");
  return grid->model()->headerData(column, Qt::Horizontal, role).toString();
}

// The texts on the chart's axes: their labels and titles.
QStringList axisLabels(ValueTableChart& chart) {
  QStringList labels;
  for (const QGraphicsItem* item : chart.scene()->items()) {
    if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item);
        text != nullptr && text->isVisible() && !text->toPlainText().isEmpty()) {
      labels << text->toPlainText();
    }
  }
  return labels;
}

// The number of straight lines an SVG drawing draws in `colour`: the segments of a series.
int linesDrawnIn(QFile& drawing, const QColor& colour) {
  QXmlStreamReader svg(&drawing);
  QStringList strokes = {"none"};
  int lines = 0;
  while (!svg.atEnd()) {
    svg.readNext();
    if (svg.isStartElement() && svg.name() == u"g") {
      strokes << svg.attributes().value("stroke").toString();
    } else if (svg.isEndElement() && svg.name() == u"g") {
      strokes.removeLast();
    } else if (svg.isStartElement() && svg.name() == u"polyline" &&
               strokes.back() == colour.name()) {
      lines += static_cast<int>(svg.attributes().value("points").split(' ').size()) - 2;
    }
  }
  if (svg.hasError()) {
    qWarning("the drawing is no SVG: %s", qPrintable(svg.errorString()));
    return -1;
  }
  return lines;
}

}  // namespace

class ValueTableWindowTest : public MainWindowFixture {
  Q_OBJECT

 private slots:
  void menuItemFollowsSelectedRow() {
    auto* menu = control<QMenu>(*main_, "Berechnen1");
    QStringList captions;
    for (QAction* action : menu->actions()) {
      captions << action->text().remove('&');
    }
    QCOMPARE(captions, QStringList({"All", "Selected row", "Value table..."}));
    QCOMPARE(menu->actions().back()->objectName(), QString("ValueTable1"));
  }

  void firstRangeStartsAtTheFieldThenKeepsTheLastUsed() {
    control<QLineEdit>(*main_, "Edit1")->setText("7");
    control<QLineEdit>(*main_, "Edit2")->setText("-3");
    ValueTableWindow* window = openValueTableWindow(*main_);
    QVERIFY(window != nullptr && window->isVisible());
    QCOMPARE(window->windowTitle(), QString("Value table"));
    const auto range = [&] {
      return QStringList({control<QLineEdit>(*window, "From")->text(),
                          control<QLineEdit>(*window, "To")->text(),
                          control<QLineEdit>(*window, "Step")->text()});
    };
    QCOMPARE(range(), QStringList({"7", "17", "1"}));
    control<QComboBox>(*window, "Variable")->setCurrentIndex(1);
    QCOMPARE(range(), QStringList({"-3", "7", "1"}));

    typeRange(*window, "2", "8", "3");
    QVERIFY(calculate(*window));
    QCOMPARE(window->model()->rowCount(), 3);
    window->close();
    control<QLineEdit>(*main_, "Edit2")->setText("100");
    QCOMPARE(openValueTableWindow(*main_), window);
    QCOMPARE(range(), QStringList({"2", "8", "3"}));
    QCOMPARE(control<QComboBox>(*window, "Variable")->currentText(), QString("y"));
  }

  // The window opens with the focus in From, so a range is typed and run by keyboard alone; the
  // progress bar shows only while a run goes on.
  void returnInARangeFieldCalculates_data() {
    QTest::addColumn<QString>("field");
    QTest::newRow("From") << "From";
    QTest::newRow("To") << "To";
    QTest::newRow("Step") << "Step";
  }

  void returnInARangeFieldCalculates() {
    QFETCH(QString, field);
    main_->table().replaceAllRows(FaultingRows);
    ValueTableWindow* window = openValueTableWindow(*main_);
    auto* progress = control<QProgressBar>(*window, "Progress");
    QTRY_COMPARE(QApplication::focusWidget(), control<QLineEdit>(*window, "From"));
    QVERIFY(!progress->isVisible());
    typeRange(*window, "-4", "6", "2");
    QTest::keyClick(control<QLineEdit>(*window, qPrintable(field)), Qt::Key_Return);
    QTRY_VERIFY(!window->isCalculating());
    QCOMPARE(window->model()->rowCount(), 6);
    QVERIFY(!progress->isVisible());
  }

  void windowGoesBesideTheMainWindowWithinTheScreen_data() {
    QTest::addColumn<QRect>("main");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("place");
    QTest::newRow("right of it") << QRect(213, 135, 700, 472) << QRect(0, 0, 1920, 1040)
                                 << QRect(913, 135, 920, 620);
    QTest::newRow("left of it") << QRect(1000, 135, 700, 472) << QRect(0, 0, 1920, 1040)
                                << QRect(80, 135, 920, 620);
    QTest::newRow("no room beside: at the edge with more room")
        << QRect(213, 135, 700, 472) << QRect(0, 0, 1280, 1024) << QRect(360, 135, 920, 620);
    QTest::newRow("kept above the bottom")
        << QRect(213, 600, 700, 472) << QRect(0, 0, 1920, 1040) << QRect(913, 420, 920, 620);
    QTest::newRow("second screen, panel at the top")
        << QRect(2000, 10, 700, 472) << QRect(1920, 30, 1920, 1050) << QRect(2700, 30, 920, 620);
    QTest::newRow("small screen: shrunk to it")
        << QRect(213, 135, 700, 472) << QRect(0, 24, 800, 576) << QRect(0, 24, 800, 576);
  }

  void windowGoesBesideTheMainWindowWithinTheScreen() {
    QFETCH(QRect, main);
    QFETCH(QRect, available);
    QFETCH(QRect, place);
    QCOMPARE(placeBeside(main, QSize(920, 620), available), place);
    ValueTableWindow* window = openValueTableWindow(*main_);
    const QRect screen = main_->screen()->availableGeometry();
    QVERIFY2(screen.contains(window->frameGeometry()),
             qPrintable(QString("%1,%2 %3x%4")
                            .arg(window->x())
                            .arg(window->y())
                            .arg(window->frameGeometry().width())
                            .arg(window->frameGeometry().height())));
    // It fits a 1280 x 1024 screen scaled to twice the size.
    QVERIFY2(window->minimumSizeHint().width() <= 640,
             qPrintable(QString::number(window->minimumSizeHint().width())));
  }

  void gridShowsValuesNamesFaultsAndLeavesTheTableAsItWas() {
    main_->table().replaceAllRows(FaultingRows);
    const QStringList before = linesOf(main_->table());
    ValueTableWindow* window = openValueTableWindow(*main_);
    typeRange(*window, "-2", "0", "1");
    QVERIFY(calculate(*window));

    QCOMPARE(linesOf(main_->table()), before);
    QCOMPARE(shownHeader(*window, 0), QString("x"));
    QCOMPARE(shownHeader(*window, 2), QString("Power"));
    QCOMPARE(shownHeader(*window, 2, Qt::ToolTipRole), QString("Nr 2: x^(20000)"));
    QCOMPARE(window->model()->columnCount(), 5);
    const QStringList expectedLines = {"-2|4|Fehler||", "-1|1|1||2", "0|0|0||1"};
    QStringList shown;
    for (int line = 0; line < window->model()->rowCount(); ++line) {
      QStringList cells;
      for (int column = 0; column < 5; ++column) {
        cells << shownCell(*window, line, column);
      }
      shown << cells.join('|');
    }
    QCOMPARE(shown, expectedLines);
    QCOMPARE(shownCell(*window, 0, 2, Qt::ToolTipRole), QString("Gleitkommaüberlauf"));
    QVERIFY(shownCell(*window, 0, 4, Qt::ToolTipRole).isEmpty());
  }

  // A number is never wrapped after its separator and cut to "1,…": a cell shows as much of it
  // as fits, right-aligned, and a cut cell shows its whole text as a tooltip.
  void cellsShowTheirNumbersRightAligned_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("cut");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("variable") << 0 << "3" << false << "";
    QTest::newRow("long number") << 1 << "1,2345678" << true << "1,23456789012346";
    QTest::newRow("short number") << 2 << "1,5" << false << "";
    QTest::newRow("fault") << 4 << "Fehler" << false << "Gleitkommaüberlauf";
    QTest::newRow("reading note, marked")
        << 3 << "6" << false
        << "Stelle 2: Hier wird durch 0 geteilt: Diese Division und alles, was danach in derselben "
           "Klammer oder im Term folgt, fällt weg.";
  }

  void cellsShowTheirNumbersRightAligned() {
    QFETCH(int, column);
    QFETCH(QString, start);
    QFETCH(bool, cut);
    QFETCH(QString, tooltip);
    main_->table().replaceAllRows(CellWidthRows);
    ValueTableWindow* window = openValueTableWindow(*main_);
    typeRange(*window, "3", "3", "1");
    QVERIFY(calculate(*window));
    auto* grid = control<QTableView>(*window, "Grid");
    grid->scrollTo(grid->model()->index(0, column));
    const QString whole = shownCell(*window, 0, column);
    const DrawnText drawn = drawnCell(*grid, 0, column);

    QVERIFY2(drawn.text.startsWith(start), qPrintable(drawn.text));
    QCOMPARE(drawn.text == whole, !cut);
    if (cut) {
      QCOMPARE(drawn.text.back(), QChar(0x2026));
      QVERIFY(whole.startsWith(drawn.text.chopped(1)));
    }
    const QRect cell = grid->visualRect(grid->model()->index(0, column));
    const qreal right = grid->viewport()->mapTo(grid, cell.topRight()).x();
    QVERIFY2(
        drawn.start.x() + drawn.width > right - 8,
        qPrintable(
            QString("%1 + %2 ends before %3").arg(drawn.start.x()).arg(drawn.width).arg(right)));
    QCOMPARE(cellTooltip(*grid, 0, column), tooltip);
    QCOMPARE(grid->model()->index(0, column).data(resultMarks::Role).toInt(),
             tooltip.startsWith("Stelle") ? int(resultMarks::Notes) : 0);
  }

  // Rows stay apart: each of the first twelve has a colour of its own, the thirteenth takes
  // the first colour with another line style, and two rows of one Name are told apart by Nr in
  // the grid's headers and in the legend, which shows every one of 25 rows.
  void rowsAreToldApartByColourAndLabel() {
    std::vector<numora::Row> rows;
    for (int i = 1; i <= 25; ++i) {
      rows.push_back({i == 13 ? "Row 1" : "Row " + std::to_string(i), "x*" + std::to_string(i), "",
                      std::to_string(i)});
    }
    main_->table().replaceAllRows(rows);
    ValueTableWindow* window = openValueTableWindow(*main_);
    typeRange(*window, "0", "2", "1");
    QVERIFY(calculate(*window));
    ValueTableChart* chart = window->chart();
    QSet<QRgb> colours;
    for (int row = 0; row < 12; ++row) {
      colours.insert(chart->rowSeries(row)->pen().color().rgb());
      QCOMPARE(chart->rowSeries(row)->pen().style(), Qt::SolidLine);
    }
    QCOMPARE(colours.size(), 12);
    QCOMPARE(chart->rowSeries(12)->pen().color(), chart->rowSeries(0)->pen().color());
    QVERIFY(chart->rowSeries(12)->pen().style() != Qt::SolidLine);
    const QAbstractItemModel* grid = control<QTableView>(*window, "Grid")->model();
    auto* legend = control<QListWidget>(*window, "Legend");
    QCOMPARE(legend->count(), 25);
    for (const auto& [row, label] : {std::pair{0, "Row 1 (Nr 1)"}, std::pair{1, "Row 2"},
                                     std::pair{12, "Row 1 (Nr 13)"}, std::pair{24, "Row 25"}}) {
      QCOMPARE(chart->rowSeries(row)->name(), QString(label));
      QCOMPARE(grid->headerData(row + 1, Qt::Horizontal).toString(), QString(label));
      legend->scrollToItem(legend->item(row));
      QCOMPARE(legend->item(row)->text(), QString(label));
      QVERIFY(legend->viewport()->rect().contains(legend->visualItemRect(legend->item(row))));
    }
  }

  void legendClickHidesAndShowsTheRowsLine() {
    main_->table().replaceAllRows(PeakRows);
    ValueTableWindow* window = openValueTableWindow(*main_);
    typeRange(*window, "-5", "5", "1");
    QVERIFY(calculate(*window));
    ValueTableChart* chart = window->chart();
    QXYSeries* peak = chart->rowSeries(1);
    QCOMPARE(peak->name(), QString("Peak"));
    // The line breaks at 0, where the Result is too large for the chart: two lines of the
    // row's colour, with one legend entry.
    QCOMPARE(chart->seriesOfRow(1).size(), std::size_t{2});
    QCOMPARE(peak->count(), 5);
    QCOMPARE(chart->seriesOfRow(1)[1]->color(), peak->color());
    QCOMPARE(chart->seriesOfRow(1)[1]->at(0), QPointF(1, 1e200));
    QCOMPARE(chart->rowSeries(0)->count(), 11);

    // A click on the row's legend entry hides its line, and the Result axis then spans the
    // rows shown; a second click shows it again.
    const auto resultAxis = [&] {
      return static_cast<QValueAxis*>(chart->chart()->axes(Qt::Vertical)[0]);
    };
    QVERIFY(resultAxis()->max() >= 1e200);
    auto* legend = control<QListWidget>(*window, "Legend");
    const auto clickEntry = [&](int row) {
      QTest::mouseClick(legend->viewport(), Qt::LeftButton, {},
                        legend->visualItemRect(legend->item(row)).center());
    };
    clickEntry(1);
    for (QXYSeries* series : chart->seriesOfRow(1)) {
      QVERIFY(!series->isVisible());
    }
    QVERIFY(chart->rowSeries(0)->isVisible());
    QCOMPARE(legend->item(1)->checkState(), Qt::Unchecked);
    QVERIFY2(resultAxis()->max() >= 25 && resultAxis()->max() <= 30,
             qPrintable(QString::number(resultAxis()->max())));
    QCOMPARE(resultAxis()->min(), 0.0);
    legend->setCurrentRow(1);
    QTest::keyClick(legend, Qt::Key_Space);
    for (QXYSeries* series : chart->seriesOfRow(1)) {
      QVERIFY(series->isVisible());
    }
    QVERIFY(resultAxis()->max() >= 1e200);

    // The point under the pointer tells its row, variable value and Result text.
    QToolTip::hideText();
    emit chart->rowSeries(0)->hovered(QPointF(3.2, 10), true);
    QTRY_COMPARE(QToolTip::text(), QString("Square\nx = 3\nResult = 9"));
    QCOMPARE(chart->pointText(1, 1), QString("Peak\nx = 1\nResult = 1E200"));
    emit chart->rowSeries(0)->hovered(QPointF(3.2, 10), false);
    QTRY_VERIFY(!QToolTip::isVisible());
  }

  // Results up to the limit of the number range label the Result axis with numbers, never
  // "inf": beyond 1E300 they are drawn in a unit that the axis's title names.
  void resultAxisLabelsAreNumbersNearTheLimits_data() {
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("title");
    QTest::newRow("up to 1E308") << "10^(x)"
                                 << "Result (in units of 1E308)";
    QTest::newRow("both ends") << "sign(x-200)*10^(abs(x-200)+108)"
                               << "Result (in units of 1E308)";
    QTest::newRow("plain") << "x^(2)"
                           << "Result";
  }

  void resultAxisLabelsAreNumbersNearTheLimits() {
    QFETCH(QString, term);
    QFETCH(QString, title);
    main_->table().replaceAllRows({{"Big", term.toStdString(), "", "1"}});
    ValueTableWindow* window = openValueTableWindow(*main_);
    typeRange(*window, "1", "400", "1");
    QVERIFY(calculate(*window));
    const auto* axis = static_cast<QValueAxis*>(window->chart()->chart()->axes(Qt::Vertical)[0]);
    // The labels are laid out once the chart has been painted.
    QStringList labels;
    QTRY_VERIFY((labels = axisLabels(*window->chart())).size() >= 6);
    for (const QString& label : labels) {
      bool number = false;
      const double value = label.toDouble(&number);
      QVERIFY2((number && std::isfinite(value)) || label == "x" || label == axis->titleText(),
               qPrintable(labels.join(", ")));
    }
    QCOMPARE(axis->titleText(), title);
  }

  // A line of 100,000 values is drawn with a few points per column of the chart, keeping its
  // ends, its highest and its lowest point.
  void aLongLineKeepsItsEndsAndPeaksWithFewerPoints() {
    main_->table().replaceAllRows({{"Wave", "sin(x)*x", "", "1"}});
    ValueTableWindow* window = openValueTableWindow(*main_);
    typeRange(*window, "-50000", "49999", "1");
    QVERIFY(calculate(*window));
    const std::vector<numora::ValueLine> lines =
        numora::calculateValueTable(main_->table(), main_->calculationInputs(), numora::Variable::X,
                                    numora::readValueRange("-50000", "49999", "1"));
    std::vector<double> values;
    for (const numora::ValueLine& line : lines) {
      values.push_back(*chartValue(line.cells[0].result, main_->calculationInputs().separator));
    }
    const QXYSeries* wave = window->chart()->rowSeries(0);
    QVERIFY2(wave->count() < 10000, qPrintable(QString::number(wave->count())));
    QList<double> drawn;
    for (const QPointF& point : wave->points()) {
      drawn << point.y();
    }
    QCOMPARE(wave->at(0), QPointF(-50000, values.front()));
    QCOMPARE(wave->at(wave->count() - 1), QPointF(49999, values.back()));
    QCOMPARE(*std::max_element(drawn.begin(), drawn.end()),
             *std::max_element(values.begin(), values.end()));
    QCOMPARE(*std::min_element(drawn.begin(), drawn.end()),
             *std::min_element(values.begin(), values.end()));
  }

  void exportWritesTheGridAndTheChart() {
    main_->table().replaceAllRows(FaultingRows);
    ValueTableWindow* window = openValueTableWindow(*main_);
    typeRange(*window, "-4", "6", "2");
    QVERIFY(calculate(*window));
    QTemporaryDir folder;
    const auto exportAs = [&](const QString& name) {
      answerFileDialog(folder.filePath(name));
      QTest::mouseClick(control<QPushButton>(*window, "Export"), Qt::LeftButton);
      return folder.filePath(name);
    };

    const std::string csv = numora::readWholeFile(exportAs("table.csv").toStdString());
    QCOMPARE(csv, numora::valueTableCsv(numora::Variable::X, window->model()->names(),
                                        window->model()->lines(), ','));
    QVERIFY(QString::fromStdString(csv).startsWith(
        "x;Square;Power;Nothing;Next\r\n-4;16;Fehler;;\r\n"));

    // A picture is the chart alone, at 1600 x 1000 unless the user picks another size: white
    // to its corners, where the window's grey margin was.
    const QImage picture(exportAs("chart.PNG"));
    QCOMPARE(picture.size(), QSize(1600, 1000));
    QCOMPARE(picture.pixelColor(1, 1), QColor(Qt::white));
    QCOMPARE(picture.pixelColor(1598, 998), QColor(Qt::white));
    auto* dialog = window->findChild<QFileDialog*>("ExportDialog");
    dialog->findChild<QSpinBox*>("ExportWidth")->setValue(800);
    dialog->findChild<QSpinBox*>("ExportHeight")->setValue(500);
    QCOMPARE(QImage(exportAs("small.png")).size(), QSize(800, 500));

    QFile drawing(exportAs("chart.svg"));
    QVERIFY(drawing.open(QIODevice::ReadOnly));
    QCOMPARE(linesDrawnIn(drawing, window->chart()->rowSeries(0)->color()),
             window->chart()->rowSeries(0)->count() - 1);
    drawing.seek(0);
    QVERIFY(drawing.readAll().contains("viewBox=\"0 0 800 500\""));
    // The window still shows the chart at its own size.
    QVERIFY(window->chart()->chart()->size().width() < 800);
  }

  void cancelKeepsTheLinesFinishedSoFar() {
    main_->table().replaceAllRows(slowRows());
    const QStringList before = linesOf(main_->table());
    ValueTableWindow* window = openValueTableWindow(*main_);
    typeRange(*window, "1", "100000", "1");
    QTest::mouseClick(control<QPushButton>(*window, "Calculate"), Qt::LeftButton);
    QVERIFY(window->isCalculating());
    QVERIFY(!control<QPushButton>(*window, "Calculate")->isEnabled());
    QVERIFY(control<QProgressBar>(*window, "Progress")->isVisible());
    QTRY_VERIFY(window->model()->rowCount() > 0);
    QTest::mouseClick(control<QPushButton>(*window, "Cancel"), Qt::LeftButton);
    QTRY_VERIFY(!window->isCalculating());

    const int shown = window->model()->rowCount();
    QVERIFY2(shown < 100000, qPrintable(QString::number(shown)));
    QCOMPARE(shownCell(*window, shown - 1, 0), QString::number(shown));
    QCOMPARE(shownCell(*window, shown - 1, 40).isEmpty(), false);
    QCOMPARE(window->chart()->rowSeries(0)->count(), shown);
    QCOMPARE(linesOf(main_->table()), before);
  }

  // Closing the window lets go of the value table; the range stays for the next time.
  void closingLetsGoOfTheTable() {
    main_->table().replaceAllRows(FaultingRows);
    ValueTableWindow* window = openValueTableWindow(*main_);
    typeRange(*window, "-4", "6", "2");
    QVERIFY(calculate(*window));
    QVERIFY(!window->chart()->chart()->series().isEmpty());
    window->close();
    QCOMPARE(window->model()->rowCount(), 0);
    QVERIFY(window->model()->lines().empty());
    QVERIFY(window->chart()->chart()->series().isEmpty());
    QCOMPARE(control<QListWidget>(*window, "Legend")->count(), 0);
    window = openValueTableWindow(*main_);
    QCOMPARE(control<QLineEdit>(*window, "From")->text(), QString("-4"));
    QVERIFY(calculate(*window));
    QCOMPARE(window->model()->rowCount(), 6);
  }

  void badRangeShowsItsFaultAndCalculatesNothing_data() {
    QTest::addColumn<QStringList>("range");
    QTest::addColumn<QString>("fault");
    QTest::newRow("from no number")
        << QStringList({"1,5", "3", "1"}) << "'1,5' ist kein gültiger Integerwert.";
    QTest::newRow("step 0") << QStringList({"1", "3", "0"})
                            << "Die Schrittweite darf nicht 0 sein.";
    QTest::newRow("step away") << QStringList({"1", "3", "-1"})
                               << "Die Schrittweite -1 führt von 1 nicht nach 3.";
    QTest::newRow("too many") << QStringList({"0", "100000", "1"})
                              << "Die Wertetabelle hätte 100001 Werte, höchstens 100000 sind "
                                 "möglich.";
  }

  void badRangeShowsItsFaultAndCalculatesNothing() {
    QFETCH(QStringList, range);
    QFETCH(QString, fault);
    main_->table().replaceAllRows(FaultingRows);
    ValueTableWindow* window = openValueTableWindow(*main_);
    const auto seen = readFaultBox();
    typeRange(*window, range[0], range[1], range[2]);
    QTest::mouseClick(control<QPushButton>(*window, "Calculate"), Qt::LeftButton);
    QCOMPARE(seen->text, fault);
    QVERIFY(!window->isCalculating());
    QCOMPARE(window->model()->rowCount(), 0);
    QCOMPARE(window->model()->columnCount(), 1);
  }

 private:
  void prepare() override {
    main_ = window_.get();
    main_->setDecimalSeparator(',');
  }

  // The main window, by a name that sets it apart from the value table window.
  TForm1* main_ = nullptr;
};

QTEST_MAIN(ValueTableWindowTest)
#include "ValueTableWindowTest.moc"
