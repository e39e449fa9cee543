// Fields of millions of characters in the main window: the table shows the start of a long
// field and keeps it whole, the Name editor takes it whole, and the fault box quotes only the
// start of a long operand.

#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <string>

#include "MainWindowActions.h"
#include "MainWindowFixture.h"
#include "RowCommands.h"
#include "RowTableModel.h"
#include "SEHU.h"

Q_DECLARE_METATYPE(std::string)

namespace {

constexpr int Limit = RowTableModel::ShownCharacterLimit;
const QString Ellipsis = QString(QChar(0x2026));

std::string repeated(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) {
    text += piece;
  }
  return text;
}

// "1,1,1,...": a literal of `characters` characters that is no number with either separator.
std::string longLiteral(int characters) {
  std::string literal = repeated("1,", characters / 2 + 1).substr(0, characters);
  literal.back() = '1';
  return literal;
}

}  // namespace

class LongTextTest : public MainWindowFixture {
  Q_OBJECT

 private slots:
  // A cell shows at most the limit's number of characters, cut between whole characters, with
  // "…" after them; the row and the text the cell's editor gets keep the field whole.
  void aCellShowsTheStartOfALongFieldAndTheRowKeepsItWhole_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<std::string>("field");
    QTest::addColumn<QString>("shown");
    const QString umlauts = QString("ä").repeated(Limit);
    QTest::newRow("term at the limit")
        << int(RowTableModel::TermColumn) << repeated("ä", Limit) << umlauts;
    QTest::newRow("term past the limit")
        << int(RowTableModel::TermColumn) << repeated("ä", Limit + 1) << umlauts + Ellipsis;
    QTest::newRow("millions of characters")
        << int(RowTableModel::TermColumn) << repeated("x+1,5*", 5'000'000 / 6)
        << QString("x+1,5*").repeated(Limit / 6 + 1).left(Limit) + Ellipsis;
    QTest::newRow("three- and four-byte characters")
        << int(RowTableModel::TermColumn) << repeated("€𝄞", Limit)
        << QString("€𝄞").repeated(Limit / 2) + Ellipsis;
    QTest::newRow("bytes that are no characters")
        << int(RowTableModel::TermColumn) << repeated("\xff", 2 * Limit)
        << QString(QChar::ReplacementCharacter).repeated(Limit) + Ellipsis;
    QTest::newRow("name") << int(RowTableModel::NameColumn) << repeated("n", 3 * Limit)
                          << QString("n").repeated(Limit) + Ellipsis;
  }
  void aCellShowsTheStartOfALongFieldAndTheRowKeepsItWhole() {
    QFETCH(int, column);
    QFETCH(std::string, field);
    QFETCH(QString, shown);
    numora::RowTable& table = window_->table();
    if (column == RowTableModel::NameColumn) {
      table.setName(0, field);
    } else {
      numora::storeTerm(table, 0, field);
    }
    list_->viewport()->repaint();
    const QModelIndex cell = list_->model()->index(0, column);
    QCOMPARE(cell.data(Qt::DisplayRole).toString(), shown);
    QCOMPARE(cell.data(Qt::EditRole).toString(), QString::fromStdString(field));
    const numora::Row& row = table.row(0);
    QVERIFY((column == RowTableModel::NameColumn ? row.name : row.term) == field);
  }

  // A Name longer than a line edit keeps by default is edited whole: confirming it unchanged
  // leaves it as it was, and a typed character is added to the whole Name.
  void editingALongNameInPlaceKeepsItWhole() {
    const std::string name = repeated("Fläche ", 6000);
    window_->table().setName(0, name);
    clickRow(list_, 0);
    // Edits the Name with F2, types `typed` at its end and confirms it with Return.
    const auto editName = [this](const char* typed) {
      QTest::keyClick(list_, Qt::Key_F2);
      QPointer<QLineEdit> editor;
      QTRY_VERIFY((editor = list_->findChild<QLineEdit*>()) != nullptr && editor->isVisible());
      editor->end(false);
      QTest::keyClicks(editor, typed);
      QTest::keyClick(editor, Qt::Key_Return);
      QTRY_VERIFY(editor.isNull() || !editor->isVisible());
    };
    editName("");
    if (QTest::currentTestFailed()) {
      return;
    }
    QCOMPARE(window_->table().row(0).name.size(), name.size());
    QVERIFY(window_->table().row(0).name == name);
    editName("1");
    if (QTest::currentTestFailed()) {
      return;
    }
    QVERIFY(window_->table().row(0).name == name + "1");
  }

  // The fault box quotes the first 1,000 characters of a long operand and "…"; a quoted text
  // of 1,000 characters is shown whole. The row keeps its Term and its Result.
  void theFaultBoxQuotesTheStartOfALongOperand_data() {
    QTest::addColumn<std::string>("term");
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("text");
    const std::string literal = longLiteral(20001);
    QTest::newRow("literal in the term") << literal << "1"
                                         << "'" + QString::fromStdString(literal.substr(0, 1000)) +
                                                "…' ist kein gültiger Gleitkommawert.";
    QTest::newRow("literal of 1,000 characters")
        << longLiteral(1000) << "1"
        << "'" + QString::fromStdString(longLiteral(1000)) + "' ist kein gültiger Gleitkommawert.";
    QTest::newRow("x field") << std::string("x") << QString("ä").repeated(20000)
                             << "'" + QString("ä").repeated(1000) +
                                    "…' ist kein gültiger Integerwert.";
  }
  void theFaultBoxQuotesTheStartOfALongOperand() {
    QFETCH(std::string, term);
    QFETCH(QString, x);
    QFETCH(QString, text);
    numora::storeTerm(window_->table(), 0, term);
    window_->table().setResult(0, "old");
    control<QLineEdit>(*window_, "Edit1")->setText(x);
    clickRow(list_, 0);
    const auto seen = readFaultBox();
    QTest::mouseClick(control<QToolButton>(*window_, "SpeedButton7"), Qt::LeftButton);
    QCOMPARE(seen->text, text);
    QVERIFY(window_->table().row(0).term == term);
    QCOMPARE(QString::fromStdString(window_->table().row(0).result), QString("old"));
  }

 private:
  void prepare() override { numora::addRow(window_->table(), -1); }
};

QTEST_MAIN(LongTextTest)
#include "LongTextTest.moc"
