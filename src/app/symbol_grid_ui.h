// The model behind the symbol grid: four text columns, row 0 holds the
// column titles (the view shows them as its header, not as a row).
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <vector>

#include "core/generator_result.h"

class SymbolGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 4;
  using Row = std::array<QString, kColumns>;

  explicit SymbolGridModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // The texts of row 0 for the columns.
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // Row count of the grid (at least 1: the title row stays). Rows that are
  // added start empty; row 0 keeps its text.
  void SetRowCount(int rows);
  int RowCount() const { return static_cast<int>(rows_.size()); }
  QString Cell(int row, int column) const;
  void SetCell(int row, int column, const QString& text);
  // Replaces rows 1 onward by the symbol rows (Windows-1252 text) in one go.
  void SetSymbolRows(const std::vector<brendax::SymbolRow>& rows);

 private:
  std::vector<Row> rows_;
};
