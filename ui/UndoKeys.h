#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

#include "TableHistory.h"

class QLineEdit;

// The keys of Undo (Ctrl+Z) and of Redo (Ctrl+Y, Ctrl+Shift+Z); a menu shows the first of each.
QList<QKeySequence> undoKeys();
QList<QKeySequence> redoKeys();

// The text of the Undo (Redo) item: "&Undo" alone, or followed by what it takes back (does
// again), as in "&Undo delete row".
QString undoItemText(const numora::TableHistory& history);
QString redoItemText(const numora::TableHistory& history);

// Shares the undo and redo keys between text fields and the window's Undo and Redo: in a field
// that has a text change of its own to take back (do again), the key takes back (does again)
// that change; otherwise the field lets the key through to the window's shortcut, so that it
// undoes (redoes) a step of the table.
class FieldUndoFilter : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  void watch(QLineEdit* field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
