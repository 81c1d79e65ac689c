#include "editor/pointlist/PointListModel.h"

#include <QBrush>

namespace grayden {

int PointListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PointListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant PointListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()) || index.column() > 1) return {};
    switch (role) {
    case Qt::DisplayRole: return rows_[index.row()][index.column()];
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
        // A cell without a record keeps the system's window colours.
        const CellStyle* style = findCellStyle(index.column(), index.row());
        if (!style) return {};
        return QBrush(QColor(role == Qt::BackgroundRole ? style->backColour : style->textColour));
    }
    default: return {};
    }
}

QVariant PointListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < static_cast<int>(headers_.size())) {
        return headers_[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void PointListModel::reset(std::vector<std::array<QString, 2>> rows, std::vector<CellStyle> styles) {
    beginResetModel();
    rows_ = std::move(rows);
    styles_ = std::move(styles);
    endResetModel();
}

void PointListModel::setColumns(const QString& first, const QString& second) {
    beginResetModel();
    headers_ = {first, second};
    endResetModel();
}

void PointListModel::setCellText(int row, int column, const QString& text) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column > 1) return;
    rows_[row][column] = text;
    emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
}

void PointListModel::freeCellStyles() {
    styles_.clear();
    if (!rows_.empty() && !headers_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

const CellStyle* PointListModel::findCellStyle(int column, int row) const {
    for (const CellStyle& s : styles_) {
        if (s.column == column && s.row == row) return &s;
    }
    return nullptr;
}

QString PointListModel::cellText(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column > 1) return {};
    return rows_[row][column];
}

}  // namespace grayden
