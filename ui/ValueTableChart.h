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
class QLegendMarker;
class QLineSeries;

// The value table as a chart: for every row one line of its Results against the variable,
// broken where a value has no number (a fault, a row not reached, an empty Term, a Result
// beyond the range of double). The legend names the rows; a click on a row's entry hides its
// line, a second click shows it again.
//
// Each unbroken run of a row's values is a series of its own, since a line series draws from
// every point to the next; only the row's first series has an entry in the legend, and the
// others follow it. A single value between two gaps is drawn as a dot.
class ValueTableChart : public QChartView {
  Q_OBJECT

 public:
  explicit ValueTableChart(QWidget* parent = nullptr);

  void showTable(numora::Variable variable, const std::vector<numora::Row>& rows,
                 const std::vector<numora::ValueLine>& lines, char separator);

  // The series in the legend for the row at `index`: it carries the row's Name and colour.
  QXYSeries* rowSeries(int index) const;
  // Every series of the row at `index`, its legend series first.
  const std::vector<QXYSeries*>& seriesOfRow(int index) const;

 private:
  void addRow(const QString& name, const QPen& pen, const std::vector<QList<QPointF>>& runs);
  void attachAxes(numora::Variable variable, const std::vector<numora::ValueLine>& lines);
  void toggleRow(QLegendMarker* marker);
  void hideFollowingMarkers();

  std::vector<std::vector<QXYSeries*>> rows_;
  // The lowest and highest Result on the chart; infinite while there is none.
  double lowest_ = 0;
  double highest_ = 0;
};

// The number a Result text stands for on the chart: the text read with `separator` as its
// decimal separator. Nothing for a text that is no finite number or lies beyond the range of
// double; a value too small for double reads as 0.
std::optional<double> chartValue(const std::string& result, char separator);

// The line of the chart's row at `index`: each of the first twelve rows has a colour of its
// own; the rows after them take the colours again with another line style.
QPen rowPen(std::size_t index);
