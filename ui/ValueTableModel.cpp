#include "ValueTableModel.h"

#include <string_view>
#include <unordered_map>

#include "ReadingNotesByRow.h"
#include "ResultMarks.h"
#include "Utf8.h"
#include "ValueTableCsv.h"
#include "WholeNumber.h"

namespace {

// A header or tooltip shows at most this many characters of a row's text: a view lays out the
// whole text it is given, and a Term of millions of characters would freeze the window.
constexpr std::size_t ShownCharacterLimit = 4000;

QString shownText(const std::string& text) {
  const std::size_t length = numora::lengthOfCharacters(text, ShownCharacterLimit);
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(length));
  if (length < text.size()) {
    shown += QChar(0x2026);
  }
  return shown;
}

}  // namespace

QStringList rowLabels(const std::vector<numora::Row>& rows) {
  std::unordered_map<std::string_view, int> rowsNamed;
  for (const numora::Row& row : rows) {
    ++rowsNamed[row.name];
  }
  QStringList labels;
  labels.reserve(static_cast<qsizetype>(rows.size()));
  for (const numora::Row& row : rows) {
    labels << (rowsNamed[row.name] > 1
                   ? QString("%1 (Nr %2)").arg(shownText(row.name), shownText(row.nr))
                   : shownText(row.name));
  }
  return labels;
}

ValueTableModel::ValueTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ValueTableModel::startTable(numora::Variable variable, std::vector<numora::Row> rows) {
  beginResetModel();
  variable_ = variable;
  rows_ = std::move(rows);
  labels_ = rowLabels(rows_);
  lines_.clear();
  endResetModel();
}

void ValueTableModel::clear() {
  beginResetModel();
  std::vector<numora::Row>().swap(rows_);
  labels_.clear();
  std::vector<numora::ValueLine>().swap(lines_);
  endResetModel();
}

void ValueTableModel::appendLines(std::vector<numora::ValueLine> lines) {
  if (lines.empty()) {
    return;
  }
  const int first = static_cast<int>(lines_.size());
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(lines.size()) - 1);
  lines_.insert(lines_.end(), std::make_move_iterator(lines.begin()),
                std::make_move_iterator(lines.end()));
  endInsertRows();
}

std::vector<std::string> ValueTableModel::names() const {
  std::vector<std::string> names;
  names.reserve(rows_.size());
  for (const numora::Row& row : rows_) {
    names.push_back(row.name);
  }
  return names;
}

int ValueTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int ValueTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size()) + 1;
}

QVariant ValueTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
    return {};
  }
  if (role == Qt::TextAlignmentRole) {
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  }
  const numora::ValueLine& line = lines_[static_cast<std::size_t>(index.row())];
  if (index.column() == 0) {
    return role == Qt::DisplayRole
               ? QVariant(QString::fromStdString(numora::wholeNumberText(line.value)))
               : QVariant();
  }
  return cellData(line, index.column() - 1, role);
}

QVariant ValueTableModel::cellData(const numora::ValueLine& line, int rowIndex, int role) const {
  const auto at = static_cast<std::size_t>(rowIndex);
  if (at >= line.cells.size()) {
    return {};
  }
  const numora::ValueCell& cell = line.cells[at];
  if (role == Qt::DisplayRole) {
    return QString::fromStdString(numora::cellText(cell));
  }
  if (role == Qt::ToolTipRole || role == resultMarks::Role) {
    const std::vector<numora::ReadingNote> notes = numora::notesOfCell(line, rowIndex);
    if (role == resultMarks::Role) {
      return notes.empty() ? QVariant() : QVariant(int(resultMarks::Notes));
    }
    QStringList tip;
    if (cell.state == numora::CellState::Fault && line.fault) {
      tip << shownText(line.fault->message);
    }
    for (const numora::ReadingNote& note : notes) {
      tip << QString::fromStdString(numora::noteText(note, rows_[at].term));
    }
    return tip.isEmpty() ? QVariant() : QVariant(tip.join('\n'));
  }
  return {};
}

QVariant ValueTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  if (section == 0) {
    return role == Qt::DisplayRole ? QVariant(QString(numora::variableLetter(variable_)))
                                   : QVariant();
  }
  const numora::Row& row = rows_[static_cast<std::size_t>(section - 1)];
  if (role == Qt::DisplayRole) {
    return labels_[section - 1];
  }
  if (role == Qt::ToolTipRole) {
    return QString("Nr %1: %2").arg(shownText(row.nr), shownText(row.term));
  }
  return {};
}
