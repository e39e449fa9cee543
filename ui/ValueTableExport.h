#pragma once

#include <QStringList>
#include <string>

class QChartView;
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
// The chart as the window shows it, pixel for pixel.
void exportChartPicture(QChartView& chart, const std::string& path);
// The chart as lines and text that scale.
void exportChartDrawing(QChartView& chart, const std::string& path);
