// Creating report-style lists.
#include "platform/ReportList.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace orvane {

QTreeWidget* makeReportList(QWidget* parent, const QString& name, const QStringList& headers,
                            const QList<int>& widths) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    // Styled (skin font included) before the headers are measured, so that they are measured once.
    list->ensurePolished();
    list->setColumnCount(int(headers.size()));
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true); // keeps a reload of thousands of rows cheap
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(false);
    for (int i = 0; i < widths.size(); ++i)
        list->setColumnWidth(i, widths.at(i));
    return list;
}

QTreeWidget* makeHiddenList(QWidget* parent, const QString& name, const QStringList& headers) {
    QTreeWidget* list = makeReportList(parent, name, headers);
    list->setGeometry(0, 0, 8, 8);
    list->hide();
    return list;
}

} // namespace orvane
