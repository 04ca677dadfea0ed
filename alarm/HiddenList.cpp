// The out-of-sight list's cells.
#include "alarm/HiddenList.h"

namespace orvane {

HiddenList::HiddenList(QObject* parent, const QString& name, const AlarmModel& model,
                       std::initializer_list<Column> columns)
    : QObject(parent), model_(model), columns_(columns) {
    setObjectName(name);
}

QString HiddenList::text(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return columns_[size_t(column)](model_.at(row));
}

} // namespace orvane
