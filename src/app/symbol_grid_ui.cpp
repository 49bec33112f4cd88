#include "app/symbol_grid_ui.h"

#include "ui/seams_ui.h"

SymbolGridModel::SymbolGridModel(QObject* parent) : QAbstractTableModel(parent), rows_(1) {}

int SymbolGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SymbolGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant SymbolGridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return Cell(index.row(), index.column());
}

Qt::ItemFlags SymbolGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant SymbolGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  return Cell(0, section);
}

void SymbolGridModel::SetRowCount(int rows) {
  const auto wanted = static_cast<std::size_t>(rows < 1 ? 1 : rows);
  const auto current = rows_.size();
  if (wanted == current) return;
  if (wanted < current) {
    beginRemoveRows({}, static_cast<int>(wanted), static_cast<int>(current) - 1);
    rows_.resize(wanted);
    endRemoveRows();
  } else {
    beginInsertRows({}, static_cast<int>(current), static_cast<int>(wanted) - 1);
    rows_.resize(wanted);
    endInsertRows();
  }
}

QString SymbolGridModel::Cell(int row, int column) const {
  if (row < 0 || column < 0 || column >= kColumns || row >= RowCount()) return {};
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void SymbolGridModel::SetCell(int row, int column, const QString& text) {
  if (row < 0 || column < 0 || column >= kColumns || row >= RowCount()) return;
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
  const QModelIndex at = index(row, column);
  emit dataChanged(at, at, {Qt::DisplayRole});
  if (row == 0) emit headerDataChanged(Qt::Horizontal, column, column);
}

void SymbolGridModel::SetSymbolRows(const std::vector<brendax::SymbolRow>& rows) {
  beginResetModel();
  rows_.resize(1);
  rows_.reserve(rows.size() + 1);
  for (const auto& r : rows)
    rows_.push_back({FromAnsi(r.symbol), FromAnsi(r.address), FromAnsi(r.type), FromAnsi(r.comment)});
  endResetModel();
}
