#include <gtest/gtest.h>

#include <cfenv>
#include <string>

#include "Evaluator.h"
#include "NumberText.h"
#include "TestSupport.h"

namespace numora {
namespace {

// Evaluates terms with x, y, z = 2, 3, 4 and "," (or the given separator) against a small
// table: row 1 holds the Result "6", row 2 none yet, row 3 "-0,5".
class Evaluation {
 public:
  explicit Evaluation(char separator = ',') : separator_(separator), evaluator_(table_, separator) {
    table_.appendRow({"first", "", "6", "1"});
    table_.appendRow({"second", "", "", "2"});
    table_.appendRow({"third", "", "-0,5", "3"});
  }

  // The number text of the term's value, or the class and message of its fault.
  std::string operator()(const std::string& term, Extended x = 2, Extended y = 3, Extended z = 4) {
    std::string text;
    const std::string fault = test::faultOf(
        [&] { text = numberText(evaluator_.EvaluateTerm(term, x, y, z), separator_); });
    return fault == "no fault" ? text : fault;
  }

  bool faultFlag() const { return evaluator_.faultFlag(); }

 private:
  char separator_;
  RowTable table_;
  TermEvaluator evaluator_;
};

struct TermCase {
  const char* term;
  const char* result;  // number text, or "Class: message"
  bool faultFlagAfter = true;
};

void expectResults(std::initializer_list<TermCase> cases, char separator = ',') {
  Evaluation evaluate(separator);
  for (const TermCase& c : cases) {
    EXPECT_EQ(evaluate(c.term), c.result) << c.term;
    EXPECT_EQ(evaluate.faultFlag(), c.faultFlagAfter) << c.term;
  }
}

constexpr const char* EmptyTextFault = "EConvertError: '' ist kein gültiger Gleitkommawert";

TEST(Evaluator, FunctionsTakeAnglesInDegrees) {
  expectResults({
      {"sin(30)", "0,5"},
      {"cos(60)", "0,5"},
      {"log(1000)", "3"},
      {"abs(-2,5)", "2,5"},
      {"sign(-3)", "-1"},
      {"sign(0)", "0"},
      {"sign(x)", "1"},
      {"tan(45)", "1"},
      {"ln(1)", "0"},
      {"sin(x*15)", "0,5"},
      {"cos(180)", "-1"},
      {"sin(-90)", "-1"},
      {"tan(30)", "0,577350269189626"},
      {"tan(45,5)", "1,01760739297213"},
  });
}

TEST(Evaluator, AFunctionWithoutAValueGivesOneAndClearsTheFaultFlag) {
  expectResults({
      {"ln(0)", "1", false},
      {"log(-1)", "1", false},
      {"tan(180)", "1", false},
      {"tan(-270)", "1", false},
      {"ln(0)+tan(30)", "2", false},  // once cleared, tan gives 1
  });
}

TEST(Evaluator, PowersBindToTheOperandInFrontOfThem) {
  expectResults({
      {"x^(2)", "4"},
      {"(x+1)^(2)", "9"},
      {"((x+1)^(2))+1", "10"},
      {"2^(3)^(2)", "64"},
      {"-2^(2)", "4"},  // the sign belongs to the literal: the base text is "-2"
      {"(x^(2)*5)/6", "3,33333333333333"},
      {"2^(-2)", "0,25"},
      {"(-2)^(-3)", "-0,125"},
      {"(-2)^(3)", "-8"},
      {"(-2)^(0,5)", "1", false},
      {"2^(0,5)", "1,4142135623731"},
      {"x^(5000)", "1,41246703213943E1505"},
      {"0,5^(20000)", "0"},  // underflow is silent
  });
}

TEST(Evaluator, PowerOfZeroDependsOnTheLevel) {
  expectResults({
      {"0^(-2)", "0"},
      {"0^(0)", "0"},
      {"0^(-0,5)", "0"},
      {"(0^(-0,5))", "1", false},
      {"(0^(-2))", "EZeroDivide: Gleitkommadivision durch Null"},
      {"(0^(2))", "0"},
      {"00^(2)", "EZeroDivide: Gleitkommadivision durch Null"},  // not the text "0"
      {"0,0^(2)", "EZeroDivide: Gleitkommadivision durch Null"},
  });
}

TEST(Evaluator, APowerBeyondTheRangeIsAFault) {
  expectResults({
      {"x^(9000)*x^(9000)", "EOverflow: Gleitkommaüberlauf"},  // in the reduction
      {"0,5^(-20000)", "EZeroDivide: Gleitkommadivision durch Null"},
      {"x^(10^(18))", "EOverflow: Gleitkommaüberlauf"},
  });
  Evaluation evaluate;
  EXPECT_EQ(evaluate("x^(5000)", 10), "EOverflow: Gleitkommaüberlauf");
}

// The whole number test of an exponent of 2^63 or more is made only where a rule needs it:
// for a negative exponent or a negative base.
TEST(Evaluator, AHugeExponentIsTestedForAWholeNumberOnlyWhereARuleNeedsIt) {
  expectResults({
      {"x^(0-10^(19))", "EInvalidOp: Ungültige Gleitkommaoperation"},
      {"(0-2)^(10^(19))", "EInvalidOp: Ungültige Gleitkommaoperation"},
      {"x^(10^(19))", "EOverflow: Gleitkommaüberlauf"},
  });
}

TEST(Evaluator, AfterAFaultTheNextEvaluationRunsNormally) {
  Evaluation evaluate;
  EXPECT_EQ(evaluate("x^(5000)", 10), "EOverflow: Gleitkommaüberlauf");
  EXPECT_EQ(evaluate("x+1", 1), "2");
}

// A fault flag that other code left pending before the evaluation is not taken for a fault of
// any step of it: not of the reduction, a function, a power or a function of a power.
TEST(Evaluator, FaultFlagsLeftPendingBeforeTheEvaluationAreNoFaultOfIt) {
  Evaluation evaluate;
  for (const int flag : {FE_OVERFLOW, FE_DIVBYZERO, FE_INVALID}) {
    for (const TermCase& c :
         std::initializer_list<TermCase>{{"2*3+1", "7"},
                                         {"sin(30)", "0,5"},
                                         {"x^(2)", "4"},
                                         {"ln(x^(3))/3", "0,693147180559947"}}) {
      std::feraiseexcept(flag);
      EXPECT_EQ(evaluate(c.term), c.result) << c.term << " with flag " << flag;
    }
  }
  std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(Evaluator, MultiplyAndDivideGoBeforeAddAndSubtractFromLeftToRight) {
  expectResults({
      {"10-6/2+1", "8"},
      {"2*3+4*5", "26"},
      {"8/4/2", "1"},
      {"1-8/2/2", "-1"},
      {"1+2*3-4/2", "5"},
      {"x*y*z/(x+y+z)", "2,66666666666667"},
      {"12,5*x-0,75", "24,25"},
  });
}

TEST(Evaluator, ACharacterThatIsNoOperatorEndsTheTermOfItsLevel) {
  expectResults({
      {"2.5", "2"},       // "." is a stop character
      {"2E3", "2"},       // "E" not followed by "rg" too
      {"x^(1E19)", "2"},  // so 1E19 in a term is 1: "E" is no exponent
      {"2)+3", "2"},
  });
}

TEST(Evaluator, ZeroDivisorsGiveUpTheRestOfTheLevel) {
  expectResults({
      {"6/0+1", "6", false},
      {"2*3/0-1", "6", false},
      {"1+6/0", "7", false},     // in the look-ahead: the quotient is not formed
      {"10-6/0+3", "4", false},  // and everything behind element 2 is given up
      {"1+2*3/0*5", "7", false},
      {"(1/0)+2", "3", false},
      {"x/(x-2)", "2", false},
  });
}

TEST(Evaluator, AnOperatorWithoutAnOperandReusesThePreviousOperand) {
  expectResults({
      {"2*+3", "7"},  // "+" holds no operand: "2" is pushed again
      {"(2+)", "4"},
      {"+1", EmptyTextFault},
  });
}

TEST(Evaluator, ALaterOperandFormReplacesWhatAnEarlierOneRead) {
  expectResults({
      {"-x", "2"},  // "-" starts a literal that the form x replaces
      {"-sin(30)", "0,5"},
      {"xy", "3"},
      {"2x", "2"},
      {"2sin(30)", "0,5"},
      {"Ergx", EmptyTextFault},  // x is tried before Erg, not after it
  });
}

TEST(Evaluator, TheCharacterAfterAFunctionNameOrACaretIsPassedOverUnread) {
  expectResults({
      {"sin30)", "0"},
      {"x^2", EmptyTextFault},  // "^" passes over the "2"; the exponent group is empty
  });
}

TEST(Evaluator, ALiteralIsReadAsAWholeWithItsSignDigitsAndCommas) {
  expectResults({
      {"-(2)", "EConvertError: '-' ist kein gültiger Gleitkommawert"},
      {"1,2,3", "EConvertError: '1,2,3' ist kein gültiger Gleitkommawert"},
  });
}

TEST(Evaluator, RowReferencesReadTheLiveResults) {
  expectResults({
      {"Erg1*2", "12"},
      {"Erg3", "-0,5"},
      {"Erg1+Erg3", "5,5"},
      {"Erg001", "6"},
      {"Erg+1", EmptyTextFault},  // no digits: the operand text stays empty
      {"2+Erg", "4"},             // no digits: the previous operand "2" again
      {"Erg2", EmptyTextFault},   // a row never calculated
      {"Erg99999999999", "EConvertError: '99999999999' ist kein gültiger Integerwert"},
  });
}

TEST(Evaluator, AnUnclosedGroupIsClosedAtTheEndOfTheTerm) {
  expectResults({
      {"x^23", "8"},
      {"(1+2", "3"},
      {"sin(", EmptyTextFault},
      {"sin", EmptyTextFault},
      {"2*(3", "6"},
      {"x^(", EmptyTextFault},
  });
}

TEST(Evaluator, AReferenceToARowThatDoesNotExistIsAFault) {
  expectResults({
      {"Erg0", "Exception: Zeile 0 existiert nicht"},
      {"Erg4", "Exception: Zeile 4 existiert nicht"},
      {"Erg0004", "Exception: Zeile 4 existiert nicht"},
  });
}

TEST(Evaluator, ACaretWithAnEmptyOperandFailsBeforeItsExponentIsEvaluated) {
  expectResults({
      {"^(2)", EmptyTextFault},
      {"(^(Erg4))", EmptyTextFault},
  });
}

TEST(Evaluator, ThePowerStepReadsItsBaseOnlyWhereARuleNeedsIt) {
  expectResults({
      {"-^(0,5)", "1", false},
      {"-^(2)", "EConvertError: '-' ist kein gültiger Gleitkommawert"},
  });
}

// An angle of 2^63 radians or more cannot be reduced: sin, cos and tan give "0", except tan
// of a multiple of 90 degrees (a domain fault) and tan after a domain fault, which give "1".
TEST(Evaluator, AnglesTooLargeToReduceGiveZero) {
  expectResults({
      {"tan(x^(70))", "0"},  // 1,18059162071741E21 degrees, no multiple of 90
      {"tan(9*10^(20))", "1", false},
      {"ln(0)+tan(x^(70))", "2", false},
      {"sin(10^(30))", "0"},
      {"cos(0-10^(30))", "0"},
  });
}

// The operand slots behind the count read as 0 with operator code 0.
TEST(Evaluator, AnOperatorAtTheEndHasZeroAsItsRightOperand) {
  expectResults({
      {"2+", "2"},
      {"2*", "0"},
      {"2/", "2", false},
      {"2-", "2"},
      {"1+2*", "1"},
  });
}

// Results do not depend on what an earlier evaluation left on the stacks.
TEST(Evaluator, EvaluationsAreIndependent) {
  Evaluation evaluate;
  EXPECT_EQ(evaluate("1+2+3+4+5+6+7+8"), "36");
  EXPECT_EQ(evaluate("9*"), "0");
  EXPECT_EQ(evaluate("(1+2+3+4+5+6+7+8+9+10+11+12+13)*2"), "182");
  EXPECT_EQ(evaluate("7+"), "7");
}

// Operand stacks grow as needed, at the top level and in groups.
TEST(Evaluator, StacksGrowAsNeeded) {
  Evaluation evaluate;
  std::string sum = "1";
  for (int i = 0; i < 999; ++i) {
    sum += "+1";
  }
  EXPECT_EQ(evaluate(sum), "1000");
  EXPECT_EQ(evaluate("(" + sum + ")*2"), "2000");
  std::string product = "2";
  for (int i = 0; i < 199; ++i) {
    product += "*2";
  }
  EXPECT_EQ(evaluate("(" + product + ")/2^(199)"), "2");
}

// At most 1000 groups may be open at once.
TEST(Evaluator, NestingDeeperThanAThousandGroupsIsAFault) {
  Evaluation evaluate;
  const auto nested = [](int depth) {
    return std::string(static_cast<std::size_t>(depth), '(') + "7" +
           std::string(static_cast<std::size_t>(depth), ')');
  };
  EXPECT_EQ(evaluate(nested(1000)), "7");
  EXPECT_EQ(evaluate(nested(1001)), "Exception: Term zu tief verschachtelt");
  EXPECT_EQ(evaluate(std::string(100000, '(')), "Exception: Term zu tief verschachtelt");
  std::string functions;
  for (int i = 0; i < 1001; ++i) {
    functions += "abs(";
  }
  EXPECT_EQ(evaluate(functions + "1"), "Exception: Term zu tief verschachtelt");
  EXPECT_EQ(evaluate("x+1"), "3");
}

TEST(Evaluator, HugeTermsEndWithAResultOrAFault) {
  Evaluation evaluate;
  EXPECT_EQ(evaluate(std::string(10'000'000, '9')).substr(0, 20), "EConvertError: '9999");
  std::string sums;
  sums.reserve(10'000'000);
  while (sums.size() < 10'000'000) {
    sums += "1+";
  }
  EXPECT_EQ(evaluate(sums), "5000000");
}

TEST(Evaluator, SeparatorDecidesHowLiteralsRead) {
  expectResults(
      {
          {"sin(30)", "0.5"},
          {"x/4", "0.5"},
          {"2,5", "EConvertError: '2,5' ist kein gültiger Gleitkommawert"},
          {"2.5", "2"},
      },
      '.');
}

}  // namespace
}  // namespace numora
