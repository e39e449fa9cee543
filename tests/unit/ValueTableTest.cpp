#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Calculation.h"
#include "TestSupport.h"
#include "ValueTable.h"
#include "ValueTableCsv.h"

namespace numora {
namespace {

using test::faultOf;
using test::linesOf;
using test::tableOf;

// The values a range gives, or its fault.
std::string valuesOf(const char* from, const char* to, const char* step) {
  std::string values;
  const std::string fault = faultOf([&] {
    const ValueRange range = readValueRange(from, to, step);
    for (std::size_t i = 0; i < range.count() && i < 4; ++i) {
      values += (i > 0 ? " " : "") + std::to_string(range.value(i));
    }
    values += " (" + std::to_string(range.count()) + ")";
  });
  return fault == "no fault" ? values : fault;
}

TEST(ValueTable, TheRangeIsReadLikeTheVariableFieldsAndCheckedBeforeAnythingRuns) {
  struct Case {
    const char* from;
    const char* to;
    const char* step;
    std::string values;
  };
  for (const Case& c : std::vector<Case>{
           {"1", "10", "1", "1 2 3 4 (10)"},
           {"10", "1", "-3", "10 7 4 1 (4)"},
           {"0", "10", "4", "0 4 8 (3)"},
           {"5", "5", "7", "5 (1)"},
           {"5", "5", "-1", "5 (1)"},
           {" $A", "x10", "3", "10 13 16 (3)"},
           {"0", "99999", "1", "0 1 2 3 (100000)"},
           {"-2147483648", "2147483647", "2147483647", "-2147483648 -1 2147483646 (3)"},
           {"1", "10", "0", "Exception: Die Schrittweite darf nicht 0 sein"},
           {"1", "10", "-1", "Exception: Die Schrittweite -1 führt von 1 nicht nach 10"},
           {"10", "1", "2", "Exception: Die Schrittweite 2 führt von 10 nicht nach 1"},
           {"0", "100000", "1",
            "Exception: Die Wertetabelle hätte 100001 Werte, höchstens 100000 sind möglich"},
           {"-2147483648", "2147483647", "1",
            "Exception: Die Wertetabelle hätte 4294967296 Werte, höchstens 100000 sind möglich"},
           {"a", "1", "1", "EConvertError: 'a' ist kein gültiger Integerwert"},
           {"1", "2147483648", "1", "EConvertError: '2147483648' ist kein gültiger Integerwert"},
           {"1", "2", "", "EConvertError: '' ist kein gültiger Integerwert"},
       }) {
    EXPECT_EQ(valuesOf(c.from, c.to, c.step), c.values)
        << c.from << ".." << c.to << " step " << c.step;
  }
}

// A table that exercises a pass: a reference up, a reference to a row below (which reads the
// Result the table holds), an empty Term, and a row that overflows for all but small values.
const RowTable Mixed = tableOf({{"Square", "x^(2)/4", "old", "1"},
                                {"Below", "Erg5+y", "", "2"},
                                {"Blank", "  ", "kept", "3"},
                                {"Power", "x^(50000)+Erg1", "p", "4"},
                                {"Last", "Erg4*z", "9,5", "5"}});

// What "calculate all" gives on a copy of `table` with the variable's field set to `value`:
// the rows' texts and the index of the row that failed (the row count when none did).
std::pair<std::vector<std::string>, int> calculatedByHand(const RowTable& table,
                                                          CalculationInputs inputs,
                                                          Variable variable, int value) {
  std::string& field = variable == Variable::X   ? inputs.x
                       : variable == Variable::Y ? inputs.y
                                                 : inputs.z;
  field = std::to_string(value);
  RowTable copy = tableOf([&] {
    std::vector<Row> rows;
    for (int i = 0; i < table.rowCount(); ++i) {
      rows.push_back(table.row(i));
    }
    return rows;
  }());
  int rowInProgress = 0;
  try {
    calculateAll(copy, inputs, rowInProgress);
    rowInProgress = copy.rowCount();
  } catch (const Exception&) {
  }
  return {linesOf(copy), rowInProgress};
}

TEST(ValueTable, EveryLineIsWhatCalculateAllGivesForItsValue) {
  struct Case {
    Variable variable;
    CalculationInputs inputs;
    const char* from;
    const char* to;
    const char* step;
  };
  for (const Case& c : std::vector<Case>{
           {Variable::X, {"7", "3", "2", ','}, "-3", "3", "1"},
           {Variable::X, {"7", "3", "2", '.'}, "4", "-4", "-2"},
           {Variable::Y, {"1", "3", "2", ','}, "-20", "20", "5"},
           {Variable::Z, {"-1", "3", "abc", ','}, "0", "3", "1"},
           // A field that is no number fails the first row with a Term, for every value.
           {Variable::Y, {"1,5", "3", "2", ','}, "0", "2", "1"},
       }) {
    const std::vector<std::string> before = linesOf(Mixed);
    const std::vector<ValueLine> lines =
        calculateValueTable(Mixed, c.inputs, c.variable, readValueRange(c.from, c.to, c.step));
    EXPECT_EQ(linesOf(Mixed), before);
    ASSERT_EQ(lines.size(), readValueRange(c.from, c.to, c.step).count());
    for (const ValueLine& line : lines) {
      const auto [expected, failedRow] = calculatedByHand(Mixed, c.inputs, c.variable, line.value);
      const std::string what = std::string(1, variableLetter(c.variable)) + "=" +
                               std::to_string(line.value) + " field x " + c.inputs.x;
      ASSERT_EQ(line.cells.size(), expected.size()) << what;
      EXPECT_EQ(line.fault.has_value(), failedRow < Mixed.rowCount()) << what;
      if (line.fault) {
        EXPECT_EQ(line.fault->row, failedRow) << what;
      }
      for (int i = 0; i < Mixed.rowCount(); ++i) {
        const ValueCell& cell = line.cells[static_cast<std::size_t>(i)];
        const std::string result = expected[static_cast<std::size_t>(i)].substr(
            expected[static_cast<std::size_t>(i)].find('|', Mixed.row(i).name.size() + 1) + 1);
        const CellState state = i > failedRow               ? CellState::NotReached
                                : i == failedRow            ? CellState::Fault
                                : Mixed.row(i).term == "  " ? CellState::NoTerm
                                                            : CellState::Value;
        EXPECT_EQ(cell.state, state) << what << " row " << i;
        if (state == CellState::Value) {
          EXPECT_EQ(cell.result + "|" + Mixed.row(i).nr, result) << what << " row " << i;
        }
      }
    }
  }
}

TEST(ValueTable, TheFaultNamesItsRowClassAndMessage) {
  const std::vector<ValueLine> lines =
      calculateValueTable(Mixed, {"1", "3", "2", ','}, Variable::X, readValueRange("1", "2", "1"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_FALSE(lines[0].fault);
  ASSERT_TRUE(lines[1].fault);
  EXPECT_EQ(lines[1].fault->row, 3);
  EXPECT_EQ(std::string(lines[1].fault->className) + ": " + lines[1].fault->message,
            "EOverflow: Gleitkommaüberlauf");
}

TEST(ValueTable, ARunThatIsStoppedKeepsTheLinesFinished) {
  std::vector<std::size_t> asked;
  const std::vector<ValueLine> lines = calculateValueTable(
      Mixed, {}, Variable::X, readValueRange("1", "100", "1"), [&](std::size_t done) {
        asked.push_back(done);
        return done < 3;
      });
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].value, 3);
  EXPECT_EQ(asked, (std::vector<std::size_t>{0, 1, 2, 3}));
}

TEST(ValueTable, CsvQuotesWhatNeedsItAndSeparatesByTheDecimalSeparator) {
  const RowTable table = tableOf({{"Area; m²", "x*2", "", "1"},
                                  {"say \"hi\"", "Erg9", "", "2"},
                                  {"two\nlines", "x/4", "", "3"},
                                  {"Bad \xff", "", "", "4"}});
  struct Case {
    char separator;
    std::string csv;
  };
  for (const Case& c : std::vector<Case>{
           {',',
            "x;\"Area; m²\";\"say \"\"hi\"\"\";\"two\nlines\";Bad \xEF\xBF\xBD\r\n"
            "1;2;Fehler;;\r\n"
            "3;6;Fehler;;\r\n"},
           {'.',
            "x,Area; m²,\"say \"\"hi\"\"\",\"two\nlines\",Bad \xEF\xBF\xBD\r\n"
            "1,2,Fehler,,\r\n"
            "3,6,Fehler,,\r\n"},
       }) {
    const CalculationInputs inputs{"1", "1", "1", c.separator};
    const std::vector<ValueLine> lines =
        calculateValueTable(table, inputs, Variable::X, readValueRange("1", "3", "2"));
    std::vector<std::string> names;
    for (int i = 0; i < table.rowCount(); ++i) {
      names.push_back(table.row(i).name);
    }
    EXPECT_EQ(valueTableCsv(Variable::X, names, lines, c.separator), c.csv) << c.separator;
  }
}

}  // namespace
}  // namespace numora
