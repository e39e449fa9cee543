#include "UndoKeys.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

enum class TextChange { None, Undo, Redo };

// Whether `key` is an undo or a redo key.
TextChange textChangeOf(const QKeyEvent& key) {
  const QKeySequence pressed(key.keyCombination());
  if (undoKeys().contains(pressed)) {
    return TextChange::Undo;
  }
  return redoKeys().contains(pressed) ? TextChange::Redo : TextChange::None;
}

bool fieldCanMake(const QLineEdit& field, TextChange change) {
  return change == TextChange::Undo ? field.isUndoAvailable() : field.isRedoAvailable();
}

// What a step of `command` changed, as the Undo and Redo items name it.
QString commandName(numora::TableHistory::Command command) {
  using Command = numora::TableHistory::Command;
  switch (command) {
    case Command::AddRow:
      return "add row";
    case Command::DeleteRow:
      return "delete row";
    case Command::MoveRowUp:
      return "move row up";
    case Command::MoveRowDown:
      return "move row down";
    case Command::NewTable:
      return "new table";
    case Command::OpenTable:
      return "open table";
    case Command::EditName:
      return "edit name";
    case Command::EditTerm:
      return "edit term";
    case Command::CalculateRow:
      return "calculate row";
    case Command::CalculateAll:
      return "calculate all";
  }
  return {};
}

}  // namespace

QString undoItemText(const numora::TableHistory& history) {
  return history.canUndo() ? "&Undo " + commandName(history.commandToUndo()) : "&Undo";
}

QString redoItemText(const numora::TableHistory& history) {
  return history.canRedo() ? "&Redo " + commandName(history.commandToRedo()) : "&Redo";
}

QList<QKeySequence> undoKeys() { return {QKeySequence(Qt::CTRL | Qt::Key_Z)}; }

QList<QKeySequence> redoKeys() {
  return {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
}

void FieldUndoFilter::watch(QLineEdit* field) { field->installEventFilter(this); }

// Before a key can be a window shortcut, the focused field is asked whether it takes the key
// itself (ShortcutOverride); it takes an undo or redo key only when it has that change to
// make, and then makes it on the key press, whichever keys the platform gives a line edit.
bool FieldUndoFilter::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<QLineEdit*>(watched);
  const bool isKey = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
  if (field == nullptr || !isKey) {
    return QObject::eventFilter(watched, event);
  }
  auto* key = static_cast<QKeyEvent*>(event);
  const TextChange change = textChangeOf(*key);
  if (change == TextChange::None) {
    return QObject::eventFilter(watched, event);
  }
  const bool fieldTakesKey = fieldCanMake(*field, change);
  if (event->type() == QEvent::ShortcutOverride) {
    key->setAccepted(fieldTakesKey);
    return true;
  }
  if (fieldTakesKey) {
    change == TextChange::Undo ? field->undo() : field->redo();
  }
  return true;
}
