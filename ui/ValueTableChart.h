#pragma once

#include <QChartView>
#include <QPen>
#include <QXYSeries>
#include <optional>
#include <string>
#include <vector>

#include "RowTable.h"
#include "ValueTable.h"

class QAbstractSeries;
class QLineSeries;
class ValueTableModel;

// The value table as a chart: for every row one line of its Results against the variable,
// broken where a value has no number (a fault, a row not reached, an empty Term, a Result
// beyond the range of double). Results of a magnitude above 1E300 are drawn in a unit of a
// power of ten, which the Result axis's title names. A row's line can be hidden; the Result axis
// then spans the lines shown. The point under the pointer shows its variable value and Result text
// as a tooltip. In the window the legend is a list beside the chart (it scrolls, where a chart's
// own legend would cut rows off); a picture of the chart alone carries the chart's own legend.
//
// Each unbroken run of a row's values is a series of its own, since a line series draws from
// every point to the next; only the row's first series has an entry in the legend, and the
// others follow it. A single value between two gaps is drawn as a dot.
class ValueTableChart : public QChartView {
  Q_OBJECT

 public:
  explicit ValueTableChart(QWidget* parent = nullptr);

  // Shows the model's table, which the chart reads again for its tooltips: the model must
  // outlive the chart or be shown anew.
  void showTable(const ValueTableModel& model, char separator);
  // Shows nothing, and gives back what the lines held.
  void clearTable();
  void setRowShown(int index, bool shown);
  bool isRowShown(int index) const;
  // The chart alone, with its own legend, drawn at `size` by `painter` from its top left.
  void renderAlone(QPainter& painter, QSize size);
  // What the point tooltip of the row at `index` says at this variable value.
  QString pointText(int index, double variableValue) const;

  // The series in the legend for the row at `index`: it carries the row's Name and colour.
  QXYSeries* rowSeries(int index) const;
  // Every series of the row at `index`, its legend series first.
  const std::vector<QXYSeries*>& seriesOfRow(int index) const;

 private:
  struct ChartRow {
    std::vector<QXYSeries*> series;
    // The row's lowest and highest Result on the chart; infinite while it has none.
    double lowest;
    double highest;
  };

  void addRow(const QString& name, const QPen& pen, const std::vector<QList<QPointF>>& runs);
  // `exponent` is the power of ten the Results are drawn in, 0 for plain values.
  void attachAxes(numora::Variable variable, const std::vector<numora::ValueLine>& lines,
                  int exponent);
  void fitResultAxis();
  void showPointTooltip(int index, const QPointF& point, bool entered);
  void showLegendEntries();

  std::vector<ChartRow> rows_;
  const ValueTableModel* model_ = nullptr;
};

// The number a Result text stands for on the chart: the text read with `separator` as its
// decimal separator. Nothing for a text that is no finite number or lies beyond the range of
// double; a value too small for double reads as 0.
std::optional<double> chartValue(const std::string& result, char separator);

// The line of the chart's row at `index`: each of the first twelve rows has a colour of its
// own; the rows after them take the colours again with another line style.
QPen rowPen(std::size_t index);
