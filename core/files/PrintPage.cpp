#include "PrintPage.h"

#include <new>

#include "ApplicationTitle.h"
#include "Faults.h"
#include "FileAccess.h"

namespace numora {

namespace {

constexpr std::string_view LineEnd = "\r\n";

void appendLine(std::string& page, std::string_view line) {
  page.append(line);
  page.append(LineEnd);
}

void appendCell(std::string& page, const std::string& text) {
  page.append("<td>");
  page.append(text);
  page.append("</td>");
  page.append(LineEnd);
}

}  // namespace

std::string printPage(const RowTable& table) {
  std::string page;
  appendLine(page, "<html>");
  appendLine(page, "<body bgcolor=\"#FFFFFF\" text=\"#000000\">");
  appendLine(page, "<table width=\"100%\" border=\"0\">");
  const int rowCount = table.rowCount();
  for (int i = 0; i < rowCount; ++i) {
    const Row& row = table.row(i);
    appendLine(page, "<tr>");
    appendCell(page, row.name);
    appendCell(page, row.term);
    appendCell(page, row.result);
    appendLine(page, "</tr>");
  }
  appendLine(page, "</table>");
  appendLine(page, "</body>");
  appendLine(page, "</html>");
  return page;
}

namespace {

constexpr std::string_view PrintPageName = "print.html";

std::string cacheFolder(const UserFolders& user) {
  const std::string cacheHome = !user.cacheHome.empty() && user.cacheHome.front() == '/'
                                    ? user.cacheHome
                                    : user.home + "/.cache";
  return cacheHome + "/numora";
}

}  // namespace

std::string printPagePath(const std::string& programFolder, const UserFolders& user) {
  if (mayWriteInto(programFolder)) {
    return programFolder + "/" + std::string(PrintPageName);
  }
  return cacheFolder(user) + "/" + std::string(PrintPageName);
}

std::string printPagePath() {
  const std::string program = programFilePath();
  const std::size_t slash = program.rfind('/');
  const std::string programFolder = slash == std::string::npos ? "." : program.substr(0, slash);
  const UserFolders user = thisUsersFolders();
  const std::string path = printPagePath(programFolder, user);
  if (path.compare(0, programFolder.size() + 1, programFolder + "/") != 0) {
    createFolders(cacheFolder(user));
  }
  return path;
}

void writePrintPage(const RowTable& table, const std::string& path) {
  try {
    writeWholeFile(path, printPage(table));
  } catch (const std::bad_alloc&) {
    throw outOfMemorySavingFault(path);
  }
}

}  // namespace numora
