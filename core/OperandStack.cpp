#include "OperandStack.h"

#include "CheckedMath.h"

namespace numora {

namespace {

bool isOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

bool isProductOperator(char c) { return c == '*' || c == '/'; }

}  // namespace

// Elements are numbered from 1 at the front, as the reduction speaks of them.
StackElement OperandStack::element(std::int64_t number) const {
  if (number > count_) {
    return {0.0L, '\0'};
  }
  return slots_[base_ + front_ + static_cast<std::size_t>(number - 1)];
}

StackElement& OperandStack::slot(std::int64_t number) {
  const std::size_t index = base_ + front_ + static_cast<std::size_t>(number - 1);
  if (index >= slots_.size()) {
    slots_.resize(index + 1, StackElement{0.0L, '\0'});
  }
  return slots_[index];
}

// Element 1 becomes `combined` and element 2 is removed. Instead of moving every element
// behind element 2 one place toward the front, the front itself moves one place back.
void OperandStack::replaceFrontPair(StackElement combined) {
  if (count_ >= 2) {
    slot(2) = combined;
    ++front_;
  } else {
    slot(1) = combined;
  }
  --count_;
}

// The look-ahead of a "+" or "-" front step: while element 2 carries "*" or "/", elements 2
// and 3 are combined into element 2. A zero divisor here gives up every element behind
// element 2 and ends the look-ahead.
void OperandStack::lookAhead(bool& faultFlag) {
  while (isProductOperator(element(2).operatorCharacter)) {
    const StackElement second = element(2);
    const StackElement third = element(3);
    if (second.operatorCharacter == '/' && third.value == 0) {
      faultFlag = false;
      count_ = 2;
      return;
    }
    const Extended value = second.operatorCharacter == '*'
                               ? checkedMultiply(second.value, third.value)
                               : checkedDivide(second.value, third.value);
    const StackElement combined{value, third.operatorCharacter};
    if (count_ >= 3) {
      // Element 3's slot takes the combination, element 2's slot takes element 1.
      slot(3) = combined;
      slot(2) = element(1);
      ++front_;
    } else {
      slot(2) = combined;
    }
    --count_;
  }
}

// One front step, chosen by element 1's operator character.
void OperandStack::frontStep(bool& faultFlag) {
  const StackElement first = element(1);
  switch (first.operatorCharacter) {
    case '*': {
      const StackElement second = element(2);
      replaceFrontPair({checkedMultiply(first.value, second.value), second.operatorCharacter});
      break;
    }
    case '/': {
      const StackElement second = element(2);
      if (second.value == 0) {
        faultFlag = false;
        --count_;
      } else {
        replaceFrontPair({checkedDivide(first.value, second.value), second.operatorCharacter});
      }
      break;
    }
    case '+':
    case '-': {
      lookAhead(faultFlag);
      const StackElement second = element(2);
      const Extended value = first.operatorCharacter == '+'
                                 ? checkedAdd(first.value, second.value)
                                 : checkedSubtract(first.value, second.value);
      replaceFrontPair({value, second.operatorCharacter});
      break;
    }
    default:
      break;  // a stop character: nothing is combined
  }
}

Extended OperandStack::reduce(bool& faultFlag) {
  do {
    frontStep(faultFlag);
    if (!isOperator(slot(1).operatorCharacter)) {
      --count_;
    }
  } while (count_ > 1);
  return slot(1).value;
}

}  // namespace numora
