// Creating report-style lists.
#include "platform/ReportList.h"

#include <QHeaderView>
#include <QStyleOptionHeader>
#include <QTreeWidget>

namespace orvane {

namespace {

// The titles with their sizes measured here, in the font they are drawn in. Left to itself, the header
// measures each title in bold (for highlighted sections, which these lists never show): that loads a
// second font, and every glyph of the titles a second time, only to find the same height.
QTreeWidgetItem* headerItem(const QHeaderView* header, const QStringList& titles) {
    auto* item = new QTreeWidgetItem;
    for (int i = 0; i < int(titles.size()); ++i) {
        QStyleOptionHeader option;
        option.initFrom(header);
        option.orientation = Qt::Horizontal;
        option.section = i;
        option.text = titles.at(i);
        option.textAlignment = header->defaultAlignment();
        item->setText(i, titles.at(i));
        item->setData(i, Qt::SizeHintRole,
                      header->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header));
    }
    return item;
}

} // namespace

QTreeWidget* makeReportList(QWidget* parent, const QString& name, const QStringList& headers,
                            const QList<int>& widths) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    // Styled (skin font included) before the headers are measured, so that they are measured once. The
    // header stays hidden meanwhile: shown, it would measure its placeholder title "1" at once.
    list->setHeaderHidden(true);
    list->ensurePolished();
    list->setHeaderItem(headerItem(list->header(), headers));
    list->setHeaderHidden(false);
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
