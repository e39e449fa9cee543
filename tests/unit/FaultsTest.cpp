#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Faults.h"
#include "TestSupport.h"

namespace numora {
namespace {

TEST(Faults, CarryTheirStoredGermanMessages) {
  struct Case {
    std::string fault;
    const char* expected;
  };
  for (const Case& c : std::initializer_list<Case>{
           {test::faultOf([] { throw EInvalidOp(); }), "EInvalidOp: Ungültige Gleitkommaoperation"},
           {test::faultOf([] { throw EZeroDivide(); }),
            "EZeroDivide: Gleitkommadivision durch Null"},
           {test::faultOf([] { throw EOverflow(); }), "EOverflow: Gleitkommaüberlauf"},
           {test::faultOf([] { throw EUnderflow(); }), "EUnderflow: Gleitkommaunterlauf"},
           {test::faultOf([] { throw notANumberFault(" 1,5 "); }),
            "EConvertError: ' 1,5 ' ist kein gültiger Gleitkommawert"},
           {test::faultOf([] { throw notANumberFault(""); }),
            "EConvertError: '' ist kein gültiger Gleitkommawert"},
           {test::faultOf([] { throw notAWholeNumberFault("abc"); }),
            "EConvertError: 'abc' ist kein gültiger Integerwert"},
           // A "%s" inside the text is shown as it stands, not formatted again.
           {test::faultOf([] { throw notAWholeNumberFault("%s%d"); }),
            "EConvertError: '%s%d' ist kein gültiger Integerwert"},
           {test::faultOf([] { throw nestedTooDeeplyFault(); }),
            "Exception: Term zu tief verschachtelt"},
           {test::faultOf([] { throw emptyPictureFault(); }), "Exception: JPEG-Bild ist leer"},
           {test::faultOf([] { throw brokenPictureFault("Not a JPEG file"); }),
            "Exception: JPEG-Bild ist fehlerhaft: Not a JPEG file"},
       }) {
    EXPECT_EQ(c.fault, c.expected);
  }
}

// Why a Result is not current: the texts a view shows beside it, with the numbers put in.
TEST(Faults, ReasonsAResultIsNotCurrentAreWrittenInGerman) {
  struct Case {
    std::string reason;
    const char* expected;
  };
  for (const Case& c : std::initializer_list<Case>{
           {variableChangedReason("x", "1", "2"), "berechnet mit x = 1; x ist jetzt 2"},
           {variableChangedReason("z", "-7", " 1,5%s"), "berechnet mit z = -7; z ist jetzt  1,5%s"},
           {rowChangedReason(3), "Zeile 3 wurde seither geändert"},
           {termChangedReason(), "Term wurde seither geändert"},
           {readFromFileReason(), "aus der Datei gelesen"},
           {notReachedReason(5), "nicht erreicht: Berechnung in Zeile 5 abgebrochen"},
       }) {
    EXPECT_EQ(c.reason, c.expected);
  }
}

// The message keeps the operand whole; the box message quotes at most its first 1,000
// characters (a multi-byte character or a stray byte counting as one) followed by "…".
TEST(Faults, TheBoxQuotesALongOperandCutShort) {
  const std::string a999(999, 'a');
  const std::string umlauts999 = [] {
    std::string text;
    for (int i = 0; i < 999; ++i) {
      text += "ä";
    }
    return text;
  }();
  struct Case {
    std::string operand;
    std::string quoted;
  };
  for (const Case& c : std::vector<Case>{
           {a999 + "b", a999 + "b"},
           {a999 + "bc", a999 + "b…"},
           {umlauts999 + "€", umlauts999 + "€"},
           {umlauts999 + "€€€", umlauts999 + "€…"},
           {a999 + "\xff\xfe", a999 + "\xff…"},
           {std::string(10'000'000, '7'), std::string(1000, '7') + "…"},
       }) {
    for (const auto& [fault, pattern] : std::vector<std::pair<EConvertError, std::string>>{
             {notANumberFault(c.operand), "'%' ist kein gültiger Gleitkommawert"},
             {notAWholeNumberFault(c.operand), "'%' ist kein gültiger Integerwert"}}) {
      const std::size_t at = pattern.find('%');
      EXPECT_EQ(fault.message(), pattern.substr(0, at) + c.operand + pattern.substr(at + 1));
      EXPECT_EQ(fault.boxMessage(), pattern.substr(0, at) + c.quoted + pattern.substr(at + 1))
          << c.operand.size();
    }
  }
}

TEST(Faults, FloatingPointFaultsAreMathErrorsAndExternal) {
  const auto isMathFault = [](auto fault) {
    try {
      throw fault;
    } catch (const EMathError& mathError) {
      const Exception& base = mathError;
      return dynamic_cast<const EExternal*>(&base) != nullptr;
    } catch (...) {
      return false;
    }
  };
  EXPECT_TRUE(isMathFault(EInvalidOp()));
  EXPECT_TRUE(isMathFault(EZeroDivide()));
  EXPECT_TRUE(isMathFault(EOverflow()));
  EXPECT_TRUE(isMathFault(EUnderflow()));
  EXPECT_FALSE(isMathFault(notANumberFault("x")));
  const Exception& conversion = notANumberFault("x");
  EXPECT_NE(dynamic_cast<const EConvertError*>(&conversion), nullptr);
}

TEST(Faults, MessageBoxAppendsAPeriodAfterCharactersAboveFullStop) {
  struct Case {
    const char* message;
    const char* shown;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"'1,5' ist kein gültiger Integerwert", "'1,5' ist kein gültiger Integerwert."},
           {"Gleitkommaüberlauf", "Gleitkommaüberlauf."},
           {"", ""},
           {"ends in a digit 7", "ends in a digit 7."},
           {"ends in a bracket)", "ends in a bracket)"},
           {"ends in a full stop.", "ends in a full stop."},
           {"ends in a blank ", "ends in a blank "},
           {"ends in an exclamation mark!", "ends in an exclamation mark!"},
           {"ends in a hyphen-", "ends in a hyphen-"},
           {"ends in a slash/", "ends in a slash/."},
           {"ends in a colon:", "ends in a colon:."},
           {"ends in an umlaut ü", "ends in an umlaut ü."},
       }) {
    EXPECT_EQ(messageBoxText(c.message), c.shown) << c.message;
  }
}

// A reading note's sentence names its position and quotes the character there as it stands;
// at the end of the term, where there is none, the rules that can point there say so.
TEST(Faults, ReadingNotesNameThePositionAndTheCharacter) {
  struct Case {
    const char* rule;
    std::int64_t at;
    const char* concerned;
    const char* message;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"two-operators", 3, "+",
            "Stelle 3: Zwei Rechenzeichen hintereinander: Vor \"+\" wird der vorige Operand noch "
            "einmal genommen."},
           {"ends-term-early", 12, "%s",
            "Stelle 12: \"%s\" ist kein Rechenzeichen und beendet hier den Term (oder die "
            "Klammer); der Rest darin zählt nicht."},
           {"function-without-bracket", 4, "3",
            "Stelle 4: Nach dem Funktionsnamen wird \"(\" erwartet; \"3\" wird übersprungen."},
           {"function-without-bracket", 4, "",
            "Stelle 4: Nach dem Funktionsnamen endet der Term; \"(\" fehlt."},
           {"zero-divisor", 1000, "/",
            "Stelle 1000: Hier wird durch 0 geteilt: Diese Division und alles, was danach in "
            "derselben Klammer oder im Term folgt, fällt weg."},
           {"no-such-rule", 2, "x", "Stelle 2: Hier gilt eine besondere Leseregel."},
       }) {
    EXPECT_EQ(readingNoteMessage(c.rule, c.at, c.concerned), c.message) << c.rule;
  }
}

// The start-up report puts the message box's period after the message where the box would.
TEST(Faults, StartupReportNamesClassModuleAddressAndMessage) {
  struct Case {
    const char* message;
    const char* report;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"JPEG-Bild ist leer",
            "Exception Exception in Modul numora bei 00401000.\r\nJPEG-Bild ist leer.\r\n"},
           {"(bracket)", "Exception Exception in Modul numora bei 00401000.\r\n(bracket)\r\n"},
           {"", "Exception Exception in Modul numora bei 00401000.\r\n\r\n"},
       }) {
    EXPECT_EQ(startupFaultReport("Exception", "numora", "00401000", c.message), c.report);
  }
  EXPECT_EQ(StartupFaultCaption, "Anwendungsfehler");
}

}  // namespace
}  // namespace numora
