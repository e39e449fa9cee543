#pragma once

#include <QRect>
#include <Qt>

class QPainter;

// The marks of a cell that shows a Result: a small triangle in a corner, as spreadsheets mark a
// comment, which takes no room from the text. The models give them as flags in `Role`.
namespace resultMarks {

constexpr int Role = Qt::UserRole + 1;
enum Mark {
  Notes = 1,  // the evaluation took a reading rule a person would not guess: top right
  Stop = 2,   // calculate all stopped at this row: top left
};

void paint(QPainter* painter, const QRect& cell, int marks);

}  // namespace resultMarks
