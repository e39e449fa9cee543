// Prints the table "Probe" the way the print command does, wherever this program was copied
// to, and names the page it wrote on standard output; a fault goes to standard error.

#include <cstdio>

#include "Faults.h"
#include "PrintPage.h"
#include "RowTable.h"

int main() {
  numora::RowTable table;
  table.appendRow({"Probe", "1+1", "2", "1"});
  try {
    const std::string path = numora::printPagePath();
    numora::writePrintPage(table, path);
    std::printf("%s\n", path.c_str());
  } catch (const numora::Exception& fault) {
    std::fprintf(stderr, "%s\n", fault.message().c_str());
    return 1;
  }
  return 0;
}
