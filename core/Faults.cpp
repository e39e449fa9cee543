#include "Faults.h"

#include "WholeNumber.h"

namespace numora {

namespace {

// The system's stored messages, in German as the user sees them.
constexpr std::string_view NotANumberMessage = "'%s' ist kein gültiger Gleitkommawert";
constexpr std::string_view NotAWholeNumberMessage = "'%s' ist kein gültiger Integerwert";
constexpr std::string_view InvalidOpMessage = "Ungültige Gleitkommaoperation";
constexpr std::string_view ZeroDivideMessage = "Gleitkommadivision durch Null";
constexpr std::string_view OverflowMessage = "Gleitkommaüberlauf";
constexpr std::string_view UnderflowMessage = "Gleitkommaunterlauf";
constexpr std::string_view RowDoesNotExistMessage = "Zeile %d existiert nicht";

// Puts `argument` in place of the one "%s" or "%d" of `pattern`.
std::string formatMessage(std::string_view pattern, std::string_view argument) {
  const std::size_t at = pattern.find('%');
  std::string message;
  message.reserve(pattern.size() + argument.size());
  message.append(pattern.substr(0, at));
  message.append(argument);
  message.append(pattern.substr(at + 2));
  return message;
}

}  // namespace

EInvalidOp::EInvalidOp() : EMathError(std::string(InvalidOpMessage)) {}
EZeroDivide::EZeroDivide() : EMathError(std::string(ZeroDivideMessage)) {}
EOverflow::EOverflow() : EMathError(std::string(OverflowMessage)) {}
EUnderflow::EUnderflow() : EMathError(std::string(UnderflowMessage)) {}

EConvertError notANumberFault(std::string_view text) {
  return EConvertError(formatMessage(NotANumberMessage, text));
}

EConvertError notAWholeNumberFault(std::string_view text) {
  return EConvertError(formatMessage(NotAWholeNumberMessage, text));
}

Exception rowDoesNotExistFault(int rowPosition) {
  return Exception(formatMessage(RowDoesNotExistMessage, wholeNumberText(rowPosition)));
}

std::string messageBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text.push_back('.');
  }
  return text;
}

}  // namespace numora
