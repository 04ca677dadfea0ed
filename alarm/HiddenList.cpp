// The out-of-sight list's rows.
#include "alarm/HiddenList.h"

namespace orvane {

HiddenList::HiddenList(QObject* parent, const QString& name, int columns)
    : QObject(parent), columns_(columns > 0 ? columns : 1) {
    setObjectName(name);
}

QString HiddenList::text(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columns_)
        return {};
    return cells_[size_t(row) * size_t(columns_) + size_t(column)];
}

void HiddenList::clear() {
    cells_.clear();
}

void HiddenList::reserve(int rows) {
    cells_.reserve(size_t(rows > 0 ? rows : 0) * size_t(columns_));
}

void HiddenList::addRow(std::initializer_list<QString> texts) {
    int n = 0;
    for (auto it = texts.begin(); it != texts.end() && n < columns_; ++it, ++n)
        cells_.push_back(*it);
    for (; n < columns_; ++n)
        cells_.emplace_back();
}

} // namespace orvane
