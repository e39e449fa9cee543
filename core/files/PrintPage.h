#pragma once

#include <string>

#include "RowTable.h"
#include "UserFolders.h"

namespace numora {

// The print page of the table: an HTML page of 6 + 5n lines, each ended by a carriage return
// and a line feed, with the Name, Term and Result of every row in a table row. The field texts
// go into the page as they stand, without escaping, so markup in a field is markup on the page.
std::string printPage(const RowTable& table);

// Where the print page of a program in `programFolder` goes: "print.html" in that folder when
// the user may write there; else, as for a program installed for all users, "print.html" in
// the user's cache folder: `cacheHome`/numora, or `home`/.cache/numora where cacheHome is empty
// or not an absolute path.
std::string printPagePath(const std::string& programFolder, const UserFolders& user);

// The print page's place for this program and user. Where that is the cache folder, the folder
// is created (for the user alone) when it does not exist yet; a failure shows when the page is
// written.
std::string printPagePath();

// Writes the print page to `path`, replacing it as a whole or not at all. A failure raises
// Exception "Datei "%s" kann nicht erstellt werden. %s" and leaves the previous page.
void writePrintPage(const RowTable& table, const std::string& path);

}  // namespace numora
