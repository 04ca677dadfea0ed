// A list kept out of sight: texts of the alarm model that belong beside the shown rows, row for row.
#pragma once

#include "alarm/AlarmModel.h"

#include <QObject>
#include <QString>

#include <initializer_list>
#include <vector>

namespace orvane {

// Never drawn, so no widget: a named view of some texts of the loaded alarms, owned by its parent.
class HiddenList : public QObject {
    Q_OBJECT
public:
    using Column = QString (*)(const Alarm&);
    HiddenList(QObject* parent, const QString& name, const AlarmModel& model,
               std::initializer_list<Column> columns);

    int columnCount() const { return int(columns_.size()); }
    int rowCount() const { return model_.size(); }
    // The text of a cell; empty for a row or column the list does not have (as a missing item reads).
    QString text(int row, int column) const;

private:
    const AlarmModel& model_;
    std::vector<Column> columns_;
};

} // namespace orvane
