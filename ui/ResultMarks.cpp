#include "ResultMarks.h"

#include <QColor>
#include <QModelIndex>
#include <QPainter>
#include <QPalette>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace resultMarks {

namespace {

constexpr QRgb NotesColour = 0xe08a00;
constexpr QRgb StopColour = 0xd62728;

void paintCorner(QPainter* painter, const QRect& cell, QRgb colour, Qt::Corner corner) {
  const int size = std::max(5, cell.height() / 3);
  const int top = cell.top() + 1;
  const bool right = corner == Qt::TopRightCorner;
  const QPoint tip = right ? QPoint(cell.right() - 1, top) : QPoint(cell.left() + 1, top);
  const QPoint triangle[] = {tip, tip + QPoint(right ? -size : size, 0), tip + QPoint(0, size)};
  painter->setBrush(QColor(colour));
  painter->drawPolygon(triangle, 3);
}

}  // namespace

void paint(QPainter* painter, const QRect& cell, int marks) {
  if (marks == 0) {
    return;
  }
  painter->save();
  painter->setPen(Qt::NoPen);
  painter->setRenderHint(QPainter::Antialiasing);
  if ((marks & Notes) != 0) {
    paintCorner(painter, cell, NotesColour, Qt::TopRightCorner);
  }
  if ((marks & Stop) != 0) {
    paintCorner(painter, cell, StopColour, Qt::TopLeftCorner);
  }
  painter->restore();
}

QColor mutedText(const QPalette& palette) {
  const QColor text = palette.color(QPalette::Text);
  const QColor base = palette.color(QPalette::Base);
  return QColor((text.red() + base.red()) / 2, (text.green() + base.green()) / 2,
                (text.blue() + base.blue()) / 2);
}

QString cellTooltip(const QModelIndex& index, bool cut) {
  QStringList lines;
  if (cut) {
    lines << index.data(Qt::DisplayRole).toString();
  }
  if (const QString own = index.data(Qt::ToolTipRole).toString(); !own.isEmpty()) {
    lines << own.split('\n');
  }
  QString shown;
  for (const QString& line : lines) {
    shown += "<p>" + line.toHtmlEscaped() + "</p>";
  }
  return shown;
}

}  // namespace resultMarks
