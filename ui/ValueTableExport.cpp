#include "ValueTableExport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "Faults.h"
#include "FileAccess.h"
#include "ValueTableChart.h"
#include "ValueTableCsv.h"
#include "ValueTableModel.h"

namespace {

const char* const Suffixes[] = {"csv", "png", "svg"};

const char* suffixOf(ExportKind kind) { return Suffixes[static_cast<int>(kind)]; }

void writeBytes(const std::string& path, const QByteArray& bytes) {
  numora::writeWholeFile(
      path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace

QStringList exportFilters() { return {"CSV (*.csv)", "PNG (*.png)", "SVG (*.svg)"}; }

ExportKind exportKind(const QString& path, const QString& chosenFilter) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  const QStringList filters = exportFilters();
  for (int kind = 0; kind < filters.size(); ++kind) {
    if (suffix == Suffixes[kind]) {
      return static_cast<ExportKind>(kind);
    }
  }
  const auto chosen = filters.indexOf(chosenFilter);
  return chosen < 0 ? ExportKind::Csv : static_cast<ExportKind>(chosen);
}

QString exportPath(const QString& path, ExportKind kind) {
  if (QFileInfo(path).suffix().toLower() == suffixOf(kind)) {
    return path;
  }
  return path + '.' + suffixOf(kind);
}

void exportGrid(const ValueTableModel& model, char separator, const std::string& path) {
  numora::writeWholeFile(
      path, numora::valueTableCsv(model.variable(), model.names(), model.lines(), separator));
}

void exportChartPicture(ValueTableChart& chart, QSize size, const std::string& path) {
  QImage picture(size, QImage::Format_ARGB32_Premultiplied);
  if (picture.isNull()) {
    throw numora::outOfMemoryFault();
  }
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  chart.renderAlone(painter, size);
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  // A picture that cannot be made in memory leaves no file rather than an empty one.
  if (!picture.save(&buffer, "PNG")) {
    throw numora::outOfMemoryFault();
  }
  writeBytes(path, bytes);
}

void exportChartDrawing(ValueTableChart& chart, QSize size, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator drawing;
  drawing.setOutputDevice(&buffer);
  drawing.setSize(size);
  drawing.setViewBox(QRect(QPoint(0, 0), size));
  drawing.setTitle(chart.window()->windowTitle());
  QPainter painter;
  if (!painter.begin(&drawing)) {
    throw numora::outOfMemoryFault();
  }
  chart.renderAlone(painter, size);
  painter.end();
  writeBytes(path, bytes);
}
