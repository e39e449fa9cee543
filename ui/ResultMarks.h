#pragma once

#include <QRect>
#include <Qt>

class QColor;
class QModelIndex;
class QString;
class QPainter;
class QPalette;

// The marks of a cell that shows a Result: a small triangle in a corner, as spreadsheets mark a
// comment, which takes no room from the text. The models give them as flags in `Role`.
namespace resultMarks {

constexpr int Role = Qt::UserRole + 1;
enum Mark {
  Notes = 1,  // the evaluation took a reading rule a person would not guess: top right
  Stop = 2,   // calculate all stopped at this row: top left
};

void paint(QPainter* painter, const QRect& cell, int marks);

// The colour of a Result that is not current: halfway between the text and its background, so
// it reads as grey on any palette while it stays legible.
QColor mutedText(const QPalette& palette);

// The tooltip of the cell at `index`: its whole text where the cell cuts it (`cut`), then the
// cell's own tooltip; each line a paragraph, wrapped where it is longer than the tooltip is
// wide, so that a long note does not run off the screen. Empty when the cell has neither.
QString cellTooltip(const QModelIndex& index, bool cut);

}  // namespace resultMarks
