#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PrintPage.h"
#include "RowCommands.h"
#include "TestSupport.h"

namespace numora {
namespace {

namespace fs = std::filesystem;

const std::string Head =
    "<html>\r\n<body bgcolor=\"#FFFFFF\" text=\"#000000\">\r\n<table width=\"100%\" "
    "border=\"0\">\r\n";
const std::string Tail = "</table>\r\n</body>\r\n</html>\r\n";

TEST(PrintPage, EmptyTableGivesSixLines) { EXPECT_EQ(printPage(RowTable()), Head + Tail); }

TEST(PrintPage, EachRowGivesFiveLinesWithoutItsNr) {
  RowTable table;
  addRow(table, -1);
  EXPECT_EQ(printPage(table),
            Head + "<tr>\r\n<td>New element</td>\r\n<td></td>\r\n<td></td>\r\n</tr>\r\n" + Tail);
  addRow(table, -1);
  table.setName(1, "<b>bold</b> & co");
  storeTerm(table, 1, " x * y ");
  table.setResult(1, "2,5");
  EXPECT_EQ(
      printPage(table),
      Head + "<tr>\r\n<td>New element</td>\r\n<td></td>\r\n<td></td>\r\n</tr>\r\n" +
          "<tr>\r\n<td><b>bold</b> & co</td>\r\n<td> x * y </td>\r\n<td>2,5</td>\r\n</tr>\r\n" +
          Tail);
  // The lines that open the page are 6, 39 and 31 characters long.
  const std::string page = printPage(table);
  std::vector<std::size_t> lengths;
  for (std::size_t start = 0; lengths.size() < 3; start = page.find("\r\n", start) + 2) {
    lengths.push_back(page.find("\r\n", start) - start);
  }
  EXPECT_EQ(lengths, (std::vector<std::size_t>{6, 39, 31}));
}

TEST(PrintPage, LivesBesideTheProgram) {
  EXPECT_EQ(printPagePath(),
            fs::path(fs::read_symlink("/proc/self/exe")).parent_path().string() + "/print.html");
}

TEST(PrintPage, WritingAgainReplacesTheWholePage) {
  const test::TemporaryFolder folder("numora-print-test");
  RowTable table = test::tableOfTerms({"", ""});
  writePrintPage(table, folder.path("print.html"));
  deleteRow(table, 0);
  writePrintPage(table, folder.path("print.html"));
  EXPECT_EQ(test::contentOf(folder.path("print.html")), printPage(table));
}

// The disk fills up while the page is written: the page printed before stays whole.
TEST(PrintPage, AFailedWriteLeavesThePreviousPage) {
  const test::TemporaryFolder folder("numora-print-test");
  const std::string page = folder.path("print.html");
  writePrintPage(RowTable(), page);
  const RowTable large = test::tableOf(std::vector<Row>(2000, Row{"name", "x", "1", "1"}));
  EXPECT_EQ(test::faultOnAFullDisk(4096, [&] { writePrintPage(large, page); }),
            "Exception: Datei \"" + page + "\" kann nicht erstellt werden. File too large");
  EXPECT_EQ(test::contentOf(page), printPage(RowTable()));
  EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"print.html"});
}

TEST(PrintPage, APageThatCannotBeWrittenIsAFault) {
  EXPECT_EQ(test::faultOf([] { writePrintPage(RowTable(), "/nonexistent-folder/print.html"); }),
            "Exception: Datei \"/nonexistent-folder/print.html\" kann nicht erstellt werden. "
            "No such file or directory");
}

}  // namespace
}  // namespace numora
