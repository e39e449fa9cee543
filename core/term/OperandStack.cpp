#include "OperandStack.h"

#include "CheckedMath.h"

namespace numora {

namespace {

bool isOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

bool isProductOperator(char c) { return c == '*' || c == '/'; }

}  // namespace

// Elements are numbered from 1 at the front, as the reduction speaks of them.
inline Extended OperandStack::valueOf(std::int64_t number) const {
  if (number > count_) {
    return 0.0L;
  }
  return slots_[base_ + front_ + static_cast<std::size_t>(number - 1)].value;
}

inline char OperandStack::operatorOf(std::int64_t number) const {
  if (number > count_) {
    return '\0';
  }
  return slots_[base_ + front_ + static_cast<std::size_t>(number - 1)].operatorCharacter;
}

void OperandStack::growTo(std::size_t size) { slots_.resize(size, StackElement{0.0L, '\0'}); }

inline StackElement& OperandStack::slot(std::int64_t number) {
  const std::size_t index = base_ + front_ + static_cast<std::size_t>(number - 1);
  if (index >= slots_.size()) [[unlikely]] {
    growTo(index + 1);
  }
  return slots_[index];
}

inline void OperandStack::store(std::int64_t number, Extended value, char operatorCharacter) {
  StackElement& element = slot(number);
  element.value = value;
  element.operatorCharacter = operatorCharacter;
}

// Element 1 becomes the combination and element 2 is removed. Instead of moving every element
// behind element 2 one place toward the front, the front itself moves one place back.
inline void OperandStack::replaceFrontPair(Extended value, char operatorCharacter) {
  if (count_ >= 2) {
    store(2, value, operatorCharacter);
    ++front_;
  } else {
    store(1, value, operatorCharacter);
  }
  --count_;
}

// Element `number` carries the "/" of a zero divisor. Combining an element into the one in
// front of it stores the result in the later element's slot, with that element's own operator
// character, so the "/" still stands in the slot it was pushed into. At the front the same "/"
// gives up the elements behind it one by one; it is told once.
void OperandStack::tellZeroDivisor(std::int64_t number) {
  if (listener_ == nullptr) [[likely]] {
    return;
  }
  const std::size_t index = base_ + front_ + static_cast<std::size_t>(number - 1);
  if (index != toldSlot_) {
    toldSlot_ = index;
    listener_->zeroDivisor(index);
  }
}

// The look-ahead of a "+" or "-" front step: while element 2 carries "*" or "/", elements 2
// and 3 are combined into element 2. A zero divisor here gives up every element behind
// element 2 and ends the look-ahead.
void OperandStack::lookAhead(bool& faultFlag) {
  char secondOperator;
  while (isProductOperator(secondOperator = operatorOf(2))) {
    const Extended third = valueOf(3);
    if (secondOperator == '/' && third == 0) {
      faultFlag = false;
      tellZeroDivisor(2);
      count_ = 2;
      return;
    }
    const Extended value = secondOperator == '*'
                               ? checkedMultiply(valueOf(2), third, FaultFlagsClear{})
                               : checkedDivide(valueOf(2), third, FaultFlagsClear{});
    const char thirdOperator = operatorOf(3);
    if (count_ >= 3) {
      // Element 3's slot takes the combination, element 2's slot takes element 1.
      store(3, value, thirdOperator);
      store(2, valueOf(1), operatorOf(1));
      ++front_;
    } else {
      store(2, value, thirdOperator);
    }
    --count_;
  }
}

// One front step, chosen by element 1's operator character.
void OperandStack::frontStep(bool& faultFlag) {
  const char firstOperator = operatorOf(1);
  switch (firstOperator) {
    case '*':
      replaceFrontPair(checkedMultiply(valueOf(1), valueOf(2), FaultFlagsClear{}), operatorOf(2));
      break;
    case '/': {
      const Extended divisor = valueOf(2);
      if (divisor == 0) {
        faultFlag = false;
        tellZeroDivisor(1);
        --count_;
      } else {
        replaceFrontPair(checkedDivide(valueOf(1), divisor, FaultFlagsClear{}), operatorOf(2));
      }
      break;
    }
    case '+':
    case '-': {
      lookAhead(faultFlag);
      const Extended value = firstOperator == '+'
                                 ? checkedAdd(valueOf(1), valueOf(2), FaultFlagsClear{})
                                 : checkedSubtract(valueOf(1), valueOf(2), FaultFlagsClear{});
      replaceFrontPair(value, operatorOf(2));
      break;
    }
    default:
      break;  // a stop character: nothing is combined
  }
}

Extended OperandStack::reduce(bool& faultFlag, ReductionListener& listener) {
  listener_ = &listener;
  toldSlot_ = slots_.size();  // no slot
  return reduce(faultFlag);
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
