#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <vector>

#include "editor/pointlist/CellStyle.h"

namespace grayden {

// The rows and cell records behind the control-point list. Colours are looked up in the cell
// records at paint time, by a linear search for the first record of the cell.
class PointListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Replaces every row and cell record at once.
    void reset(std::vector<std::array<QString, 2>> rows, std::vector<CellStyle> styles);
    void setColumns(const QString& first, const QString& second);
    void setCellText(int row, int column, const QString& text);
    void freeCellStyles();

    const CellStyle* findCellStyle(int column, int row) const;
    QString cellText(int row, int column) const;
    const std::vector<CellStyle>& cellStyles() const { return styles_; }

private:
    std::vector<std::array<QString, 2>> rows_;
    std::vector<CellStyle> styles_;
    std::vector<QString> headers_;
};

}  // namespace grayden
