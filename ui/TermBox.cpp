#include "TermBox.h"

#include <QInputDialog>
#include <QLineEdit>
#include <algorithm>

namespace {

constexpr int TermMaximumLength = 255;

}  // namespace

std::optional<QString> askForTerm(QWidget* parent, const QString& term) {
  QInputDialog box(parent);
  box.setObjectName("InputBox");
  box.setInputMode(QInputDialog::TextInput);
  box.setWindowTitle("Rechnung");
  box.setLabelText("Rechnung:");
  box.setOkButtonText("OK");
  box.setCancelButtonText("Abbrechen");
  // The field keeps only as much of a text as its maximum length allows, so the length is
  // set before the Term is put in.
  if (auto* field = box.findChild<QLineEdit*>()) {
    field->setMaxLength(std::max<int>(TermMaximumLength, static_cast<int>(term.size())));
  }
  box.setTextValue(term);
  if (box.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return box.textValue();
}
