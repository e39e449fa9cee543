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

// The sentences of the reading notes, by the rule's name, without their final period: "%d" is
// the position, "%s" the character there. Where the position can lie at the end of the term,
// `atEnd` is said there instead.
struct ReadingNoteText {
  std::string_view rule;
  std::string_view pattern;
  std::string_view atEnd = {};
};
constexpr ReadingNoteText ReadingNoteTexts[] = {
    {"ends-term-early",
     "Stelle %d: \"%s\" ist kein Rechenzeichen und beendet hier den Term (oder die Klammer); "
     "der Rest darin zählt nicht"},
    {"bracket-after-operand",
     "Stelle %d: Vor \"(\" fehlt ein Rechenzeichen wie \"*\"; hier endet der Term (oder die "
     "Klammer), der Rest darin zählt nicht"},
    {"operand-replaced",
     "Stelle %d: Davor fehlt ein Rechenzeichen: Was hier beginnt, ersetzt den Wert direkt davor "
     "(auch ein Minuszeichen), statt mit ihm malgenommen zu werden"},
    {"two-operators",
     "Stelle %d: Zwei Rechenzeichen hintereinander: Vor \"%s\" wird der vorige Operand noch "
     "einmal genommen"},
    {"operand-used-again",
     "Stelle %d: Nach dem Rechenzeichen fehlt ein Operand; der vorige Operand wird noch einmal "
     "genommen"},
    {"missing-operand",
     "Stelle %d: Hier fehlt ein Operand (eine Zahl, eine Variable, eine Funktion oder eine "
     "Klammer)"},
    {"operator-at-end", "Stelle %d: Nach \"%s\" endet der Term; als fehlender Operand zählt 0"},
    {"erg-without-number",
     "Stelle %d: Nach \"Erg\" steht keine Zeilennummer; \"Erg\" wird übergangen"},
    {"function-without-bracket",
     "Stelle %d: Nach dem Funktionsnamen wird \"(\" erwartet; \"%s\" wird übersprungen",
     "Stelle %d: Nach dem Funktionsnamen endet der Term; \"(\" fehlt"},
    {"caret-without-bracket", "Stelle %d: Nach \"^\" wird \"(\" erwartet; \"%s\" wird übersprungen",
     "Stelle %d: Nach \"^\" endet der Term; \"(\" fehlt"},
    {"bracket-not-closed",
     "Stelle %d: Diese Klammer wird nicht geschlossen; sie reicht bis zum Ende des Terms"},
    {"powers-left-to-right",
     "Stelle %d: Mehrere \"^\" hintereinander werden von links nach rechts gerechnet: Dieses "
     "\"^\" potenziert das Ergebnis davor"},
    {"minus-in-base",
     "Stelle %d: Das Minuszeichen gehört zur Zahl: \"^\" potenziert die negative Zahl"},
    {"power-without-value", "Stelle %d: Diese Potenz hat keinen reellen Wert; sie gilt hier als 1"},
    {"zero-base",
     "Stelle %d: Die Basis ist 0: Die Potenz gilt hier als 0, auch bei einem Exponenten von 0 "
     "oder darunter"},
    {"logarithm-not-positive",
     "Stelle %d: Der Logarithmus einer Zahl, die nicht größer als 0 ist, gilt hier als 1"},
    {"tangent-right-angle",
     "Stelle %d: Der Tangens eines Vielfachen von 90 Grad ist nicht bestimmt und gilt hier als 1"},
    {"tangent-after-domain-rule",
     "Stelle %d: Weiter vorn hatte ein Wert kein Ergebnis (etwa ein Logarithmus von 0 oder eine "
     "Division durch 0); darum gilt dieser Tangens als 1"},
    {"angle-too-large", "Stelle %d: Der Winkel ist zu groß zum Rechnen; das Ergebnis gilt als 0"},
    {"zero-divisor",
     "Stelle %d: Hier wird durch 0 geteilt: Diese Division und alles, was danach in derselben "
     "Klammer oder im Term folgt, fällt weg"},
};
// Said for a rule that has no sentence of its own.
constexpr std::string_view UnknownReadingNoteText = "Stelle %d: Hier gilt eine besondere Leseregel";

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

std::string readingNoteMessage(std::string_view rule, std::int64_t at, std::string_view concerned) {
  std::string_view pattern = UnknownReadingNoteText;
  for (const ReadingNoteText& text : ReadingNoteTexts) {
    if (text.rule == rule) {
      pattern = concerned.empty() && !text.atEnd.empty() ? text.atEnd : text.pattern;
    }
  }
  return formatMessage(pattern, {std::to_string(at), concerned}) + ".";
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

std::string stoppedHereReason(std::string_view faultMessage) {
  return "Berechnung hier abgebrochen: " + std::string(faultMessage);
}

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
