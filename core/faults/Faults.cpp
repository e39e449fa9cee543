#include "Faults.h"

#include "Utf8.h"
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
constexpr std::string_view NestedTooDeeplyMessage = "Term zu tief verschachtelt";
constexpr std::string_view ZeroStepMessage = "Die Schrittweite darf nicht 0 sein";
constexpr std::string_view StepLeadsAwayMessage = "Die Schrittweite %s führt von %s nicht nach %s";
constexpr std::string_view TooManyValuesMessage =
    "Die Wertetabelle hätte %s Werte, höchstens %s sind möglich";
constexpr std::string_view EmptyPictureMessage = "JPEG-Bild ist leer";
constexpr std::string_view BrokenPictureMessage = "JPEG-Bild ist fehlerhaft: %s";
constexpr std::string_view StartupFaultMessage = "Exception %s in Modul %s bei %p.\r\n%s%s\r\n";
constexpr std::string_view CannotCreateFileMessage = "Datei \"%s\" kann nicht erstellt werden. %s";
constexpr std::string_view CannotOpenFileMessage = "Datei \"%s\" kann nicht geöffnet werden. %s";
constexpr std::string_view NotATableFileMessage =
    "Datei \"%s\" ist keine gültige Tabellendatei. %s";
constexpr std::string_view SyntaxErrorProblem = "Syntaxfehler in Zeile %d, Spalte %d";
constexpr std::string_view NotAnObjectProblem = "Das Dokument ist kein JSON-Objekt";
constexpr std::string_view NotTheFormatProblem = "\"%s\" ist nicht \"%s\"";
constexpr std::string_view NewerVersionProblem = "Version %s ist neuer als Version %s";
constexpr std::string_view NoWholeVersionProblem = "\"%s\" fehlt oder ist keine ganze Zahl";
constexpr std::string_view VersionZeroProblem = "Version 0 gibt es nicht";
constexpr std::string_view NoRowListProblem = "\"%s\" fehlt oder ist keine Liste";
constexpr std::string_view EntryNotAnObjectProblem = "Eintrag %d in \"%s\" ist kein Objekt";
constexpr std::string_view FieldNotATextProblem = "Eintrag %d in \"%s\": \"%s\" ist kein Text";
constexpr std::string_view FieldMissingProblem = "Eintrag %d in \"%s\": \"%s\" fehlt";
constexpr std::string_view VariableChangedReason = "berechnet mit %s = %s; %s ist jetzt %s";
constexpr std::string_view RowChangedReason = "Zeile %d wurde seither geändert";
constexpr std::string_view TermChangedReason = "Term wurde seither geändert";
constexpr std::string_view ReadFromFileReason = "aus der Datei gelesen";
constexpr std::string_view NotReachedReason = "nicht erreicht: Berechnung in Zeile %d abgebrochen";

// Puts the arguments in place of the "%s" and "%d" of `pattern`, one after the other. A "%"
// inside an argument is taken as it stands.
std::string formatMessage(std::string_view pattern,
                          std::initializer_list<std::string_view> arguments) {
  std::string message;
  const std::string_view* argument = arguments.begin();
  std::size_t from = 0;
  for (std::size_t at = pattern.find('%');
       at != std::string_view::npos && argument != arguments.end(); at = pattern.find('%', from)) {
    message.append(pattern.substr(from, at - from));
    message.append(*argument++);
    from = at + 2;
  }
  message.append(pattern.substr(from));
  return message;
}

// The first QuotedTextLimit characters of `text` followed by "…", or nothing when the text is
// not longer.
std::string cutQuotedText(std::string_view text) {
  const std::size_t kept = lengthOfCharacters(text, QuotedTextLimit);
  return kept < text.size() ? std::string(text.substr(0, kept)) + "…" : std::string();
}

// A conversion fault: the message quotes `text` whole, the box message cut short.
EConvertError conversionFault(std::string_view pattern, std::string_view text) {
  const std::string cut = cutQuotedText(text);
  if (cut.empty()) {
    return EConvertError(formatMessage(pattern, {text}));
  }
  return EConvertError(formatMessage(pattern, {text}), formatMessage(pattern, {cut}));
}

}  // namespace

EInvalidOp::EInvalidOp() : EMathError(std::string(InvalidOpMessage)) {}
EZeroDivide::EZeroDivide() : EMathError(std::string(ZeroDivideMessage)) {}
EOverflow::EOverflow() : EMathError(std::string(OverflowMessage)) {}
EUnderflow::EUnderflow() : EMathError(std::string(UnderflowMessage)) {}

EConvertError notANumberFault(std::string_view text) {
  return conversionFault(NotANumberMessage, text);
}

EConvertError notAWholeNumberFault(std::string_view text) {
  return conversionFault(NotAWholeNumberMessage, text);
}

Exception rowDoesNotExistFault(int rowPosition) {
  return Exception(formatMessage(RowDoesNotExistMessage, {wholeNumberText(rowPosition)}));
}

Exception nestedTooDeeplyFault() { return Exception(std::string(NestedTooDeeplyMessage)); }

Exception zeroStepFault() { return Exception(std::string(ZeroStepMessage)); }

Exception stepLeadsAwayFault(std::int64_t step, std::int64_t from, std::int64_t to) {
  return Exception(formatMessage(StepLeadsAwayMessage,
                                 {std::to_string(step), std::to_string(from), std::to_string(to)}));
}

Exception tooManyValuesFault(std::uint64_t count, std::uint64_t most) {
  return Exception(
      formatMessage(TooManyValuesMessage, {std::to_string(count), std::to_string(most)}));
}

Exception emptyPictureFault() { return Exception(std::string(EmptyPictureMessage)); }

Exception brokenPictureFault(std::string_view problem) {
  return Exception(formatMessage(BrokenPictureMessage, {problem}));
}

std::string startupFaultReport(std::string_view className, std::string_view module,
                               std::string_view address, std::string_view message) {
  const std::string shown = messageBoxText(message);
  const std::string_view period = std::string_view(shown).substr(message.size());
  return formatMessage(StartupFaultMessage, {className, module, address, message, period});
}

std::string messageBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text.push_back('.');
  }
  return text;
}

Exception cannotCreateFileFault(std::string_view fileName, std::string_view reason) {
  return Exception(formatMessage(CannotCreateFileMessage, {fileName, reason}));
}

Exception cannotOpenFileFault(std::string_view fileName, std::string_view reason) {
  return Exception(formatMessage(CannotOpenFileMessage, {fileName, reason}));
}

Exception notATableFileFault(std::string_view fileName, std::string_view problem) {
  return Exception(formatMessage(NotATableFileMessage, {fileName, problem}));
}

std::string syntaxErrorProblem(std::size_t line, std::size_t column) {
  return formatMessage(SyntaxErrorProblem, {std::to_string(line), std::to_string(column)});
}

std::string notAnObjectProblem() { return std::string(NotAnObjectProblem); }

std::string notTheFormatProblem(std::string_view formatKey, std::string_view formatName) {
  return formatMessage(NotTheFormatProblem, {formatKey, formatName});
}

std::string newerVersionProblem(std::string_view version, std::string_view newestVersion) {
  return formatMessage(NewerVersionProblem, {version, newestVersion});
}

std::string noWholeVersionProblem(std::string_view versionKey) {
  return formatMessage(NoWholeVersionProblem, {versionKey});
}

std::string versionZeroProblem() { return std::string(VersionZeroProblem); }

std::string noRowListProblem(std::string_view rowsKey) {
  return formatMessage(NoRowListProblem, {rowsKey});
}

std::string entryNotAnObjectProblem(std::size_t element, std::string_view rowsKey) {
  return formatMessage(EntryNotAnObjectProblem, {std::to_string(element), rowsKey});
}

std::string fieldNotATextProblem(std::size_t element, std::string_view rowsKey,
                                 std::string_view key) {
  return formatMessage(FieldNotATextProblem, {std::to_string(element), rowsKey, key});
}

std::string fieldMissingProblem(std::size_t element, std::string_view rowsKey,
                                std::string_view key) {
  return formatMessage(FieldMissingProblem, {std::to_string(element), rowsKey, key});
}

std::string variableChangedReason(std::string_view variable, std::string_view used,
                                  std::string_view now) {
  return formatMessage(VariableChangedReason, {variable, used, variable, now});
}

std::string rowChangedReason(int rowPosition) {
  return formatMessage(RowChangedReason, {wholeNumberText(rowPosition)});
}

std::string termChangedReason() { return std::string(TermChangedReason); }

std::string readFromFileReason() { return std::string(ReadFromFileReason); }

std::string notReachedReason(int stoppedRowPosition) {
  return formatMessage(NotReachedReason, {wholeNumberText(stoppedRowPosition)});
}

Exception outOfMemoryFault() { return Exception(std::string(OutOfMemoryReason)); }

Exception outOfMemoryOpeningFault(std::string_view fileName) {
  return cannotOpenFileFault(fileName, OutOfMemoryReason);
}

Exception outOfMemorySavingFault(std::string_view fileName) {
  return cannotCreateFileFault(fileName, OutOfMemoryReason);
}

}  // namespace numora
