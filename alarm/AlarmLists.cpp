// Report-style alarm lists: creation with their columns, and the full reload from the table.
#include "alarm/AlarmLists.h"

#include "alarm/AlarmTable.h"
#include "platform/ReportList.h"

#include <QTreeWidget>

#include <array>

namespace orvane {

namespace {

// A list row that keeps its texts as they are: QTreeWidgetItem stores each cell as a QVariant in lists
// grown cell by cell, which for a reload of thousands of alarms is most of the work. Texts set later
// (setText) go through it too; every other role is the item's own.
template <size_t N> class TextRow final : public QTreeWidgetItem {
public:
    explicit TextRow(std::array<QString, N> texts) : texts_(std::move(texts)) {
        // No child ever: the view then skips its look-up of expanded rows while laying out each row.
        setFlags(flags() | Qt::ItemNeverHasChildren);
    }
    QVariant data(int column, int role) const override {
        if (isText(column, role))
            return texts_[size_t(column)];
        return QTreeWidgetItem::data(column, role);
    }
    void setData(int column, int role, const QVariant& value) override {
        if (!isText(column, role)) {
            QTreeWidgetItem::setData(column, role, value);
            return;
        }
        texts_[size_t(column)] = value.toString();
        emitDataChanged();
    }
    QTreeWidgetItem* clone() const override { return new TextRow(*this); }

private:
    static bool isText(int column, int role) {
        return (role == Qt::DisplayRole || role == Qt::EditRole) && column >= 0 && size_t(column) < N;
    }
    std::array<QString, N> texts_;
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
    lists.flags = new HiddenList(window, QStringLiteral("超级列表框_是否提醒"), 4);
    lists.keys = new HiddenList(page, QStringLiteral("超级列表框_编号"), 1);
    return lists;
}

void LoadAlarmList(Database& db, const AlarmLists& lists) {
    lists.shown->clear();
    lists.flags->clear();
    lists.keys->clear();

    // The records are read in full first: the cells then lie together in memory, which the scheduler's
    // scan of every row each minute reads faster than cells built between the reads of the rows.
    const std::vector<AlarmRecord> records = readAlarmRecords(db);
    QList<QTreeWidgetItem*> shown;
    shown.reserve(qsizetype(records.size()));
    lists.flags->reserve(int(records.size()));
    lists.keys->reserve(int(records.size()));
    int n = 0;
    for (const AlarmRecord& record : records) {
        AlarmListRow row = alarmListRow(++n, record);
        shown << new TextRow<4>({std::move(row.number), std::move(row.dueText), std::move(row.reminderText),
                                 std::move(row.weekdayColumn)});
        lists.flags->addRow({row.repeatRule, row.ringFlag, row.popupFlag, row.ringPath});
        lists.keys->addRow({row.key});
    }
    // Added in one call: one layout pass instead of one per row.
    lists.shown->addTopLevelItems(shown);
}

} // namespace orvane
