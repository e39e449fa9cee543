#include "ValueTableChart.h"

#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
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
}

void ValueTableChart::showTable(numora::Variable variable, const std::vector<numora::Row>& rows,
                                const std::vector<numora::ValueLine>& lines, char separator) {
  chart()->removeAllSeries();
  for (QAbstractAxis* axis : chart()->axes()) {
    chart()->removeAxis(axis);
    delete axis;
  }
  rows_.clear();
  lowest_ = std::numeric_limits<double>::infinity();
  highest_ = -lowest_;
  const QStringList labels = rowLabels(rows);
  for (std::size_t index = 0; index < rows.size(); ++index) {
    addRow(labels[static_cast<qsizetype>(index)], rowPen(index),
           runsOfRow(lines, index, separator));
  }
  attachAxes(variable, lines);
  hideFollowingMarkers();
  for (const auto& series : rows_) {
    for (QLegendMarker* marker : chart()->legend()->markers(series.front())) {
      connect(marker, &QLegendMarker::clicked, this, [this, marker] { toggleRow(marker); });
    }
  }
}

// A row's series: the first run in the series that the legend shows (empty when the row has
// no number at all), further runs of two values and more as lines, single values as dots.
void ValueTableChart::addRow(const QString& name, const QPen& pen,
                             const std::vector<QList<QPointF>>& runs) {
  std::vector<QXYSeries*> series;
  auto* first = new QLineSeries;
  first->setName(name);
  chart()->addSeries(first);
  first->setPen(pen);
  series.push_back(first);
  QList<QPointF> dots;
  bool firstFilled = false;
  for (const QList<QPointF>& run : runs) {
    for (const QPointF& point : run) {
      lowest_ = std::min(lowest_, point.y());
      highest_ = std::max(highest_, point.y());
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
      series.push_back(more);
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
    series.push_back(scatter);
  }
  rows_.push_back(std::move(series));
}

void ValueTableChart::attachAxes(numora::Variable variable,
                                 const std::vector<numora::ValueLine>& lines) {
  auto* across = new QValueAxis;
  across->setTitleText(QString(numora::variableLetter(variable)));
  across->setLabelFormat("%g");
  auto* up = new QValueAxis;
  up->setTitleText("Result");
  up->setLabelFormat("%g");
  chart()->addAxis(across, Qt::AlignBottom);
  chart()->addAxis(up, Qt::AlignLeft);
  setSpan(up, axisSpan(lowest_, highest_));
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
}

// The legend shows one entry per row: that of the row's first series.
void ValueTableChart::hideFollowingMarkers() {
  for (const auto& series : rows_) {
    for (std::size_t i = 1; i < series.size(); ++i) {
      for (QLegendMarker* marker : chart()->legend()->markers(series[i])) {
        marker->setVisible(false);
      }
    }
  }
}

void ValueTableChart::toggleRow(QLegendMarker* marker) {
  const auto row = std::find_if(rows_.begin(), rows_.end(), [marker](const auto& series) {
    return series.front() == marker->series();
  });
  if (row == rows_.end()) {
    return;
  }
  const bool shown = !row->front()->isVisible();
  for (QXYSeries* series : *row) {
    series->setVisible(shown);
  }
  // Hiding a series hides its legend entry too; the entry stays, dimmed, to show it again.
  marker->setVisible(true);
  hideFollowingMarkers();
  QColor label = marker->labelBrush().color();
  label.setAlphaF(shown ? 1.0 : 0.4);
  marker->setLabelBrush(label);
}

QXYSeries* ValueTableChart::rowSeries(int index) const {
  return rows_.at(static_cast<std::size_t>(index)).front();
}

const std::vector<QXYSeries*>& ValueTableChart::seriesOfRow(int index) const {
  return rows_.at(static_cast<std::size_t>(index));
}
