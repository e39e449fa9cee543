#include "Evaluator.h"

#include <array>
#include <cmath>

#include "CheckedMath.h"
#include "Faults.h"
#include "NumberRounding.h"
#include "WholeNumber.h"

namespace numora {

namespace {

// The extended value nearest to pi; its significand is C90FDAA22168C235 in hexadecimal.
constexpr Extended Pi = 0xC.90FDAA22168C235p-2L;
constexpr Extended LargestReducibleAngle = 0x1p63L;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The angle in degrees converted to radians: divided by 180 first, then multiplied by pi.
// Inline, so that the angle does not pass through memory once more on its way.
[[gnu::always_inline]] inline Extended radians(Extended degrees) {
  return checkedMultiply(checkedDivide(degrees, 180.0L, FaultFlagsClear{}), Pi, FaultFlagsClear{});
}

// |a| is a whole multiple of 90 that is at least 90.
bool isRightAngleMultiple(Extended a) {
  const Extended magnitude = std::fabs(a);
  return magnitude >= 90 && std::fmod(magnitude, 90.0L) == 0;
}

// The result of a function for its argument a: the value whose number text becomes the operand
// text. A domain fault clears `faultFlag`.
using FunctionResult = Extended (*)(Extended a, bool& faultFlag);

Extended signOf(Extended a, bool&) {
  if (a < 0) {
    return -1.0L;
  }
  return a > 0 ? 1.0L : 0.0L;
}

Extended absoluteValue(Extended a, bool&) { return std::fabs(a); }

// Sine and cosine of an angle in degrees; 0 once the angle in radians is too large to reduce.
template <Extended (*Trigonometric)(Extended, FaultFlagsClear)>
Extended ofDegrees(Extended a, bool&) {
  const Extended angle = radians(a);
  if (std::fabs(angle) >= LargestReducibleAngle) {
    return 0.0L;
  }
  return Trigonometric(angle, FaultFlagsClear{});
}

// ln and log: "1" for an argument that is not above 0, a domain fault.
template <Extended (*Logarithm)(Extended, FaultFlagsClear)>
Extended logarithm(Extended a, bool& faultFlag) {
  if (!(a > 0)) {
    faultFlag = false;
    return 1.0L;
  }
  return Logarithm(a, FaultFlagsClear{});
}

// tan: a multiple of 90 degrees is a domain fault, and once any domain fault of the evaluation
// has cleared the fault flag, tan gives "1".
Extended tangent(Extended a, bool& faultFlag) {
  if (isRightAngleMultiple(a)) {
    faultFlag = false;
  }
  if (!faultFlag) {
    return 1.0L;
  }
  return ofDegrees<checkedTan>(a, faultFlag);
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

// The first letters of the function names, marked by character.
constexpr std::array<bool, 256> FunctionInitials = [] {
  std::array<bool, 256> initials{};
  for (const Function& each : Functions) {
    initials[static_cast<unsigned char>(each.name.front())] = true;
  }
  return initials;
}();

// Whether some function name begins with `c`. Where none does, none of the function forms
// matches and the scan position stays, so the forms need not be tried one by one.
bool beginsAFunctionName(char c) { return FunctionInitials[static_cast<unsigned char>(c)]; }

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
  Extended readOperand() const { return operand_.value(evaluator_.separator_); }
  // What the number text of a group's value reads back as, at once.
  Extended readGroup() {
    return roundedThroughText(evaluator_.EvaluateGroup(), evaluator_.separator_);
  }

  bool groupOperand();
  void numberLiteral();
  void operandForms();
  void rowReference();
  bool function(const Function& function);
  void powerSteps();

  TermEvaluator& evaluator_;
  numora::Level kind_;
  OperandStack stack_;
  Operand operand_;
};

// A "(" as the step's first character: the group's value is the operand. Gives true when the
// step is complete (the element is pushed), false when a "^" follows the group.
bool TermEvaluator::LevelState::groupOperand() {
  const Extended value = readGroup();
  if (evaluator_.characterAt(position() + 1) == '^') {
    operand_.setValue(value);
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
  operand_.setText(std::string_view(evaluator_.currentTerm_)
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
  operand_.setText(evaluator_.rows_.row(rowPosition - 1).result);
  if (evaluator_.listener_ != nullptr) {
    evaluator_.listener_->rowRead(rowPosition);
  }
}

// A function name: the character after the name is passed over unread (a "(" is expected
// there), the argument group is evaluated, and the scan position moves past its ")".
bool TermEvaluator::LevelState::function(const Function& function) {
  const std::string_view name = function.name;
  if (character() != name.front() || !evaluator_.termHoldsAt(position(), name)) {
    return false;
  }
  position() += static_cast<std::int64_t>(name.size());
  const Extended a = readGroup();
  operand_.setValue(function.result(a, evaluator_.faultFlag_));
  ++position();
  return true;
}

// The operand forms, tried one after the other at the scan position as the previous one left
// it; a later form that matches replaces what an earlier one gave. Most scan steps meet an
// operator or a ")" here, which begins no form: each group of forms is passed over with one
// test of the character.
void TermEvaluator::LevelState::operandForms() {
  char c = character();
  if (c >= 'x' && c <= 'z') {
    for (char variable = 'x'; variable <= 'z'; ++variable) {
      if (c == variable) {
        operand_.setValue(evaluator_.variables_[static_cast<std::size_t>(variable - 'x')]);
        if (evaluator_.listener_ != nullptr) {
          evaluator_.listener_->variableRead(variable - 'x');
        }
        ++position();
        c = character();
      }
    }
  }
  if (c == 'E' && evaluator_.termHoldsAt(position(), "Erg")) {
    rowReference();
    c = character();
  }
  if (!beginsAFunctionName(c)) {
    return;
  }
  for (const Function& each : Functions) {
    function(each);
  }
}

// Every "^" at the scan position: the exponent group is evaluated from the character after
// the "^" (a "(" is expected there) and the power step replaces the operand.
void TermEvaluator::LevelState::powerSteps() {
  while (character() == '^') {
    if (operand_.isEmpty()) {
      throw notANumberFault("");
    }
    ++position();
    Operand exponent;
    exponent.setValue(evaluator_.EvaluateGroup());
    ++position();
    operand_.setValue(
        powerStep(operand_, exponent, kind_, evaluator_.separator_, evaluator_.faultFlag_));
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

Extended TermEvaluator::EvaluateGroup() {
  if (nesting_ >= MaximumNesting) {
    throw nestedTooDeeplyFault();
  }
  ++nesting_;
  LevelState level(*this, numora::Level::Group);
  do {
    level.scanStep();
  } while (characterAt(scanPosition_) != ')' && scanPosition_ <= termLength_);
  const Extended value = level.reduce();
  --nesting_;
  return value;
}

Extended TermEvaluator::EvaluateTerm(std::string_view term, Extended x, Extended y, Extended z) {
  currentTerm_ = term;
  faultFlag_ = true;
  scanPosition_ = 0;
  termLength_ = static_cast<std::int64_t>(currentTerm_.size());
  nesting_ = 0;
  variables_ = {x, y, z};
  // From here on no fault flag is pending when a checked operation starts: each one either
  // finds none or raises its fault and clears them, and nothing else in the evaluation sets one.
  fpu::clearPendingFaults();
  slots_.clear();
  LevelState top(*this, numora::Level::Top);
  do {
    top.scanStep();
  } while (scanPosition_ < termLength_);
  return top.reduce();
}

}  // namespace numora
