// Report-style lists (a row per record, columns with headers) as the alarm and diary pages use them.
#pragma once

#include <QList>
#include <QStringList>

class QTreeWidget;
class QWidget;

namespace orvane {

// A single-selection list without tree decoration; widths are set column by column.
QTreeWidget* makeReportList(QWidget* parent, const QString& name, const QStringList& headers,
                            const QList<int>& widths = {});
// The same list kept out of sight (8×8, hidden): it holds the cells that belong beside the shown rows.
QTreeWidget* makeHiddenList(QWidget* parent, const QString& name, const QStringList& headers);

} // namespace orvane
