#include "RowTableModel.h"

RowTableModel::RowTableModel(numora::RowTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
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
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
    return {};
  }
  const numora::Row& row = table_.row(index.row());
  switch (index.column()) {
    case NameColumn:
      return QString::fromStdString(row.name);
    case TermColumn:
      return QString::fromStdString(row.term);
    case ResultColumn:
      return QString::fromStdString(row.result);
    case NrColumn:
      return QString::fromStdString(row.nr);
    default:
      return {};
  }
}

QVariant RowTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
    return {};
  }
  static const char* const Captions[] = {"Name", "Term", "Result", "Nr"};
  return section >= 0 && section < ColumnCount ? QString(Captions[section]) : QVariant();
}

Qt::ItemFlags RowTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() == NameColumn) {
    flags |= Qt::ItemIsEditable;
  }
  return flags;
}

// The typed text becomes the row's Name without any check.
bool RowTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.column() != NameColumn || role != Qt::EditRole) {
    return false;
  }
  table_.setName(index.row(), value.toString().toStdString());
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
