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
  box.setTextValue(term);
  if (auto* field = box.findChild<QLineEdit*>()) {
    field->setMaxLength(std::max<int>(TermMaximumLength, static_cast<int>(term.size())));
  }
  if (box.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return box.textValue();
}
