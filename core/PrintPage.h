#pragma once

#include <string>

#include "RowTable.h"

namespace numora {

// The print page of the table: an HTML page of 6 + 5n lines, each ended by a carriage return
// and a line feed, with the Name, Term and Result of every row in a table row. The field texts
// go into the page as they stand, without escaping, so markup in a field is markup on the page.
std::string printPage(const RowTable& table);

// "print.html" in the folder of the program's own file.
std::string printPagePath();

// Writes the print page to `path`, replacing it as a whole or not at all. A failure raises
// Exception "Datei "%s" kann nicht erstellt werden. %s" and leaves the previous page.
void writePrintPage(const RowTable& table, const std::string& path);

}  // namespace numora
