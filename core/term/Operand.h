#pragma once

#include <string_view>

#include "Extended.h"
#include "ExtendedFields.h"
#include "NumberReading.h"
#include "NumberRounding.h"

namespace numora {

// The operand text of a level while its operand is scanned. It is either text that the term or
// a Result cell holds (a number literal, a row's Result, or empty before the level's first
// operand), or a value that the evaluator computed and that stands for its number text. The
// computed value keeps the text's meaning without the characters: the text's first character
// and whether it is exactly "0" follow from the value's sign and class, and its value is what
// reading the text back gives, raising the same fault where the text is no number.
class Operand {
 public:
  // The operand is text that the term or a Result cell holds.
  void setText(std::string_view text) {
    text_ = text;
    isComputed_ = false;
  }

  // The operand's text is the number text of `value`. It is set in place: a whole operand
  // copied right after its value was stored would wait for that store to complete.
  void setValue(Extended value) {
    computed_ = value;
    isComputed_ = true;
  }

  bool isEmpty() const { return !isComputed_ && text_.empty(); }

  // The text begins with "-": a negative literal or Result, or the number text of a negative
  // value other than negative zero, a denormal value or a value that is not a number.
  bool isNegativeText() const {
    if (!isComputed_) {
      return !text_.empty() && text_.front() == '-';
    }
    const ExtendedFields fields = fieldsOf(computed_);
    const ExtendedKind kind = kindOf(fields);
    return fields.negative && (kind == ExtendedKind::Normal || kind == ExtendedKind::Infinite);
  }

  // The text is exactly "0" (0,0, 00 and -0 are not): the number text of zero, negative zero
  // and the denormal values.
  bool isZeroText() const {
    if (!isComputed_) {
      return text_ == "0";
    }
    return kindOf(fieldsOf(computed_)) == ExtendedKind::ZeroOrDenormal;
  }

  // The text read as a number with `separator`; raises the conversion fault of a text that is
  // no number.
  Extended value(char separator) const {
    return isComputed_ ? roundedThroughText(computed_, separator) : readNumber(text_, separator);
  }

 private:
  std::string_view text_;
  Extended computed_ = 0;
  bool isComputed_ = false;
};

}  // namespace numora
