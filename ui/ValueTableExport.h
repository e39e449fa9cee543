#pragma once

#include <QStringList>
#include <string>

class QSize;
class ValueTableChart;
class ValueTableModel;

// What "Export..." in the value table window writes: the grid as comma-separated values, the
// chart as a PNG picture or an SVG drawing. Every file is written as a whole or not at all.
enum class ExportKind { Csv, Png, Svg };

// The export dialog's filters, one per kind, in the order of ExportKind.
QStringList exportFilters();

// The kind the file's suffix names (in any letter case); for a name with none of them, the
// kind of the filter chosen in the dialog.
ExportKind exportKind(const QString& path, const QString& chosenFilter);
// The path with the kind's suffix appended where it has none.
QString exportPath(const QString& path, ExportKind kind);

void exportGrid(const ValueTableModel& model, char separator, const std::string& path);
// The chart alone, with its legend, drawn at `size` in pixels, without the window around it.
void exportChartPicture(ValueTableChart& chart, QSize size, const std::string& path);
// The same as lines and text that scale, `size` being its size in pixels.
void exportChartDrawing(ValueTableChart& chart, QSize size, const std::string& path);
