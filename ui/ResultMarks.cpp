#include "ResultMarks.h"

#include <QColor>
#include <QPainter>
#include <QPoint>
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

}  // namespace resultMarks
