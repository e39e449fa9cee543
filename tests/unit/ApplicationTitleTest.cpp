#include <gtest/gtest.h>

#include <string>

#include "ApplicationTitle.h"

namespace numora {
namespace {

TEST(ApplicationTitle, IsTheBaseNameCutAtItsFirstDotAndLowerCasedAfterTheFirstLetter) {
  struct Case {
    const char* path;
    const char* title;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"/usr/bin/NUMORA", "Numora"},
           {"/opt/NUMORA.EXE", "Numora"},
           {"/home/a/numora", "numora"},
           {"/x/Sheet.Main.bin", "Sheet"},
           {"numora-calc", "numora-calc"},
           {"/dir.with.dots/NumORA", "Numora"},
           {"/x/.hidden", ""},
           {"/x/", ""},
           {"", ""},
           {"/x/ÄRGER.BIN", "Ärger"},
           {"/x/ÜBERSICHT", "Übersicht"},
           {"/x/MAßE×2", "Maße×2"},
           // The first character is kept as it stands, even bytes that are no character.
           {"/x/\xff"
            "ABC",
            "\xff"
            "abc"},
           {"/x/\xc3"
            "ABC",
            "\xc3"
            "abc"},
           {"/x/\xe0\x80\x80"
            "ABC",
            "\xe0\x80\x80"
            "abc"},
           {"/x/\xc3\xc3\x84X", "\xc3\xc3\xa4x"},
           {"/x/Ä\x80X", "Ä\x80x"},
       }) {
    EXPECT_EQ(applicationTitle(c.path), c.title) << c.path;
  }
}

TEST(ApplicationTitle, ComesFromThisProgramsOwnFile) {
  EXPECT_EQ(programFilePath().substr(programFilePath().rfind('/') + 1), "numora_core_tests");
  EXPECT_EQ(applicationTitle(), "numora_core_tests");
}

}  // namespace
}  // namespace numora
