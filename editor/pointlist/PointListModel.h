#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <optional>
#include <string>

#include "editor/pointlist/CellStyle.h"
#include "engine/ToneTable.h"

namespace grayden {

class CurveModel;

// The control-point list's view of the curve document: row i is input level i with its value
// in currentTable. Texts, colours and which cells take a typed value are worked out from the
// document when asked; only the values are those of the last refresh, since a drag moves the
// curve at every step and the list follows on release.
class PointListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PointListModel(CurveModel& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Only the value cell of a control point is editable.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A value typed into a value cell; false, changing nothing, when it is refused.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The document changed: every row is read anew, and the cells get their colours back.
    void refresh();
    void setColumns(const QString& first, const QString& second);
    // Cells drop to the system's colours and take no typed value until the next refresh.
    void freeCellStyles();

    // Validates a typed value for the point at a level, rewrites the text as the number kept, and
    // enters it into the document; false when refused or when the level holds no point.
    bool enterValueText(int level, std::string& text);

    std::optional<CellStyle> cellStyle(int column, int row) const;
    QString cellText(int row, int column) const;

private:
    CurveModel& document_;
    ToneTable shownValues_{};
    std::array<QString, 2> headers_;
    // No rows until the first refresh; no colours after the styles are freed.
    bool listed_ = false;
    bool styled_ = false;
};

}  // namespace grayden
