#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Calculation.h"
#include "TestSupport.h"

namespace numora {
namespace {

constexpr int NoSelection = -1;

using test::tableOfTerms;

std::vector<std::string> resultsOf(const RowTable& table) {
  std::vector<std::string> results;
  for (int i = 0; i < table.rowCount(); ++i) {
    results.push_back(table.row(i).result);
  }
  return results;
}

using Results = std::vector<std::string>;

class Calculation : public ::testing::Test {};

TEST_F(Calculation, RowWithoutSelectionDoesNothingEvenWithBadFields) {
  RowTable table = tableOfTerms({"x"});
  const CalculationInputs bad{"abc", "1,5", "?", ','};
  EXPECT_EQ(test::faultOf([&] { calculateRow(table, NoSelection, bad); }), "no fault");
  EXPECT_EQ(resultsOf(table), Results{""});
}

TEST_F(Calculation, EmptyOrBlankTermsKeepTheirResultAndReadNoField) {
  RowTable table = tableOfTerms({"", "   ", "x"});
  table.setResult(0, "old");
  table.setResult(1, "older");
  const CalculationInputs bad{"abc", "1", "1", ','};
  EXPECT_EQ(test::faultOf([&] { calculateRow(table, 0, bad); }), "no fault");
  EXPECT_EQ(test::faultOf([&] { calculateRow(table, 1, bad); }), "no fault");
  RowTable blanks = tableOfTerms({"", "  "});
  EXPECT_EQ(test::faultOf([&] { calculateAll(blanks, bad); }), "no fault");
  EXPECT_EQ(resultsOf(table), (Results{"old", "older", ""}));
}

TEST_F(Calculation, SpacesAreRemovedBeforeTheTermIsEvaluated) {
  RowTable table = tableOfTerms({" x ^ ( 2 ) + s i n ( 3 0 ) ", "x^(2)+sin(30)", "x\t+1"});
  for (int row = 0; row < table.rowCount(); ++row) {
    calculateRow(table, row, {"3", "1", "1", ','});
  }
  EXPECT_EQ(resultsOf(table), (Results{"9,5", "9,5", "3"}));  // a tab is a stop character
  EXPECT_EQ(table.row(0).term, " x ^ ( 2 ) + s i n ( 3 0 ) ");
}

TEST_F(Calculation, LaterRowsSeeResultsWrittenEarlierInTheSamePass) {
  RowTable table = tableOfTerms({"x", "Erg1"});
  calculateAll(table, {"3", "1", "1", ','});
  EXPECT_EQ(resultsOf(table), (Results{"3", "3"}));
  calculateAll(table, {"4", "1", "1", ','});
  EXPECT_EQ(resultsOf(table), (Results{"4", "4"}));
}

TEST_F(Calculation, ReferencesToTheRowItselfOrBelowSeeTheOldResults) {
  RowTable table = tableOfTerms({"Erg2+1", "x", "Erg3*2"});
  table.setResult(1, "10");
  table.setResult(2, "5");
  calculateAll(table, {"7", "1", "1", ','});
  EXPECT_EQ(resultsOf(table), (Results{"11", "7", "10"}));
}

TEST_F(Calculation, TheFirstFieldThatIsNoWholeNumberIsNamed) {
  struct Case {
    CalculationInputs fields;
    const char* fault;
  };
  for (const Case& c : std::initializer_list<Case>{
           {{"1", "2,5", "1", ','}, "EConvertError: '2,5' ist kein gültiger Integerwert"},
           {{"1,5", "abc", "1", ','}, "EConvertError: '1,5' ist kein gültiger Integerwert"},
           {{"1", "1", " 7 ", ','}, "EConvertError: ' 7 ' ist kein gültiger Integerwert"},
           {{"", "1", "1", ','}, "EConvertError: '' ist kein gültiger Integerwert"},
       }) {
    RowTable table = tableOfTerms({"x+y+z"});
    table.setResult(0, "old");
    EXPECT_EQ(test::faultOf([&] { calculateRow(table, 0, c.fields); }), c.fault);
    EXPECT_EQ(resultsOf(table), Results{"old"});
  }
}

TEST_F(Calculation, FieldsTakeEveryFormOfWholeNumber) {
  RowTable table = tableOfTerms({"x+y+z"});
  calculateRow(table, 0, {"$10", "-2147483648", "+7", ','});
  EXPECT_EQ(resultsOf(table), Results{"-2147483625"});
}

TEST_F(Calculation, AFaultInCalculateAllKeepsTheRowsFromThereOn) {
  RowTable table = tableOfTerms({"x", "x+1", "Erg9", "x+3", "x+4"});
  for (int i = 0; i < 5; ++i) {
    table.setResult(i, "old");
  }
  int failingRow = -1;
  EXPECT_EQ(test::faultOf([&] {
              calculateAll(table, {"5", "1", "1", ','}, failingRow);
            }),
            "Exception: Zeile 9 existiert nicht");
  EXPECT_EQ(failingRow, 2);
  EXPECT_EQ(resultsOf(table), (Results{"5", "6", "old", "old", "old"}));
}

TEST_F(Calculation, AReferenceToARowNeverCalculatedStopsCalculateAll) {
  RowTable table = tableOfTerms({"Erg2", "x*10"});
  EXPECT_EQ(test::faultOf([&] {
              calculateAll(table, {"2", "1", "1", ','});
            }),
            "EConvertError: '' ist kein gültiger Gleitkommawert");
  EXPECT_EQ(resultsOf(table), (Results{"", ""}));
  calculateRow(table, 1, {"2", "1", "1", ','});
  calculateAll(table, {"3", "1", "1", ','});
  EXPECT_EQ(resultsOf(table), (Results{"20", "30"}));
}

TEST_F(Calculation, AfterAFloatingPointFaultTheNextCalculationRunsNormally) {
  RowTable table = tableOfTerms({"x^(5000)", "x+1"});
  EXPECT_EQ(test::faultOf([&] {
              calculateRow(table, 0, {"10", "1", "1", ','});
            }),
            "EOverflow: Gleitkommaüberlauf");
  calculateRow(table, 1, {"1", "1", "1", ','});
  EXPECT_EQ(resultsOf(table), (Results{"", "2"}));
}

// The separator travels with the calculation: it decides how Results are written and which
// literals and references read.
TEST_F(Calculation, TheSeparatorOfTheInputsWritesAndReadsTheNumbers) {
  struct Case {
    char separator;
    Results results;
  };
  for (const Case& c : std::initializer_list<Case>{
           {',', {"0,25", "2,5", "0,5"}},
           {'.', {"0.25", "", "0.5"}},
       }) {
    RowTable table = tableOfTerms({"x/4", "2,5", "Erg1*2"});
    const std::string fault = test::faultOf([&] {
      calculateRow(table, 1, {"1", "1", "1", c.separator});
    });
    calculateRow(table, 0, {"1", "1", "1", c.separator});
    calculateRow(table, 2, {"1", "1", "1", c.separator});
    EXPECT_EQ(resultsOf(table), c.results) << c.separator;
    EXPECT_EQ(fault, c.separator == ',' ? "no fault"
                                        : "EConvertError: '2,5' ist kein gültiger Gleitkommawert");
  }
}

TEST_F(Calculation, CalculateAllOnAnEmptyTableReadsNoField) {
  RowTable empty;
  EXPECT_EQ(test::faultOf([&] { calculateAll(empty, {"abc", "1", "1", ','}); }), "no fault");
}

TEST_F(Calculation, UnderflowGivesZeroWithoutAFault) {
  RowTable table = tableOfTerms({"0,5^(x)"});
  EXPECT_EQ(test::faultOf([&] { calculateAll(table, {"100000", "1", "1", ','}); }), "no fault");
  EXPECT_EQ(resultsOf(table), Results{"0"});
}

}  // namespace
}  // namespace numora
