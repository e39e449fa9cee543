#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace numora {

// The base of every fault: a failed operation throws one of these and does nothing else.
// The message is stored exactly as it will be shown, without the message box's final period.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  // A fault whose message quotes a text too long to show whole: `boxMessage` is the message
  // with that text cut short, for the message box.
  Exception(std::string message, std::string boxMessage)
      : message_(std::move(message)), boxMessage_(std::move(boxMessage)) {}

  const std::string& message() const noexcept { return message_; }
  // The message as the fault box shows it: the message itself unless a quoted text was cut.
  const std::string& boxMessage() const noexcept {
    return boxMessage_.empty() ? message_ : boxMessage_;
  }
  const char* what() const noexcept override { return message_.c_str(); }
  // The class name as users and the command-line tool see it ("EConvertError", ...).
  virtual const char* className() const noexcept { return "Exception"; }

 private:
  std::string message_;
  std::string boxMessage_;
};

// A text that is not a number or not a whole number.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
  const char* className() const noexcept override { return "EConvertError"; }
};

// Faults reported by the processor.
class EExternal : public Exception {
 public:
  using Exception::Exception;
  const char* className() const noexcept override { return "EExternal"; }
};

// Floating-point faults.
class EMathError : public EExternal {
 public:
  using EExternal::EExternal;
  const char* className() const noexcept override { return "EMathError"; }
};

class EInvalidOp : public EMathError {
 public:
  EInvalidOp();
  const char* className() const noexcept override { return "EInvalidOp"; }
};

class EZeroDivide : public EMathError {
 public:
  EZeroDivide();
  const char* className() const noexcept override { return "EZeroDivide"; }
};

class EOverflow : public EMathError {
 public:
  EOverflow();
  const char* className() const noexcept override { return "EOverflow"; }
};

class EUnderflow : public EMathError {
 public:
  EUnderflow();
  const char* className() const noexcept override { return "EUnderflow"; }
};

// The conversion faults of number reading and whole-number reading; `text` is the whole text
// that was given to the reading, blanks included. The message quotes it whole; the box message
// quotes at most its first QuotedTextLimit characters followed by "…".
inline constexpr std::size_t QuotedTextLimit = 1000;
EConvertError notANumberFault(std::string_view text);
EConvertError notAWholeNumberFault(std::string_view text);

// A row reference to a row position that the table does not have.
Exception rowDoesNotExistFault(int rowPosition);

// Groups, arguments and exponents nested deeper than the evaluator follows.
Exception nestedTooDeeplyFault();

// A value table's range that is refused: a Step of 0, a Step that leads from From away from
// To, and a range of more values than a value table may have.
Exception zeroStepFault();
Exception stepLeadsAwayFault(std::int64_t step, std::int64_t from, std::int64_t to);
Exception tooManyValuesFault(std::uint64_t count, std::uint64_t most);

// A JPEG picture that is empty, or that the decoder refuses with `problem`.
Exception emptyPictureFault();
Exception brokenPictureFault(std::string_view problem);

// File faults: the file name, then the system's text for the error or what is wrong.
Exception cannotCreateFileFault(std::string_view fileName, std::string_view reason);
Exception cannotOpenFileFault(std::string_view fileName, std::string_view reason);
Exception notATableFileFault(std::string_view fileName, std::string_view problem);
// What makes a document no table file, as notATableFileFault quotes it. The keys and the
// format's name and version are given by the table format, which the texts name as it does.
std::string syntaxErrorProblem(std::size_t line, std::size_t column);
std::string notAnObjectProblem();
std::string notTheFormatProblem(std::string_view formatKey, std::string_view formatName);
std::string newerVersionProblem(std::string_view version, std::string_view newestVersion);
std::string noWholeVersionProblem(std::string_view versionKey);
std::string versionZeroProblem();
std::string noRowListProblem(std::string_view rowsKey);
// A problem of the `element`th entry (counted from 1) of the list of rows, or of its field
// `key`.
std::string entryNotAnObjectProblem(std::size_t element, std::string_view rowsKey);
std::string fieldNotATextProblem(std::size_t element, std::string_view rowsKey,
                                 std::string_view key);
std::string fieldMissingProblem(std::size_t element, std::string_view rowsKey,
                                std::string_view key);
// The reason given when a file to open or save exists and is neither a regular file nor a
// folder (a FIFO, a device, a socket).
inline constexpr std::string_view NotARegularFileReason = "Keine reguläre Datei";
// Memory ran out during a command; with the file's name when the command works on a file,
// in the shape of its open or save fault.
inline constexpr std::string_view OutOfMemoryReason = "Nicht genügend Arbeitsspeicher";
Exception outOfMemoryFault();
Exception outOfMemoryOpeningFault(std::string_view fileName);
Exception outOfMemorySavingFault(std::string_view fileName);

// The last-resort report of a fault that ends the program during its start: the caption of
// its box, and its text naming the fault's class, the program's module, the code address (as
// text) and the message, with the message box's final period where that adds one.
inline constexpr std::string_view StartupFaultCaption = "Anwendungsfehler";
std::string startupFaultReport(std::string_view className, std::string_view module,
                               std::string_view address, std::string_view message);

// Why a row's Result is not what calculating the row now would write. `variable` is "x", "y"
// or "z"; `used` is the whole number the calculation took, `now` the field's value as a whole
// number, or its text as typed when it holds none. Positions count from 1.
std::string variableChangedReason(std::string_view variable, std::string_view used,
                                  std::string_view now);
std::string rowChangedReason(int rowPosition);
std::string termChangedReason();
std::string readFromFileReason();
std::string notReachedReason(int stoppedRowPosition);
// What the row where calculate all stopped says of it, quoting the fault's message.
std::string stoppedHereReason(std::string_view faultMessage);

// The German sentence of a reading note: the rule given by its stable name (as the term
// evaluator's ruleName gives it), the note's position `at` (counted from 1) and `concerned`,
// the character at that position, empty where the position lies at the end of the term.
// Reading notes explain a result; they are no faults.
std::string readingNoteMessage(std::string_view rule, std::int64_t at, std::string_view concerned);

// The text the fault message box shows: the message with a "." appended when it is not empty
// and its last byte lies above "." in code (a letter, a digit, or a UTF-8 multi-byte character).
std::string messageBoxText(std::string_view message);

}  // namespace numora
