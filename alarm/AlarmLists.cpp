// Report-style alarm lists: creation with their columns, and following the model's changes.
#include "alarm/AlarmLists.h"

#include "platform/ReportList.h"

#include <QHash>
#include <QHeaderView>
#include <QTreeWidget>

#include <utility>

namespace orvane {

namespace {

// A shown row reads its texts from the model when they are drawn: a row costs one small object until
// then, and a start with many alarms cuts only the rows in view. Texts set later (setText) stay in the
// row; every other role is the item's own.
class AlarmRow final : public QTreeWidgetItem {
public:
    AlarmRow(const AlarmModel& model, int row, const AlarmToolTip& toolTip)
        : model_(model), row_(row), toolTip_(toolTip) {
        // No child ever: the view then skips its look-up of expanded rows while laying out each row.
        setFlags(flags() | Qt::ItemNeverHasChildren);
    }
    // Its place after rows before it came or went: the running number changes with it.
    void moveTo(int row) {
        row_ = row;
        emitDataChanged();
    }
    void refresh() { emitDataChanged(); }

    QVariant data(int column, int role) const override {
        // A row the model no longer has (the view lays out its old rows while a load replaces them).
        if (row_ >= model_.size() && (isText(column, role) || role == Qt::ToolTipRole))
            return {};
        if (isText(column, role)) {
            if (const auto set = set_.constFind(column); set != set_.constEnd())
                return *set;
            const Alarm& alarm = model_.at(row_);
            switch (column) {
            case 0:
                return QString::number(row_ + 1); // the running number, not the key
            case 1:
                return alarm.dueText;
            case 2:
                return alarm.reminder;
            default:
                return alarm.weekdayColumn();
            }
        }
        if (role == Qt::ToolTipRole && column >= 0 && column < 4 && toolTip_)
            return toolTip_(model_.at(row_));
        return QTreeWidgetItem::data(column, role);
    }
    void setData(int column, int role, const QVariant& value) override {
        if (!isText(column, role)) {
            QTreeWidgetItem::setData(column, role, value);
            return;
        }
        set_.insert(column, value.toString());
        emitDataChanged();
    }
    QTreeWidgetItem* clone() const override { return new AlarmRow(*this); }

private:
    static bool isText(int column, int role) {
        return (role == Qt::DisplayRole || role == Qt::EditRole) && column >= 0 && column < 4;
    }
    const AlarmModel& model_;
    int row_;
    const AlarmToolTip& toolTip_;
    QHash<int, QString> set_;
};

void renumberFrom(QTreeWidget* list, int row) {
    for (int r = row; r < list->topLevelItemCount(); ++r)
        static_cast<AlarmRow*>(list->topLevelItem(r))->moveTo(r);
}

} // namespace

AlarmLists createAlarmLists(QWidget* page, QWidget* window, const AlarmModel& model, AlarmToolTip toolTip) {
    AlarmLists lists;
    lists.shown = makeReportList(page, QStringLiteral("超级列表框_我的闹钟"),
                                 {QStringLiteral("编号"), QStringLiteral("闹钟时间"),
                                  QStringLiteral("闹钟事件(双击修改)"), QStringLiteral("工作日期")},
                                 {33, 150, 116, 66});
    lists.shown->setGeometry(3, 26, 367, 189);
    // The columns fit the list's width, so that the rule is seen without scrolling sideways: the
    // reminder, the user's own text of any length, takes what the others leave.
    lists.shown->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    lists.shown->setAccessibleName(QStringLiteral("我的闹钟"));
    lists.flags =
        new HiddenList(window, QStringLiteral("超级列表框_是否提醒"), model,
                       {[](const Alarm& a) { return a.rule; }, [](const Alarm& a) { return a.ringFlag; },
                        [](const Alarm& a) { return a.popupFlag; }, [](const Alarm& a) { return a.sound; }});
    lists.keys = new HiddenList(page, QStringLiteral("超级列表框_编号"), model,
                                {[](const Alarm& a) { return QString::number(a.key); }});

    // The items keep a reference to the tooltip function: it lives as long as the list.
    auto* tip = new AlarmToolTip(std::move(toolTip));
    QTreeWidget* shown = lists.shown;
    QObject::connect(shown, &QObject::destroyed, shown, [tip] { delete tip; });
    const auto rebuild = [shown, &model, tip] {
        shown->clear();
        QList<QTreeWidgetItem*> items;
        items.reserve(model.size());
        for (int r = 0; r < model.size(); ++r)
            items << new AlarmRow(model, r, *tip);
        // Added in one call: one layout pass instead of one per row.
        shown->addTopLevelItems(items);
    };
    QObject::connect(&model, &AlarmModel::reset, shown, rebuild);
    QObject::connect(&model, &AlarmModel::inserted, shown, [shown, &model, tip](int row) {
        shown->insertTopLevelItem(row, new AlarmRow(model, row, *tip));
        renumberFrom(shown, row + 1);
    });
    QObject::connect(&model, &AlarmModel::changed, shown,
                     [shown](int row) { static_cast<AlarmRow*>(shown->topLevelItem(row))->refresh(); });
    QObject::connect(&model, &AlarmModel::removed, shown, [shown](int row) {
        delete shown->takeTopLevelItem(row);
        renumberFrom(shown, row);
    });
    rebuild();
    return lists;
}

const Alarm* selectedAlarm(const AlarmLists& lists, const AlarmModel& model) {
    const QList<QTreeWidgetItem*> selected = lists.shown->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    const int row = lists.shown->indexOfTopLevelItem(selected.first());
    return row >= 0 && row < model.size() ? &model.at(row) : nullptr;
}

} // namespace orvane
