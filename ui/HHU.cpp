#include "HHU.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "WindowLook.h"

QStringList TForm2::helpLines() {
  return {
      "First add a new line and change its name, by clicking at the text.",
      "To change the term, double-click the row.",
      "",
      "",
      " x^(2), sin(x), (x^(2)*5)/6'",
      "x^2 will not work, so please set a brackets!",
      "",
      "To use the result of a row befor write ErgX. X is the number of",
      "that row.",
      "",
      "",
      "Um auf ein Ergebnis einer bereits berechneten Spalte zuzugreifen,",
      "schreiben Sie ErgX wobei X für die Spaltennummer steht.",
      "",
      "Erg1",
      "",
      "Commands:",
      "sin(), cos(), tan(), log(), ln(), sign(), ^(), abs()",
      "",
      "x, y, z are variables and can be used like this.",
  };
}

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Form2");
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle("Numora");
  setWindowIcon(QIcon(":/numora.png"));
  setFont(windowLook::windowFont());
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setPlainText(helpLines().join('\n'));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Memo1);
  windowLook::placeWindow(this, 197, 114, 502, 318);
}
