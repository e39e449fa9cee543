#include "Report.h"

#include <nlohmann/json.hpp>

#include "Faults.h"

namespace numora::calc {

void writePlain(const Report& report, std::ostream& out, std::ostream& errors) {
  const RowTable& table = report.table;
  for (int i = 0; i < table.rowCount(); ++i) {
    const Row& row = table.row(i);
    out << row.nr << '\t' << row.name << '\t' << row.term << '\t' << row.result << '\n';
  }
  for (std::size_t i = 0; i < report.faults.size(); ++i) {
    if (report.faults[i]) {
      errors << "numora-calc: row " << i + 1 << ": " << messageBoxText(report.faults[i]->message)
             << '\n';
    }
  }
}

void writeJsonLines(const Report& report, std::ostream& out) {
  const RowTable& table = report.table;
  for (int i = 0; i < table.rowCount(); ++i) {
    const Row& row = table.row(i);
    nlohmann::ordered_json line = {{"nr", row.nr},
                                   {"name", row.name},
                                   {"term", row.term},
                                   {"result", row.result},
                                   {"fault", nullptr}};
    const std::optional<RowFault>& fault = report.faults[static_cast<std::size_t>(i)];
    if (fault) {
      line["fault"] = {{"class", fault->className}, {"message", fault->message}};
    }
    // Texts that are not valid UTF-8 are written with replacement characters.
    out << line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
  }
}

}  // namespace numora::calc
