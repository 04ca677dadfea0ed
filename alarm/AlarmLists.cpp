// Report-style alarm lists: creation with their columns, and the full reload from the table.
#include "alarm/AlarmLists.h"

#include "alarm/AlarmTable.h"
#include "platform/ReportList.h"

#include <QTreeWidget>

#include <array>
#include <memory>
#include <utility>

namespace orvane {

namespace {

// A shown row takes its texts from the rows of its load at the first read of a cell, and keeps them
// (shared, not copied) for the scheduler's scan of every row each minute. QTreeWidgetItem would keep each
// cell as a QVariant in lists grown cell by cell, and every alarm's texts would be cut before the first
// picture; here a row costs one small object until it is read. Texts set later (setText) stay in the
// row; every other role is the item's own.
class AlarmRow final : public QTreeWidgetItem {
public:
    AlarmRow(std::shared_ptr<AlarmRows> rows, int row) : rows_(std::move(rows)), row_(row) {
        // No child ever: the view then skips its look-up of expanded rows while laying out each row.
        setFlags(flags() | Qt::ItemNeverHasChildren);
    }
    QVariant data(int column, int role) const override {
        if (isText(column, role))
            return texts()[size_t(column)];
        return QTreeWidgetItem::data(column, role);
    }
    void setData(int column, int role, const QVariant& value) override {
        if (!isText(column, role)) {
            QTreeWidgetItem::setData(column, role, value);
            return;
        }
        texts(); // its texts taken first, so the other cells keep theirs
        texts_[size_t(column)] = value.toString();
        emitDataChanged();
    }
    QTreeWidgetItem* clone() const override { return new AlarmRow(*this); }

private:
    static bool isText(int column, int role) {
        return (role == Qt::DisplayRole || role == Qt::EditRole) && column >= 0 && size_t(column) < 4;
    }
    // 编号, 闹钟时间, 闹钟事件(双击修改), 工作日期
    const std::array<QString, 4>& texts() const {
        if (!taken_) {
            const AlarmListRow& cells = rows_->cells(row_);
            texts_ = {cells.number, cells.dueText, cells.reminderText, cells.weekdayColumn};
            taken_ = true;
        }
        return texts_;
    }
    std::shared_ptr<AlarmRows> rows_;
    int row_;
    mutable bool taken_ = false;
    mutable std::array<QString, 4> texts_;
};

} // namespace

AlarmLists createAlarmLists(QWidget* page, QWidget* window) {
    AlarmLists lists;
    lists.shown = makeReportList(page, QStringLiteral("超级列表框_我的闹钟"),
                                 {QStringLiteral("编号"), QStringLiteral("闹钟时间"),
                                  QStringLiteral("闹钟事件(双击修改)"), QStringLiteral("工作日期")},
                                 {40, 160, 140, 70});
    lists.shown->setGeometry(3, 26, 367, 189);
    lists.shown->setAccessibleName(QStringLiteral("我的闹钟"));
    // Columns 提醒类型, 是否铃声, 是否弹窗, 铃声位置; and 编号.
    lists.flags = new HiddenList(window, QStringLiteral("超级列表框_是否提醒"),
                                 {&AlarmListRow::repeatRule, &AlarmListRow::ringFlag,
                                  &AlarmListRow::popupFlag, &AlarmListRow::ringPath});
    lists.keys = new HiddenList(page, QStringLiteral("超级列表框_编号"), {&AlarmListRow::key});
    return lists;
}

void LoadAlarmList(Database& db, const AlarmLists& lists) {
    lists.shown->clear();
    lists.flags->clear();
    lists.keys->clear();

    // The alarms are read in full, their texts as stored; each is decoded and cut into cells when a cell
    // of it is first read: at the start only the rows in view, the rest at the scheduler's next scan.
    auto rows = std::make_shared<AlarmRows>(readStoredAlarms(db));
    QList<QTreeWidgetItem*> shown;
    shown.reserve(rows->size());
    for (int r = 0; r < rows->size(); ++r)
        shown << new AlarmRow(rows, r);
    lists.flags->setRows(rows);
    lists.keys->setRows(rows);
    // Added in one call: one layout pass instead of one per row.
    lists.shown->addTopLevelItems(shown);
}

} // namespace orvane
