// A list kept out of sight: texts of the alarm model that belong beside the shown rows, row for row.
#pragma once

#include "alarm/AlarmRows.h"

#include <QObject>
#include <QString>

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace orvane {

// Never drawn, so no widget: a named view of some texts of the loaded alarms, owned by its parent.
class HiddenList : public QObject {
    Q_OBJECT
public:
    using Column = QString (*)(const Alarm&);
    HiddenList(QObject* parent, const QString& name, std::initializer_list<Column> columns);

    int columnCount() const { return int(columns_.size()); }
    int rowCount() const { return rows_ ? rows_->size() : 0; }
    // The text of a cell; empty for a row or column the list does not have (as a missing item reads).
    QString text(int row, int column) const;

    // The rows of a load, the same the shown list holds.
    void setRows(std::shared_ptr<AlarmRows> rows) { rows_ = std::move(rows); }

private:
    std::vector<Column> columns_;
    std::shared_ptr<AlarmRows> rows_;
};

} // namespace orvane
