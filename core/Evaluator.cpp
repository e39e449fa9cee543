#include "Evaluator.h"

#include <cmath>

#include "CheckedMath.h"
#include "Faults.h"
#include "NumberReading.h"
#include "WholeNumber.h"

namespace numora {

namespace {

// The extended value nearest to pi; its significand is C90FDAA22168C235 in hexadecimal.
constexpr Extended Pi = 0xC.90FDAA22168C235p-2L;
constexpr Extended LargestReducibleAngle = 0x1p63L;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The angle in degrees converted to radians: divided by 180 first, then multiplied by pi.
Extended radians(Extended degrees) { return checkedMultiply(checkedDivide(degrees, 180.0L), Pi); }

// |a| is a whole multiple of 90 that is at least 90.
bool isRightAngleMultiple(Extended a) {
  const Extended magnitude = std::fabs(a);
  return magnitude >= 90 && std::fmod(magnitude, 90.0L) == 0;
}

// The result text of a function for its argument a. A domain fault clears `faultFlag`.
using FunctionResult = NumberTextBuffer (*)(Extended a, char separator, bool& faultFlag);

NumberTextBuffer signOf(Extended a, char, bool&) {
  if (a < 0) {
    return NumberTextBuffer("-1");
  }
  return a > 0 ? NumberTextBuffer("1") : NumberTextBuffer("0");
}

NumberTextBuffer absoluteValue(Extended a, char separator, bool&) {
  return NumberTextBuffer(std::fabs(a), separator);
}

// Sine and cosine of an angle in degrees; 0 once the angle in radians is too large to reduce.
template <Extended (*Trigonometric)(Extended)>
NumberTextBuffer ofDegrees(Extended a, char separator, bool&) {
  const Extended angle = radians(a);
  if (std::fabs(angle) >= LargestReducibleAngle) {
    return NumberTextBuffer("0");
  }
  return NumberTextBuffer(Trigonometric(angle), separator);
}

// ln and log: "1" for an argument that is not above 0, a domain fault.
template <Extended (*Logarithm)(Extended)>
NumberTextBuffer logarithm(Extended a, char separator, bool& faultFlag) {
  if (!(a > 0)) {
    faultFlag = false;
    return NumberTextBuffer("1");
  }
  return NumberTextBuffer(Logarithm(a), separator);
}

// tan: a multiple of 90 degrees is a domain fault, and once any domain fault of the evaluation
// has cleared the fault flag, tan gives "1".
NumberTextBuffer tangent(Extended a, char separator, bool& faultFlag) {
  if (isRightAngleMultiple(a)) {
    faultFlag = false;
  }
  if (!faultFlag) {
    return NumberTextBuffer("1");
  }
  return ofDegrees<checkedTan>(a, separator, faultFlag);
}

// The functions, in the order in which the scanner tries them.
struct Function {
  std::string_view name;
  FunctionResult result;
};
constexpr Function Functions[] = {
    {"sign", signOf},
    {"abs", absoluteValue},
    {"sin", ofDegrees<checkedSin>},
    {"cos", ofDegrees<checkedCos>},
    {"ln", logarithm<checkedLn>},
    {"log", logarithm<checkedLog10>},
    {"tan", tangent},
};

}  // namespace

char TermEvaluator::characterAt(std::int64_t position) const {
  if (position < 1 || position > termLength_) {
    return '\0';
  }
  return currentTerm_[static_cast<std::size_t>(position - 1)];
}

bool TermEvaluator::termHoldsAt(std::int64_t position, std::string_view text) const {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (characterAt(position + static_cast<std::int64_t>(i)) != text[i]) {
      return false;
    }
  }
  return true;
}

// One level of the term: the whole term or the inside of one group. It owns the operand text
// (not emptied between operands) and the operand stack.
class TermEvaluator::LevelState {
 public:
  LevelState(TermEvaluator& evaluator, numora::Level kind)
      : evaluator_(evaluator), kind_(kind), stack_(evaluator.slots_) {}

  // One scan step: read one operand (a group, a literal, or the forms in their fixed order),
  // apply any "^" that follows it, and push it with the character after it.
  void scanStep();

  Extended reduce() { return stack_.reduce(evaluator_.faultFlag_); }

 private:
  std::int64_t& position() { return evaluator_.scanPosition_; }
  char character() const { return evaluator_.characterAt(evaluator_.scanPosition_); }
  Extended readOperand() const { return readNumber(operand_, evaluator_.separator_); }

  bool groupOperand();
  void numberLiteral();
  void operandForms();
  void rowReference();
  bool function(const Function& function);
  void powerSteps();

  void setOperand(std::string_view text) { operand_ = text; }
  void setOperand(const NumberTextBuffer& text) {
    operandText_ = text;
    operand_ = operandText_.view();
  }

  TermEvaluator& evaluator_;
  numora::Level kind_;
  OperandStack stack_;
  std::string_view operand_;  // a literal in the term, a Result, a constant or operandText_
  NumberTextBuffer operandText_;
};

// A "(" as the step's first character: the group's value is the operand. Gives true when the
// step is complete (the element is pushed), false when a "^" follows the group.
bool TermEvaluator::LevelState::groupOperand() {
  const NumberTextBuffer group = evaluator_.EvaluateGroup();
  const Extended value = readNumber(group.view(), evaluator_.separator_);
  if (evaluator_.characterAt(position() + 1) == '^') {
    setOperand(NumberTextBuffer(value, evaluator_.separator_));
    ++position();
    return false;
  }
  ++position();
  stack_.push(value, character());
  return true;
}

// A digit or "-" starts a literal that takes the digits and "," that follow it.
void TermEvaluator::LevelState::numberLiteral() {
  const std::int64_t start = position();
  while (isDigit(evaluator_.characterAt(position() + 1)) ||
         evaluator_.characterAt(position() + 1) == ',') {
    ++position();
  }
  ++position();
  setOperand(std::string_view(evaluator_.currentTerm_)
                 .substr(static_cast<std::size_t>(start - 1),
                         static_cast<std::size_t>(position() - start)));
}

// "Erg" and a run of digits: the Result text of the row at that position. Without digits the
// operand stays as it was.
void TermEvaluator::LevelState::rowReference() {
  position() += 3;
  const std::int64_t start = position();
  while (isDigit(character())) {
    ++position();
  }
  if (position() == start) {
    return;
  }
  const std::string_view digits = std::string_view(evaluator_.currentTerm_)
                                      .substr(static_cast<std::size_t>(start - 1),
                                              static_cast<std::size_t>(position() - start));
  const std::int32_t rowPosition = readWholeNumber(digits);
  if (!evaluator_.rows_.isRowIndex(rowPosition - 1)) {
    throw rowDoesNotExistFault(rowPosition);
  }
  setOperand(evaluator_.rows_.row(rowPosition - 1).result);
}

// A function name: the character after the name is passed over unread (a "(" is expected
// there), the argument group is evaluated, and the scan position moves past its ")".
bool TermEvaluator::LevelState::function(const Function& function) {
  const std::string_view name = function.name;
  if (character() != name.front() || !evaluator_.termHoldsAt(position(), name)) {
    return false;
  }
  position() += static_cast<std::int64_t>(name.size());
  const NumberTextBuffer argument = evaluator_.EvaluateGroup();
  const Extended a = readNumber(argument.view(), evaluator_.separator_);
  setOperand(function.result(a, evaluator_.separator_, evaluator_.faultFlag_));
  ++position();
  return true;
}

// The operand forms, tried one after the other at the scan position as the previous one left
// it; a later form that matches replaces what an earlier one gave.
void TermEvaluator::LevelState::operandForms() {
  static constexpr const char* Variables = "xyz";
  for (int i = 0; i < 3; ++i) {
    if (character() == Variables[i]) {
      setOperand(evaluator_.variableTexts_[i]);
      ++position();
    }
  }
  if (character() == 'E' && evaluator_.termHoldsAt(position(), "Erg")) {
    rowReference();
  }
  for (const Function& each : Functions) {
    function(each);
  }
}

// Every "^" at the scan position: the exponent group is evaluated from the character after
// the "^" (a "(" is expected there) and the power step replaces the operand.
void TermEvaluator::LevelState::powerSteps() {
  while (character() == '^') {
    if (operand_.empty()) {
      throw notANumberFault(operand_);
    }
    ++position();
    const NumberTextBuffer exponent = evaluator_.EvaluateGroup();
    ++position();
    setOperand(
        powerStep(operand_, exponent.view(), kind_, evaluator_.separator_, evaluator_.faultFlag_));
  }
}

void TermEvaluator::LevelState::scanStep() {
  ++position();
  const char first = character();
  if (first == '(') {
    if (groupOperand()) {
      return;
    }
  } else {
    if (isDigit(first) || first == '-') {
      numberLiteral();
    }
    operandForms();
  }
  powerSteps();
  stack_.push(readOperand(), character());
}

NumberTextBuffer TermEvaluator::EvaluateGroup() {
  if (nesting_ >= MaximumNesting) {
    throw nestedTooDeeplyFault();
  }
  ++nesting_;
  LevelState level(*this, numora::Level::Group);
  do {
    level.scanStep();
  } while (characterAt(scanPosition_) != ')' && scanPosition_ <= termLength_);
  const NumberTextBuffer text(level.reduce(), separator_);
  --nesting_;
  return text;
}

// The number texts of x, y and z, made again only when a value or the separator changed:
// a table is usually calculated with the same values row after row.
void TermEvaluator::setVariables(const std::array<Extended, 3>& values) {
  if (variablesKnown_ && values == variableValues_) {
    return;
  }
  variableValues_ = values;
  for (std::size_t i = 0; i < values.size(); ++i) {
    variableTexts_[i] = NumberTextBuffer(values[i], separator_);
  }
  variablesKnown_ = true;
}

Extended TermEvaluator::EvaluateTerm(std::string_view term, Extended x, Extended y, Extended z) {
  currentTerm_ = term;
  faultFlag_ = true;
  scanPosition_ = 0;
  termLength_ = static_cast<std::int64_t>(currentTerm_.size());
  nesting_ = 0;
  setVariables({x, y, z});
  slots_.clear();
  LevelState top(*this, numora::Level::Top);
  do {
    top.scanStep();
  } while (scanPosition_ < termLength_);
  return top.reduce();
}

}  // namespace numora
