#include "editor/pointlist/PointListModel.h"

#include <QBrush>

#include "engine/CurveModel.h"

namespace grayden {

namespace {

constexpr int ColumnCount = 2;
constexpr int ValueColumn = 1;

constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb PointLevelBack = qRgb(192, 255, 192);
constexpr QRgb OtherLevelBack = qRgb(255, 255, 192);
constexpr QRgb PointValueBack = qRgb(192, 192, 255);
constexpr QRgb OtherValueBack = qRgb(255, 255, 255);
constexpr QRgb OtherValueText = qRgb(180, 180, 180);

// " %d" of the level, padded on the left to eight characters.
QString levelText(int level) { return QString(" %1").arg(level).rightJustified(8, ' '); }

}  // namespace

PointListModel::PointListModel(CurveModel& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {}

int PointListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() || !listed_ ? 0 : LevelCount; }

int PointListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant PointListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount) return {};
    switch (role) {
    case Qt::DisplayRole: return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
        // A cell without a style keeps the system's window colours.
        const std::optional<CellStyle> style = cellStyle(index.column(), index.row());
        if (!style) return {};
        return QBrush(QColor(role == Qt::BackgroundRole ? style->backColour : style->textColour));
    }
    default: return {};
    }
}

QVariant PointListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount) {
        return headers_[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags PointListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const std::optional<CellStyle> style = cellStyle(index.column(), index.row());
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return style && style->editable ? flags | Qt::ItemIsEditable : flags;
}

bool PointListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != ValueColumn || role != Qt::EditRole) return false;
    std::string text = value.toString().toStdString();
    return enterValueText(index.row(), text);
}

bool PointListModel::enterValueText(int level, std::string& text) {
    if (!CurveModel::validateValueText(text)) return false;
    // A refresh may have come while the value was typed; a level that is no longer a control
    // point refuses it instead of moving another point.
    if (!document_.enterPointValue(level, std::stoi(text))) return false;
    // The curve moved between the point's neighbours, not only in its own row.
    shownValues_ = document_.currentTable();
    if (rowCount() > 0) emit dataChanged(index(0, ValueColumn), index(rowCount() - 1, ValueColumn), {Qt::DisplayRole});
    return true;
}

void PointListModel::refresh() {
    beginResetModel();
    shownValues_ = document_.currentTable();
    listed_ = true;
    styled_ = true;
    endResetModel();
}

void PointListModel::setColumns(const QString& first, const QString& second) {
    beginResetModel();
    headers_ = {first, second};
    endResetModel();
}

void PointListModel::freeCellStyles() {
    styled_ = false;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

std::optional<CellStyle> PointListModel::cellStyle(int column, int row) const {
    if (!styled_ || row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount) return std::nullopt;
    const bool point = document_.isControlPointLevel(row);
    if (column == 0) return CellStyle{Black, point ? PointLevelBack : OtherLevelBack, false};
    if (point) return CellStyle{Black, PointValueBack, true};
    return CellStyle{OtherValueText, OtherValueBack, false};
}

QString PointListModel::cellText(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount) return {};
    return column == 0 ? levelText(row) : QString::number(shownValues_[row]);
}

}  // namespace grayden
