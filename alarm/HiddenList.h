// A list kept out of sight: the texts that belong beside the shown alarm rows, row for row.
#pragma once

#include <QObject>
#include <QString>

#include <initializer_list>
#include <vector>

namespace orvane {

// Never drawn, so no widget: a row-major table of texts with the list's name, owned by its parent.
class HiddenList : public QObject {
    Q_OBJECT
public:
    HiddenList(QObject* parent, const QString& name, int columns);

    int columnCount() const { return columns_; }
    int rowCount() const { return int(cells_.size() / size_t(columns_)); }
    // The text of a cell; empty for a row or column the list does not have (as a missing item reads).
    QString text(int row, int column) const;

    void clear();
    void reserve(int rows);
    // A row of exactly columnCount() texts (missing ones are left empty, extra ones dropped).
    void addRow(std::initializer_list<QString> texts);

private:
    int columns_;
    std::vector<QString> cells_;
};

} // namespace orvane
