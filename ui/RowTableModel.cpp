#include "RowTableModel.h"

#include <iterator>
#include <string>
#include <string_view>

#include <QGuiApplication>
#include <QPalette>
#include <optional>

#include "FaultBox.h"
#include "Faults.h"
#include "ReadingNotesByRow.h"
#include "ResultMarks.h"
#include "Utf8.h"

namespace {

// The text a cell shows of `field`: the field whole, or its first ShownCharacterLimit
// characters followed by "…".
QString shownText(std::string_view field) {
  const std::size_t kept = numora::lengthOfCharacters(field, RowTableModel::ShownCharacterLimit);
  const QString shown = QString::fromUtf8(field.data(), static_cast<qsizetype>(kept));
  return kept < field.size() ? shown + QChar(0x2026) : shown;
}

// The field of `row` in `column`: the columns are the row's fields, in their order.
const std::string* fieldOf(const numora::Row& row, int column) {
  if (column < 0 || column >= RowTableModel::ColumnCount) {
    return nullptr;
  }
  return &(row.*numora::RowTexts[static_cast<std::size_t>(column)]);
}

}  // namespace

RowTableModel::RowTableModel(numora::RowTable& table, numora::TableHistory& history,
                             std::function<numora::CalculationInputs()> fieldsNow, QObject* parent)
    : QAbstractTableModel(parent),
      table_(table),
      history_(history),
      fieldsNow_(std::move(fieldsNow)) {
  table_.setObserver(this);
}

RowTableModel::~RowTableModel() { table_.setObserver(nullptr); }

int RowTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.rowCount();
}

int RowTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant RowTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) {
    return {};
  }
  if (index.column() == ResultColumn &&
      (role == Qt::ForegroundRole || role == Qt::ToolTipRole || role == resultMarks::Role)) {
    return resultData(index.row(), role);
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) {
    return {};
  }
  const std::string* field = fieldOf(table_.row(index.row()), index.column());
  if (field == nullptr) {
    return {};
  }
  return role == Qt::EditRole ? QString::fromStdString(*field) : shownText(*field);
}

// What the Result cell shows besides its text: muted when not current, the reasons and notes
// as its tooltip, the marks.
QVariant RowTableModel::resultData(int row, int role) const {
  const std::optional<numora::StoppedCalculation> stopped = history_.stopped();
  const bool stoppedHere = stopped && stopped->index == row;
  const std::vector<numora::ReadingNote>& notes = history_.notesOf(row);
  if (role == resultMarks::Role) {
    return (stoppedHere ? resultMarks::Stop : 0) | (notes.empty() ? 0 : resultMarks::Notes);
  }
  const numora::ResultStatus status = history_.statusOf(row, fieldsNow_());
  if (role == Qt::ForegroundRole) {
    return status.current ? QVariant()
                          : QVariant(resultMarks::mutedText(QGuiApplication::palette()));
  }
  QStringList tip;
  if (!status.current) {
    tip << QString::fromStdString(status.reason);
  }
  if (stoppedHere) {
    tip << QString::fromStdString(numora::stoppedHereReason(stopped->fault));
  }
  for (const numora::ReadingNote& note : notes) {
    tip << QString::fromStdString(numora::noteText(note, table_.row(row).term));
  }
  return tip.isEmpty() ? QVariant() : QVariant(tip.join('\n'));
}

void RowTableModel::resultStatusChanged() {
  if (table_.rowCount() > 0) {
    emit dataChanged(index(0, ResultColumn), index(table_.rowCount() - 1, ResultColumn),
                     {Qt::ForegroundRole, Qt::ToolTipRole, resultMarks::Role});
  }
}

QVariant RowTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
    return {};
  }
  static constexpr const char* Captions[] = {"Name", "Term", "Result", "Nr"};
  static_assert(std::size(Captions) == ColumnCount, "every column has a caption");
  return section >= 0 && section < ColumnCount ? QString(Captions[section]) : QVariant();
}

Qt::ItemFlags RowTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() == NameColumn) {
    flags |= Qt::ItemIsEditable;
  }
  return flags;
}

// The typed text becomes the row's Name without any check, as one step of the history. The
// editor that hands it over is Qt's, so a fault (memory running out) is shown here.
bool RowTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.column() != NameColumn || role != Qt::EditRole) {
    return false;
  }
  runCommand(nullptr, [&] { history_.storeName(index.row(), value.toString().toStdString()); });
  emit nameStored();
  return true;
}

void RowTableModel::rowsAboutToBeInserted(int first, int last) {
  beginInsertRows(QModelIndex(), first, last);
}

void RowTableModel::rowsInserted() { endInsertRows(); }

void RowTableModel::rowsAboutToBeRemoved(int first, int last) {
  beginRemoveRows(QModelIndex(), first, last);
}

void RowTableModel::rowsRemoved() { endRemoveRows(); }

void RowTableModel::tableAboutToBeReset() { beginResetModel(); }

void RowTableModel::tableReset() { endResetModel(); }

void RowTableModel::rowsChanged(int first, int last) {
  emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
}
