#include "ValueTableChart.h"

#include <QCursor>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>

#include "ValueTableModel.h"

namespace {

// Whether the exponent part of a number text is negative: the value is tiny, not huge.
bool hasNegativeExponent(const std::string& text) {
  const std::size_t exponent = text.find_first_of("eE");
  return exponent != std::string::npos && exponent + 1 < text.size() && text[exponent + 1] == '-';
}

// A chart is some hundreds of pixels wide: a line of more points than about twice that many
// columns draws nothing more, only slower.
constexpr int ChartColumns = 2000;

// The points of `run` a line needs at a resolution of `columnWidth` along the variable: in each
// column the first, lowest, highest and last point, in their order, so the line keeps every
// peak and dip the full line shows.
QList<QPointF> thinned(const QList<QPointF>& run, double columnWidth) {
  if (run.size() <= 4 * ChartColumns || !(columnWidth > 0)) {
    return run;
  }
  QList<QPointF> kept;
  const auto columnOf = [&](const QPointF& point) {
    return std::floor(std::abs(point.x() - run.front().x()) / columnWidth);
  };
  qsizetype start = 0;
  while (start < run.size()) {
    const double column = columnOf(run[start]);
    qsizetype end = start;
    qsizetype lowest = start;
    qsizetype highest = start;
    while (end < run.size() && columnOf(run[end]) == column) {
      lowest = run[end].y() < run[lowest].y() ? end : lowest;
      highest = run[end].y() > run[highest].y() ? end : highest;
      ++end;
    }
    for (const qsizetype index :
         {start, std::min(lowest, highest), std::max(lowest, highest), end - 1}) {
      if (kept.isEmpty() || kept.back() != run[index]) {
        kept.append(run[index]);
      }
    }
    start = end;
  }
  return kept;
}

// The runs of consecutive values of the row at `index` that have a number on the chart.
std::vector<QList<QPointF>> runsOfRow(const std::vector<numora::ValueLine>& lines,
                                      std::size_t index, char separator) {
  std::vector<QList<QPointF>> runs;
  bool inRun = false;
  for (const numora::ValueLine& line : lines) {
    std::optional<double> value;
    if (index < line.cells.size() && line.cells[index].state == numora::CellState::Value) {
      value = chartValue(line.cells[index].result, separator);
    }
    if (!value) {
      inRun = false;
      continue;
    }
    if (!inRun) {
      runs.emplace_back();
      inRun = true;
    }
    runs.back().append(QPointF(line.value, *value));
  }
  if (!lines.empty()) {
    const double span = std::abs(static_cast<double>(lines.back().value) -
                                 static_cast<double>(lines.front().value));
    for (QList<QPointF>& run : runs) {
      run = thinned(run, span / ChartColumns);
    }
  }
  return runs;
}

// A span for an axis from `low` to `high` that shows both ends, even when they are one value.
std::pair<double, double> axisSpan(double low, double high) {
  if (low > high) {
    return {0, 1};
  }
  if (low == high) {
    const double margin = low == 0 ? 1 : std::abs(low) / 10;
    return {low - margin, high + margin};
  }
  return {low, high};
}

void setSpan(QValueAxis* axis, std::pair<double, double> span) {
  axis->setRange(span.first, span.second);
  if (std::isfinite(span.second - span.first)) {
    axis->applyNiceNumbers();
  }
}

// The axis computes its labels as multiples of its span, which overflow to "inf" long before
// the values reach the largest double: Results beyond this magnitude are drawn in a unit of a
// power of ten instead.
constexpr double LargestUnscaledResult = 1e300;

// The power of ten, 0 or above 300, that the Results in `runs` are drawn in.
int resultExponent(const std::vector<std::vector<QList<QPointF>>>& runs) {
  double largest = 0;
  for (const auto& row : runs) {
    for (const QList<QPointF>& run : row) {
      for (const QPointF& point : run) {
        largest = std::max(largest, std::abs(point.y()));
      }
    }
  }
  return largest > LargestUnscaledResult ? static_cast<int>(std::floor(std::log10(largest))) : 0;
}

void scaleResults(std::vector<std::vector<QList<QPointF>>>& runs, int exponent) {
  const double unit = std::pow(10.0, exponent);
  for (auto& row : runs) {
    for (QList<QPointF>& run : row) {
      for (QPointF& point : run) {
        point.setY(point.y() / unit);
      }
    }
  }
}

// Twelve colours that are told apart at a glance, the chart's rows taking them in turn.
constexpr QRgb RowColours[] = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd, 0x8c564b,
                               0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf, 0x000080, 0xb8860b};
constexpr Qt::PenStyle RowLineStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine};

}  // namespace

QPen rowPen(std::size_t index) {
  constexpr std::size_t colours = std::size(RowColours);
  const Qt::PenStyle style = RowLineStyles[(index / colours) % std::size(RowLineStyles)];
  return QPen(QColor(RowColours[index % colours]), 2, style);
}

std::optional<double> chartValue(const std::string& result, char separator) {
  std::string text = result;
  std::replace(text.begin(), text.end(), separator, '.');
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (stop != end || text.empty()) {
    return std::nullopt;
  }
  if (error == std::errc::result_out_of_range) {
    return hasNegativeExponent(text) ? std::optional<double>(0) : std::nullopt;
  }
  if (error != std::errc() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

ValueTableChart::ValueTableChart(QWidget* parent) : QChartView(parent) {
  setRenderHint(QPainter::Antialiasing);
  chart()->legend()->setAlignment(Qt::AlignRight);
  chart()->legend()->hide();
}

void ValueTableChart::showTable(const ValueTableModel& model, char separator) {
  clearTable();
  model_ = &model;
  const std::vector<numora::Row>& rows = model.rows();
  const QStringList labels = rowLabels(rows);
  std::vector<std::vector<QList<QPointF>>> runs;
  for (std::size_t index = 0; index < rows.size(); ++index) {
    runs.push_back(runsOfRow(model.lines(), index, separator));
  }
  const int exponent = resultExponent(runs);
  if (exponent != 0) {
    scaleResults(runs, exponent);
  }
  for (std::size_t index = 0; index < rows.size(); ++index) {
    addRow(labels[static_cast<qsizetype>(index)], rowPen(index), runs[index]);
  }
  attachAxes(model.variable(), model.lines(), exponent);
  showLegendEntries();
}

void ValueTableChart::clearTable() {
  chart()->removeAllSeries();
  for (QAbstractAxis* axis : chart()->axes()) {
    chart()->removeAxis(axis);
    delete axis;
  }
  rows_.clear();
  model_ = nullptr;
}

// A row's series: the first run in the series that the legend shows (empty when the row has
// no number at all), further runs of two values and more as lines, single values as dots.
void ValueTableChart::addRow(const QString& name, const QPen& pen,
                             const std::vector<QList<QPointF>>& runs) {
  ChartRow row{
      {}, std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  auto* first = new QLineSeries;
  first->setName(name);
  chart()->addSeries(first);
  first->setPen(pen);
  row.series.push_back(first);
  QList<QPointF> dots;
  bool firstFilled = false;
  for (const QList<QPointF>& run : runs) {
    for (const QPointF& point : run) {
      row.lowest = std::min(row.lowest, point.y());
      row.highest = std::max(row.highest, point.y());
    }
    if (run.size() == 1) {
      dots.append(run.front());
    } else if (!firstFilled) {
      first->replace(run);
      firstFilled = true;
    } else {
      auto* more = new QLineSeries;
      more->setName(name);
      more->replace(run);
      more->setPen(first->pen());
      chart()->addSeries(more);
      row.series.push_back(more);
    }
  }
  if (!dots.isEmpty()) {
    auto* scatter = new QScatterSeries;
    scatter->setName(name);
    scatter->setMarkerSize(5);
    scatter->setColor(first->color());
    scatter->setBorderColor(first->color());
    scatter->replace(dots);
    chart()->addSeries(scatter);
    row.series.push_back(scatter);
  }
  const int index = static_cast<int>(rows_.size());
  for (QXYSeries* series : row.series) {
    connect(series, &QXYSeries::hovered, this, [this, index](const QPointF& point, bool entered) {
      showPointTooltip(index, point, entered);
    });
  }
  rows_.push_back(std::move(row));
}

void ValueTableChart::attachAxes(numora::Variable variable,
                                 const std::vector<numora::ValueLine>& lines, int exponent) {
  auto* across = new QValueAxis;
  across->setTitleText(QString(numora::variableLetter(variable)));
  across->setLabelFormat("%g");
  auto* up = new QValueAxis;
  up->setTitleText(exponent == 0 ? QString("Result")
                                 : QString("Result (in units of 1E%1)").arg(exponent));
  up->setLabelFormat("%g");
  chart()->addAxis(across, Qt::AlignBottom);
  chart()->addAxis(up, Qt::AlignLeft);
  if (lines.empty()) {
    setSpan(across, {0, 1});
  } else {
    const auto [first, last] = std::minmax(lines.front().value, lines.back().value);
    setSpan(across, axisSpan(first, last));
  }
  for (QAbstractSeries* series : chart()->series()) {
    series->attachAxis(across);
    series->attachAxis(up);
  }
  fitResultAxis();
}

// The Result axis spans the lowest to the highest Result of the rows shown.
void ValueTableChart::fitResultAxis() {
  double lowest = std::numeric_limits<double>::infinity();
  double highest = -lowest;
  for (const ChartRow& row : rows_) {
    if (row.series.front()->isVisible()) {
      lowest = std::min(lowest, row.lowest);
      highest = std::max(highest, row.highest);
    }
  }
  const QList<QAbstractAxis*> up = chart()->axes(Qt::Vertical);
  if (!up.isEmpty()) {
    setSpan(static_cast<QValueAxis*>(up.front()), axisSpan(lowest, highest));
  }
}

// The chart's own legend shows one entry per row, that of the row's first series, dimmed while
// the row is hidden.
void ValueTableChart::showLegendEntries() {
  for (const ChartRow& row : rows_) {
    for (std::size_t i = 0; i < row.series.size(); ++i) {
      for (QLegendMarker* marker : chart()->legend()->markers(row.series[i])) {
        marker->setVisible(i == 0);
        QColor label = marker->labelBrush().color();
        label.setAlphaF(row.series.front()->isVisible() ? 1.0 : 0.4);
        marker->setLabelBrush(label);
      }
    }
  }
}

void ValueTableChart::setRowShown(int index, bool shown) {
  for (QXYSeries* series : rows_.at(static_cast<std::size_t>(index)).series) {
    series->setVisible(shown);
  }
  showLegendEntries();
  fitResultAxis();
}

bool ValueTableChart::isRowShown(int index) const {
  return rows_.at(static_cast<std::size_t>(index)).series.front()->isVisible();
}

QString ValueTableChart::pointText(int index, double variableValue) const {
  if (model_ == nullptr || model_->lines().empty()) {
    return {};
  }
  const std::vector<numora::ValueLine>& lines = model_->lines();
  // The lines' values rise or fall by one step: the nearest line is found by division.
  const double first = static_cast<double>(lines.front().value);
  const double step = lines.size() > 1 ? static_cast<double>(lines[1].value) - first : 1.0;
  const double nearest = std::round((variableValue - first) / step);
  const auto line =
      static_cast<int>(std::clamp(nearest, 0.0, static_cast<double>(lines.size() - 1)));
  const QModelIndex variableCell = model_->index(line, 0);
  const QModelIndex resultCell = model_->index(line, index + 1);
  return QString("%1\n%2 = %3\nResult = %4")
      .arg(model_->headerData(index + 1, Qt::Horizontal, Qt::DisplayRole).toString(),
           QString(numora::variableLetter(model_->variable())), variableCell.data().toString(),
           resultCell.data().toString());
}

void ValueTableChart::showPointTooltip(int index, const QPointF& point, bool entered) {
  if (!entered) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(QCursor::pos(), pointText(index, point.x()), this);
}

void ValueTableChart::renderAlone(QPainter& painter, QSize size) {
  QChart* drawn = chart();
  const QRectF shownGeometry = drawn->geometry();
  drawn->legend()->show();
  drawn->setGeometry(QRectF(QPointF(0, 0), size));
  drawn->layout()->activate();
  scene()->render(&painter, QRectF(QPointF(0, 0), size), drawn->geometry());
  drawn->legend()->hide();
  drawn->setGeometry(shownGeometry);
  drawn->layout()->activate();
}

QXYSeries* ValueTableChart::rowSeries(int index) const {
  return rows_.at(static_cast<std::size_t>(index)).series.front();
}

const std::vector<QXYSeries*>& ValueTableChart::seriesOfRow(int index) const {
  return rows_.at(static_cast<std::size_t>(index)).series;
}
