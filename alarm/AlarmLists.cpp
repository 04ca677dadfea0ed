// Report-style alarm lists: creation with their columns, and their rebuild at each load of the model.
#include "alarm/AlarmLists.h"

#include "alarm/AlarmModel.h"
#include "platform/Clock.h"
#include "platform/ReportList.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <array>
#include <memory>
#include <utility>

namespace orvane {

namespace {

// A shown row takes its texts from the rows of its load at the first read of a cell. QTreeWidgetItem
// would keep each cell as a QVariant in lists grown cell by cell, and every alarm's texts would be cut
// before the first picture; here a row costs one small object until it is read. Texts set later
// (setText) stay in the row; every other role is the item's own.
class AlarmRow final : public QTreeWidgetItem {
public:
    AlarmRow(std::shared_ptr<AlarmRows> rows, int row, const Clock& clock)
        : rows_(std::move(rows)), row_(row), clock_(clock) {
        // No child ever: the view then skips its look-up of expanded rows while laying out each row.
        setFlags(flags() | Qt::ItemNeverHasChildren);
    }
    QVariant data(int column, int role) const override {
        if (isText(column, role))
            return texts()[size_t(column)];
        if (role == Qt::ToolTipRole && column >= 0 && column < 4)
            return nextRingText(rows_->at(row_).time, clock_.now());
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
    // 编号 (the running number, not the key), 闹钟时间, 闹钟事件(双击修改), 工作日期
    const std::array<QString, 4>& texts() const {
        if (!taken_) {
            const Alarm& alarm = rows_->at(row_);
            texts_ = {QString::number(row_ + 1), alarm.dueText, alarm.reminder, alarm.weekdayColumn()};
            taken_ = true;
        }
        return texts_;
    }
    std::shared_ptr<AlarmRows> rows_;
    int row_;
    const Clock& clock_;
    mutable bool taken_ = false;
    mutable std::array<QString, 4> texts_;
};

void rebuild(const AlarmLists& lists, const AlarmModel& model, const Clock& clock) {
    lists.shown->clear();
    const std::shared_ptr<AlarmRows>& rows = model.rows();
    QList<QTreeWidgetItem*> shown;
    shown.reserve(rows->size());
    for (int r = 0; r < rows->size(); ++r)
        shown << new AlarmRow(rows, r, clock);
    lists.flags->setRows(rows);
    lists.keys->setRows(rows);
    // Added in one call: one layout pass instead of one per row.
    lists.shown->addTopLevelItems(shown);
}

} // namespace

AlarmLists createAlarmLists(QWidget* page, QWidget* window, AlarmModel& model, const Clock& clock) {
    AlarmLists lists;
    lists.shown = makeReportList(page, QStringLiteral("超级列表框_我的闹钟"),
                                 {QStringLiteral("编号"), QStringLiteral("闹钟时间"),
                                  QStringLiteral("闹钟事件(双击修改)"), QStringLiteral("工作日期")},
                                 {35, 146, 118, 66});
    lists.shown->setGeometry(3, 26, 367, 189);
    // The columns fit the list's width, so that the rule is seen without scrolling sideways: the
    // reminder, the user's own text of any length, takes what the others leave.
    lists.shown->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    lists.shown->setAccessibleName(QStringLiteral("我的闹钟"));
    lists.flags =
        new HiddenList(window, QStringLiteral("超级列表框_是否提醒"),
                       {[](const Alarm& a) { return a.rule; }, [](const Alarm& a) { return a.ringFlag; },
                        [](const Alarm& a) { return a.popupFlag; }, [](const Alarm& a) { return a.sound; }});
    lists.keys = new HiddenList(page, QStringLiteral("超级列表框_编号"),
                                {[](const Alarm& a) { return QString::number(a.key); }});
    QObject::connect(&model, &AlarmModel::reloaded, lists.shown,
                     [lists, &model, &clock] { rebuild(lists, model, clock); });
    rebuild(lists, model, clock);
    return lists;
}

} // namespace orvane
