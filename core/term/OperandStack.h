#pragma once

#include <cstdint>
#include <vector>

#include "Extended.h"

namespace numora {

// One scanned operand: its value and the character that stood in the term right after it.
// "+", "-", "*" and "/" are operators; every other character is a stop character.
struct StackElement {
  Extended value;
  char operatorCharacter;
};

// The slots that the operand stacks of all levels of one evaluation share. Levels nest, so
// each level's stack lies above the stacks of the levels that are waiting for it.
using StackSlots = std::vector<StackElement>;

// Told by a reduction where it takes a zero divisor, once for each "/" that meets one: `slot`
// is the index, in the levels' shared StackSlots, of the slot that the element carrying the "/"
// was pushed into.
class ReductionListener {
 public:
  virtual void zeroDivisor(std::size_t slot) = 0;

 protected:
  ~ReductionListener() = default;
};

// The operand stack of one level (the whole term or one group). It grows as needed. Slots
// behind the count always read as value 0 with operator character code 0, so nothing is left
// over from other levels or earlier evaluations.
class OperandStack {
 public:
  explicit OperandStack(StackSlots& slots) : slots_(slots), base_(slots.size()) {}
  ~OperandStack() { slots_.resize(base_); }
  OperandStack(const OperandStack&) = delete;
  OperandStack& operator=(const OperandStack&) = delete;

  void push(Extended value, char operatorCharacter) {
    slots_.push_back({value, operatorCharacter});
    ++count_;
  }

  std::int64_t count() const { return count_; }

  // Combines the operands with "*" and "/" before "+" and "-", each rank left to right, at
  // the front of the stack, and gives the value of the first element. A zero divisor gives up
  // the elements behind it and clears `faultFlag`; a stop character ends the term there.
  // Raises EOverflow for a result beyond the extended range, never EZeroDivide. Runs inside an
  // evaluation, where no fault flag is pending (FaultFlagsClear).
  Extended reduce(bool& faultFlag);
  // As above, and `listener` is told of every zero divisor.
  Extended reduce(bool& faultFlag, ReductionListener& listener);

 private:
  // The fields of element `number`; an element behind the count reads as value 0 with operator
  // character code 0. The value and the character are read and written one by one: a whole
  // element copied right after its value was stored would wait for the store to complete.
  Extended valueOf(std::int64_t number) const;
  char operatorOf(std::int64_t number) const;
  StackElement& slot(std::int64_t number);
  void growTo(std::size_t size);
  void store(std::int64_t number, Extended value, char operatorCharacter);
  void replaceFrontPair(Extended value, char operatorCharacter);
  void frontStep(bool& faultFlag);
  void lookAhead(bool& faultFlag);
  void tellZeroDivisor(std::int64_t number);

  StackSlots& slots_;
  std::size_t base_;
  std::size_t front_ = 0;  // element 1 is slots_[base_ + front_]
  std::int64_t count_ = 0;
  ReductionListener* listener_ = nullptr;
  std::size_t toldSlot_;  // the slot last told of; set with the listener
};

}  // namespace numora
