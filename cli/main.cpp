// numora-calc: calculates a table of terms without any window.

#include <CLI/CLI.hpp>

#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "Calculation.h"
#include "Faults.h"
#include "FileAccess.h"
#include "FloatingPoint.h"
#include "PrintPage.h"
#include "Report.h"
#include "RowCommands.h"
#include "TableFile.h"
#include "TermsFile.h"
#include "UserLocale.h"

#ifndef NUMORA_VERSION
#define NUMORA_VERSION "unknown"
#endif

namespace {

using namespace numora;

constexpr int ExitFault = 1;
constexpr int ExitUsage = 2;

struct Options {
  CalculationInputs inputs;
  std::optional<std::string> separator;
  bool each = false;
  bool json = false;
  bool noCalculation = false;
  std::optional<std::string> termsFile;
  std::optional<std::string> tableFile;
  std::optional<std::string> saveFile;
  std::optional<std::string> printFile;
};

// The table as add row makes it, one row per term.
RowTable tableOfTerms(const std::vector<std::string>& terms) {
  RowTable table;
  for (const std::string& term : terms) {
    addRow(table, -1);
    storeTerm(table, table.rowCount() - 1, term);
  }
  return table;
}

calc::RowFault rowFaultOf(const Exception& fault) { return {fault.className(), fault.message()}; }

// Calculate all: the first fault ends the command, reported on the row being calculated.
void calculateAllRows(RowTable& table, const CalculationInputs& inputs, calc::Report& report) {
  int rowInProgress = 0;
  try {
    calculateAll(table, inputs, rowInProgress);
  } catch (const Exception& fault) {
    report.faults[static_cast<std::size_t>(rowInProgress)] = rowFaultOf(fault);
  }
}

// Calculate row on every row from the top: a fault ends only that row's command.
void calculateEachRow(RowTable& table, const CalculationInputs& inputs, calc::Report& report) {
  for (int index = 0; index < table.rowCount(); ++index) {
    try {
      calculateRow(table, index, inputs);
    } catch (const Exception& fault) {
      report.faults[static_cast<std::size_t>(index)] = rowFaultOf(fault);
    }
  }
}

int usageError(const std::string& message) {
  std::cerr << "numora-calc: " << message << "\nRun with --help for more information.\n";
  return ExitUsage;
}

// The table to calculate: from a table file, or from a terms file, one row per line, read
// from standard input for "-". Both files are read as the desktop program reads a table, so
// one that cannot be read raises the same open fault.
RowTable tableFromFiles(const Options& options) {
  RowTable table;
  if (options.tableFile) {
    openTable(table, *options.tableFile);
  } else if (*options.termsFile == "-") {
    const std::string content{std::istreambuf_iterator<char>(std::cin),
                              std::istreambuf_iterator<char>()};
    table = tableOfTerms(calc::termsOf(content));
  } else {
    table = tableOfTerms(calc::termsOf(readWholeFile(*options.termsFile)));
  }
  return table;
}

// The table, or the exit status of a file that cannot be read.
std::optional<int> loadTable(const Options& options, RowTable& table) {
  try {
    table = tableFromFiles(options);
  } catch (const Exception& fault) {
    std::cerr << "numora-calc: " << messageBoxText(fault.message()) << '\n';
    return ExitFault;
  }
  return std::nullopt;
}

// Writes the table file and the print page that were asked for; gives whether both worked.
bool writeFiles(const Options& options, const RowTable& table) {
  bool written = true;
  const auto attempt = [&](const std::optional<std::string>& path, auto write) {
    if (!path) {
      return;
    }
    try {
      write(table, *path);
    } catch (const Exception& fault) {
      std::cerr << "numora-calc: " << messageBoxText(fault.message()) << '\n';
      written = false;
    }
  };
  attempt(options.saveFile, saveTable);
  attempt(options.printFile, writePrintPage);
  return written;
}

int run(Options options) {
  if (options.separator) {
    if (options.separator->size() != 1) {
      return usageError("--separator takes exactly one character");
    }
    options.inputs.separator = options.separator->front();
  } else {
    options.inputs.separator = userDecimalSeparator();
  }

  RowTable table;
  if (const std::optional<int> failure = loadTable(options, table)) {
    return *failure;
  }

  fpu::resetUnit();
  calc::Report report{table, std::vector<std::optional<calc::RowFault>>(
                                 static_cast<std::size_t>(table.rowCount()))};
  if (options.noCalculation) {
    // The table is written as it was read.
  } else if (options.each) {
    calculateEachRow(table, options.inputs, report);
  } else {
    calculateAllRows(table, options.inputs, report);
  }
  const bool filesWritten = writeFiles(options, table);

  if (options.json) {
    calc::writeJsonLines(report, std::cout);
  } else {
    calc::writePlain(report, std::cout, std::cerr);
  }
  std::cout.flush();
  bool faultRaised = !filesWritten;
  for (const auto& fault : report.faults) {
    faultRaised = faultRaised || fault.has_value();
  }
  return faultRaised ? ExitFault : 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Calculates a table of terms the way Numora does, without any window."};
  app.set_version_flag("--version", std::string("numora-calc ") + NUMORA_VERSION);
  Options options;
  app.add_option("-x", options.inputs.x, "text of the variable field x")->capture_default_str();
  app.add_option("-y", options.inputs.y, "text of the variable field y")->capture_default_str();
  app.add_option("-z", options.inputs.z, "text of the variable field z")->capture_default_str();
  app.add_option("--separator", options.separator,
                 "decimal separator (default: the user's locale)");
  app.add_flag("--each", options.each,
               "calculate row on every row, going on after a fault (default: calculate all, "
               "which stops at the first fault)");
  app.add_flag("--json", options.json, "write JSON Lines instead of tab-separated lines");
  CLI::Option* terms = app.add_option("--terms", options.termsFile,
                                      "file with one term per line, - for standard input");
  CLI::Option* tableFile =
      app.add_option("TABLE", options.tableFile, "table file (.TBE) to open instead of --terms");
  terms->excludes(tableFile);
  app.add_option("--save", options.saveFile,
                 "write the table, as it stands after the calculation, to this table file");
  app.add_option("--print", options.printFile,
                 "write the print page of the table, as it stands after the calculation");
  app.add_flag("--no-calc", options.noCalculation, "calculate nothing");
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    std::cout << app.help();
    return 0;
  } catch (const CLI::CallForVersion&) {
    std::cout << app.version() << '\n';
    return 0;
  } catch (const CLI::ParseError& error) {
    return usageError(error.what());
  }
  if (!options.termsFile && !options.tableFile) {
    return usageError("give a table file or --terms FILE");
  }
  try {
    return run(options);
  } catch (const std::exception& error) {
    std::cerr << "numora-calc: " << messageBoxText(error.what()) << '\n';
    return ExitFault;
  }
}
