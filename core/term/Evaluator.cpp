#include "Evaluator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

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

bool isOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

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
// text. A domain fault clears `faultFlag`. A reading rule that gives the result instead of the
// function's value goes to `taken`.
using FunctionResult = Extended (*)(Extended a, bool& faultFlag, std::optional<ReadingRule>& taken);

Extended signOf(Extended a, bool&, std::optional<ReadingRule>&) {
  if (a < 0) {
    return -1.0L;
  }
  return a > 0 ? 1.0L : 0.0L;
}

Extended absoluteValue(Extended a, bool&, std::optional<ReadingRule>&) { return std::fabs(a); }

// Sine and cosine of an angle in degrees; 0 once the angle in radians is too large to reduce.
template <Extended (*Trigonometric)(Extended, FaultFlagsClear)>
Extended ofDegrees(Extended a, bool&, std::optional<ReadingRule>& taken) {
  const Extended angle = radians(a);
  if (std::fabs(angle) >= LargestReducibleAngle) {
    taken = ReadingRule::AngleTooLarge;
    return 0.0L;
  }
  return Trigonometric(angle, FaultFlagsClear{});
}

// ln and log: "1" for an argument that is not above 0, a domain fault.
template <Extended (*Logarithm)(Extended, FaultFlagsClear)>
Extended logarithm(Extended a, bool& faultFlag, std::optional<ReadingRule>& taken) {
  if (!(a > 0)) {
    faultFlag = false;
    taken = ReadingRule::LogarithmNotPositive;
    return 1.0L;
  }
  return Logarithm(a, FaultFlagsClear{});
}

// tan: a multiple of 90 degrees is a domain fault, and once any domain fault of the evaluation
// has cleared the fault flag, tan gives "1".
Extended tangent(Extended a, bool& faultFlag, std::optional<ReadingRule>& taken) {
  if (isRightAngleMultiple(a)) {
    faultFlag = false;
    taken = ReadingRule::TangentRightAngle;
  }
  if (!faultFlag) {
    if (!taken) {
      taken = ReadingRule::TangentAfterDomainRule;
    }
    return 1.0L;
  }
  return ofDegrees<checkedTan>(a, faultFlag, taken);
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

void TermEvaluator::note(ReadingRule rule, std::int64_t at) const {
  listener_->noted(ReadingNote{std::min(at, termLength_ + 1), rule});
}

void TermEvaluator::keepOperatorPosition(std::size_t slot) {
  if (operatorPositions_.size() <= slot) {
    operatorPositions_.resize(slot + 1);
  }
  operatorPositions_[slot] = scanPosition_;
}

void TermEvaluator::zeroDivisor(std::size_t slot) {
  if (slot < operatorPositions_.size()) {
    note(ReadingRule::ZeroDivisor, operatorPositions_[slot]);
  }
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

  Extended reduce() {
    return stack_.reduce(evaluator_.faultFlag_, evaluator_.listening() ? &evaluator_ : nullptr);
  }

  // The top level's last element carries an operator: the term ends right after it.
  void noteOperatorAtEnd() const;

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
  void operandForms(bool readBefore);
  bool rowReference();
  bool function(const Function& function, bool& readBefore);
  void powerSteps();
  void push(Extended value);

  // What a listener is told of a scan step and its push.
  void formMatched(bool& readBefore, std::int64_t at) const;
  void noteOperandStart(char first, std::int64_t start, std::int64_t formsStart);
  void noteNoOperand(char first, std::int64_t at);
  void notePush(char operatorCharacter);

  TermEvaluator& evaluator_;
  numora::Level kind_;
  OperandStack stack_;
  Operand operand_;
  // While a listener is set: a character that is no operator has ended the level's term.
  bool ended_ = false;
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
  push(value);
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
// operand stays as it was. Gives whether there were digits.
bool TermEvaluator::LevelState::rowReference() {
  position() += 3;
  const std::int64_t start = position();
  while (isDigit(character())) {
    ++position();
  }
  if (position() == start) {
    return false;
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
  return true;
}

// A function name: the character after the name is passed over unread (a "(" is expected
// there), the argument group is evaluated, and the scan position moves past its ")".
bool TermEvaluator::LevelState::function(const Function& function, bool& readBefore) {
  const std::string_view name = function.name;
  if (character() != name.front() || !evaluator_.termHoldsAt(position(), name)) {
    return false;
  }
  const std::int64_t nameAt = position();
  formMatched(readBefore, nameAt);
  position() += static_cast<std::int64_t>(name.size());
  if (evaluator_.listening() && character() != '(') {
    evaluator_.note(ReadingRule::FunctionWithoutBracket, position());
  }
  const Extended a = readGroup();
  std::optional<ReadingRule> taken;
  operand_.setValue(function.result(a, evaluator_.faultFlag_, taken));
  if (taken && evaluator_.listening()) {
    evaluator_.note(*taken, nameAt);
  }
  ++position();
  return true;
}

// The operand forms, tried one after the other at the scan position as the previous one left
// it; a later form that matches replaces what an earlier one gave, or what a number literal in
// front of it read (`readBefore`). Most scan steps meet an operator or a ")" here, which begins
// no form: each group of forms is passed over with one test of the character.
void TermEvaluator::LevelState::operandForms(bool readBefore) {
  char c = character();
  if (c >= 'x' && c <= 'z') {
    for (char variable = 'x'; variable <= 'z'; ++variable) {
      if (c == variable) {
        formMatched(readBefore, position());
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
    const std::int64_t ergAt = position();
    if (rowReference()) {
      formMatched(readBefore, ergAt);
    } else if (evaluator_.listening()) {
      evaluator_.note(ReadingRule::ErgWithoutNumber, ergAt);
    }
    c = character();
  }
  if (!beginsAFunctionName(c)) {
    return;
  }
  for (const Function& each : Functions) {
    function(each, readBefore);
  }
}

// A form matched at `at`: it replaces what this operand read before it, if anything.
void TermEvaluator::LevelState::formMatched(bool& readBefore, std::int64_t at) const {
  if (readBefore && evaluator_.listening()) {
    evaluator_.note(ReadingRule::OperandReplaced, at);
  }
  readBefore = true;
}

// Every "^" at the scan position: the exponent group is evaluated from the character after
// the "^" (a "(" is expected there) and the power step replaces the operand.
void TermEvaluator::LevelState::powerSteps() {
  const std::int64_t firstCaret = position();
  while (character() == '^') {
    if (operand_.isEmpty()) {
      throw notANumberFault("");
    }
    const std::int64_t caret = position();
    ++position();
    if (evaluator_.listening()) {
      if (caret != firstCaret) {
        evaluator_.note(ReadingRule::PowersLeftToRight, caret);
      }
      if (character() != '(') {
        evaluator_.note(ReadingRule::CaretWithoutBracket, position());
      }
    }
    Operand exponent;
    exponent.setValue(evaluator_.EvaluateGroup());
    ++position();
    std::optional<ReadingRule> taken;
    operand_.setValue(powerStep(operand_, exponent, kind_, evaluator_.separator_,
                                evaluator_.faultFlag_, evaluator_.listening() ? &taken : nullptr));
    if (taken) {
      evaluator_.note(*taken, caret);
    }
  }
}

void TermEvaluator::LevelState::push(Extended value) {
  if (evaluator_.listening()) [[unlikely]] {
    notePush(character());
  }
  stack_.push(value, character());
}

void TermEvaluator::LevelState::scanStep() {
  const std::int64_t start = ++position();
  const char first = character();
  if (first == '(') {
    if (groupOperand()) {
      return;
    }
  } else {
    const bool literal = isDigit(first) || first == '-';
    if (literal) {
      numberLiteral();
    }
    const std::int64_t formsStart = position();
    operandForms(literal);
    if (evaluator_.listening()) [[unlikely]] {
      noteOperandStart(first, start, formsStart);
    }
  }
  powerSteps();
  push(readOperand());
}

// What the step that began at `start` with `first` read: nothing, or a literal "-" with digits
// that "^" follows. `formsStart` is where the forms were tried.
void TermEvaluator::LevelState::noteOperandStart(char first, std::int64_t start,
                                                 std::int64_t formsStart) {
  if (position() == start) {
    noteNoOperand(first, start);
  } else if (first == '-' && formsStart > start + 1 && position() == formsStart &&
             character() == '^') {
    evaluator_.note(ReadingRule::MinusInBase, start);
  }
}

// The step's first character `first`, at `at`, starts no operand: the level's operand text is
// pushed again, or, still empty, fails to read.
void TermEvaluator::LevelState::noteNoOperand(char first, std::int64_t at) {
  if (operand_.isEmpty()) {
    evaluator_.note(ReadingRule::MissingOperand, at);
  } else if (!ended_) {
    evaluator_.note(isOperator(first) ? ReadingRule::TwoOperators : ReadingRule::OperandUsedAgain,
                    at);
  }
}

// The element about to be pushed carries `operatorCharacter`, which stands at the scan
// position. A character that is no operator and not the level's own end ends the level's term.
void TermEvaluator::LevelState::notePush(char operatorCharacter) {
  evaluator_.keepOperatorPosition(evaluator_.slots_.size());
  const bool levelEnd = position() > evaluator_.termLength_ ||
                        (kind_ == numora::Level::Group && operatorCharacter == ')');
  if (ended_ || isOperator(operatorCharacter) || levelEnd) {
    return;
  }
  ended_ = true;
  evaluator_.note(
      operatorCharacter == '(' ? ReadingRule::BracketAfterOperand : ReadingRule::EndsTermEarly,
      position());
}

void TermEvaluator::LevelState::noteOperatorAtEnd() const {
  if (!ended_ && evaluator_.scanPosition_ == evaluator_.termLength_ &&
      isOperator(evaluator_.characterAt(evaluator_.termLength_))) {
    evaluator_.note(ReadingRule::OperatorAtEnd, evaluator_.termLength_);
  }
}

Extended TermEvaluator::EvaluateGroup() {
  if (nesting_ >= MaximumNesting) {
    throw nestedTooDeeplyFault();
  }
  ++nesting_;
  const std::int64_t opening = scanPosition_;
  LevelState level(*this, numora::Level::Group);
  do {
    level.scanStep();
  } while (characterAt(scanPosition_) != ')' && scanPosition_ <= termLength_);
  if (listening() && scanPosition_ > termLength_ && opening <= termLength_) {
    note(ReadingRule::BracketNotClosed, opening);
  }
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
  if (listening()) {
    top.noteOperatorAtEnd();
  }
  return top.reduce();
}

}  // namespace numora
