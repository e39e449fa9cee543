// numora-calc: calculates a table of terms without any window.

#include <unistd.h>
#include <CLI/CLI.hpp>

#include <csignal>
#include <cstring>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "Calculation.h"
#include "DescriptorOutput.h"
#include "Faults.h"
#include "FloatingPoint.h"
#include "PrintPage.h"
#include "ReadingNotesByRow.h"
#include "Report.h"
#include "RowCommands.h"
#include "TableFile.h"
#include "TermsFile.h"
#include "UserLocale.h"
#include "ValueTableReport.h"
#include "ValueTableRequest.h"

#ifndef NUMORA_VERSION
#define NUMORA_VERSION "unknown"
#endif

namespace {

using namespace numora;

constexpr int ExitFault = 1;
constexpr int ExitUsage = 2;

constexpr const char* HelpFooter =
    "Each row is written as one line of four tab-separated fields: Nr, Name, Term and Result.\n"
    "In every field a backslash, a tab, a carriage return and a line feed are written as\n"
    "\\\\, \\t, \\r and \\n. Faults go to standard error, one line each, escaped the same way.\n"
    "With --json, a fault that belongs to no row also ends the output as an object\n"
    "{\"error\": {\"class\": ..., \"message\": ...}}.\n"
    "\n"
    "Where the calculation of a row takes a reading rule that a person would not guess (a\n"
    "character that ends the term early, \"2x\" giving x, a division by 0 that is left out,\n"
    "...), --json adds it to the row's \"notes\": [{\"at\": POSITION, \"rule\": NAME,\n"
    "\"message\": ...}], the position counted in characters of the Term as written, spaces\n"
    "included; --notes writes it to standard error as \"row N: Hinweis: ...\". Notes change\n"
    "no Result.\n"
    "\n"
    "--value-table VAR=FROM:TO[:STEP] calculates the table, as calculate all does, once for\n"
    "each value of VAR (x, y or z) from FROM to TO in steps of STEP (default 1): whole\n"
    "numbers, at most 100000 values. The other two variables come from their options. It\n"
    "writes a header line (VAR, then the Name of every row) and one line per value: the\n"
    "value, then each row's Result, \"Fehler\" where the row failed, nothing where it has\n"
    "no value or was not reached. --csv writes the CSV the window exports; --json writes one\n"
    "object per value, {\"x\": \"5\", \"results\": [\"25\", null], \"fault\": null}, the fault\n"
    "being {\"nr\": ROW POSITION, \"class\": ..., \"message\": ...}. Every value is written;\n"
    "each fault also goes to standard error as \"x=5: row 3: ...\". It cannot be combined with\n"
    "--each, --save, --print, --no-calc, --notes or the option of its own variable.\n"
    "\n"
    "Exit status: 0 without a fault; 1 when a fault was raised (for any value of a value\n"
    "table) or the output could not be written; 2 for wrong usage, a --value-table that\n"
    "cannot be used included.\n";

struct Options {
  CalculationInputs inputs;
  std::optional<std::string> separator;
  bool each = false;
  bool json = false;
  bool notes = false;
  bool noCalculation = false;
  std::optional<std::string> termsFile;
  std::optional<std::string> tableFile;
  std::optional<std::string> saveFile;
  std::optional<std::string> printFile;
  std::optional<std::string> valueTableArgument;
  std::optional<calc::ValueTableRequest> valueTable;
  bool csv = false;
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

calc::ReportedFault reportedFaultOf(const Exception& fault) {
  return {fault.className(), fault.message()};
}

// Calculate all: the first fault ends the command, reported on the row being calculated.
void calculateAllRows(RowTable& table, const CalculationInputs& inputs, calc::Report& report) {
  int rowInProgress = 0;
  try {
    calculateAll(table, inputs, rowInProgress);
  } catch (const Exception& fault) {
    report.rowFaults[rowInProgress] = reportedFaultOf(fault);
  }
}

// Calculate row on every row from the top: a fault ends only that row's command.
void calculateEachRow(RowTable& table, const CalculationInputs& inputs, calc::Report& report) {
  for (int index = 0; index < table.rowCount(); ++index) {
    try {
      calculateRow(table, index, inputs);
    } catch (const Exception& fault) {
      report.rowFaults[index] = reportedFaultOf(fault);
    }
  }
}

int usageError(const std::string& message) {
  calc::writeErrorLine(std::cerr, message);
  std::cerr << "Run with --help for more information.\n";
  return ExitUsage;
}

// The table to calculate: from a table file, or from a terms file, one row per line. A file
// that cannot be read raises its open fault.
RowTable tableFromFiles(const Options& options) {
  RowTable table;
  if (options.tableFile) {
    openTable(table, -1, readTable(*options.tableFile));
  } else {
    table = tableOfTerms(calc::readTerms(*options.termsFile));
  }
  return table;
}

// Writes the table file and the print page that were asked for; gives the faults raised.
std::vector<calc::ReportedFault> writeFiles(const Options& options, const RowTable& table) {
  std::vector<calc::ReportedFault> faults;
  const auto attempt = [&](const std::optional<std::string>& path, auto write) {
    if (!path) {
      return;
    }
    try {
      write(table, *path);
    } catch (const Exception& fault) {
      faults.push_back(reportedFaultOf(fault));
    }
  };
  attempt(options.saveFile, saveTable);
  attempt(options.printFile, writePrintPage);
  return faults;
}

void writeReport(const Options& options, const calc::Report& report, std::ostream& out) {
  if (options.json) {
    calc::writeJsonLines(report, out, std::cerr);
  } else {
    calc::writePlain(report, out, std::cerr);
  }
}

calc::ValueTableFormat valueTableFormat(const Options& options) {
  if (options.csv) {
    return calc::ValueTableFormat::Csv;
  }
  return options.json ? calc::ValueTableFormat::Json : calc::ValueTableFormat::Plain;
}

int run(const Options& options, std::ostream& out) {
  RowTable table = tableFromFiles(options);
  fpu::resetUnit();
  if (options.valueTable) {
    const bool faulted = calc::writeValueTable(table, options.inputs, *options.valueTable,
                                               valueTableFormat(options), out, std::cerr);
    return faulted ? ExitFault : 0;
  }
  calc::Report report{table, {}, {}};
  // The reading notes are collected where they are written.
  ReadingNotesByRow notes(table);
  CalculationInputs inputs = options.inputs;
  if (options.json || options.notes) {
    inputs.listener = &notes;
    report.notes = &notes;
    report.notesToErrors = options.notes;
  }
  if (options.noCalculation) {
    // The table is written as it was read.
  } else if (options.each) {
    calculateEachRow(table, inputs, report);
  } else {
    calculateAllRows(table, inputs, report);
  }
  // JSON and the table file write bytes that are not valid UTF-8 as U+FFFD.
  if (options.json || options.saveFile) {
    calc::writeReplacementNotices(table, std::cerr);
  }
  report.commandFaults = writeFiles(options, table);
  writeReport(options, report, out);
  return report.hasFault() ? ExitFault : 0;
}

// A fault that ended the command before any row was written: a file that cannot be read,
// memory running out.
int reportCommandFault(const Options& options, const Exception& fault, std::ostream& out) {
  const RowTable noRows;
  writeReport(options, calc::Report{noRows, {}, {reportedFaultOf(fault)}}, out);
  return ExitFault;
}

int runReportingFaults(const Options& options, std::ostream& out) {
  try {
    return run(options, out);
  } catch (const Exception& fault) {
    return reportCommandFault(options, fault, out);
  } catch (const std::bad_alloc&) {
    return reportCommandFault(options, outOfMemoryFault(), out);
  } catch (const std::exception& error) {
    return reportCommandFault(options, Exception(error.what()), out);
  }
}

// A value given as "-x=5" reaches the option as "=5": the value is what follows the "=".
std::string withoutLeadingEqualsSign(std::string value) {
  if (!value.empty() && value.front() == '=') {
    value.erase(0, 1);
  }
  return value;
}

// Reads the --value-table argument, if one was given; gives the exit status of wrong usage.
// A bad argument is named in one line; the variable's own option beside it is refused, since
// the value table sets that variable itself.
std::optional<int> refusedValueTable(const CLI::App& app, Options& options) {
  if (!options.valueTableArgument) {
    return std::nullopt;
  }
  try {
    options.valueTable = calc::readValueTableRequest(*options.valueTableArgument);
  } catch (const calc::BadValueTableRequest& bad) {
    calc::writeErrorLine(std::cerr, bad.what());
    return ExitUsage;
  }
  const std::string variableOption =
      std::string("-") + variableLetter(options.valueTable->variable);
  if (app.count(variableOption) > 0) {
    return usageError(variableOption + " cannot be given with --value-table " +
                      *options.valueTableArgument);
  }
  return std::nullopt;
}

// Parses the arguments and runs the command; gives the exit status.
int runCommandLine(int argc, char** argv, std::ostream& out) {
  CLI::App app{"Calculates a table of terms the way Numora does, without any window."};
  app.set_version_flag("--version", std::string("numora-calc ") + NUMORA_VERSION);
  app.footer(HelpFooter);
  Options options;
  app.add_option("-x", options.inputs.x, "text of the variable field x")
      ->capture_default_str()
      ->transform(withoutLeadingEqualsSign);
  app.add_option("-y", options.inputs.y, "text of the variable field y")
      ->capture_default_str()
      ->transform(withoutLeadingEqualsSign);
  app.add_option("-z", options.inputs.z, "text of the variable field z")
      ->capture_default_str()
      ->transform(withoutLeadingEqualsSign);
  app.add_option("--separator", options.separator,
                 "decimal separator, \".\" or \",\" (default: the user's locale)");
  app.add_flag("--each", options.each,
               "calculate row on every row, going on after a fault (default: calculate all, "
               "which stops at the first fault)");
  CLI::Option* json =
      app.add_flag("--json", options.json, "write JSON Lines instead of tab-separated lines");
  CLI::Option* notes = app.add_flag(
      "--notes", options.notes,
      "write each reading note of a row (a reading rule the calculation took that one would not "
      "guess) to standard error");
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
  app.add_option("--value-table", options.valueTableArgument,
                 "calculate the table for each value of x, y or z from FROM to TO and write the "
                 "value table")
      ->type_name("VAR=FROM:TO[:STEP]")
      ->excludes("--each", "--save", "--print", "--no-calc")
      ->excludes(notes);
  app.add_flag("--csv", options.csv, "write the value table as CSV, as the window exports it")
      ->needs("--value-table")
      ->excludes(json);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForVersion&) {
    out << app.version() << '\n';
    return 0;
  } catch (const CLI::ParseError& error) {
    return usageError(error.what());
  }
  if (!options.termsFile && !options.tableFile) {
    return usageError("give a table file or --terms FILE");
  }
  if (!options.separator) {
    options.inputs.separator = userDecimalSeparator();
  } else if (*options.separator == "." || *options.separator == ",") {
    options.inputs.separator = options.separator->front();
  } else {
    return usageError("--separator takes \".\" or \",\"");
  }
  if (const std::optional<int> status = refusedValueTable(app, options)) {
    return *status;
  }
  return runReportingFaults(options, out);
}

}  // namespace

int main(int argc, char** argv) {
  // A reader that has gone then makes a write fail with EPIPE, which is reported, instead of
  // ending the program without a word.
  std::signal(SIGPIPE, SIG_IGN);
  calc::DescriptorOutput output(STDOUT_FILENO);
  std::ostream out(&output);
  const int status = runCommandLine(argc, argv, out);
  out.flush();
  if (output.error() != 0) {
    calc::writeErrorLine(std::cerr,
                         std::string("cannot write the output: ") + std::strerror(output.error()));
    return ExitFault;
  }
  return status;
}
