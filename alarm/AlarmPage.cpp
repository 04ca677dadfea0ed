// Controls of the "我的闹钟" page at their places.
#include "alarm/AlarmPage.h"

#include "alarm/AlarmEngine.h"
#include "platform/WidgetPlace.h"

#include <QPushButton>

namespace orvane {

namespace {
QPushButton* button(QWidget* page, const char* name, const QString& text, int left) {
    return place(new QPushButton(text, page), name, left, 219, 64, 22);
}
} // namespace

AlarmPage::AlarmPage(QWidget* page, QWidget* window, AlarmEngine& engine)
    : QObject(page), lists_(createAlarmLists(page, window, engine.model(),
                                             [&engine](const Alarm& a) { return engine.toolTip(a); })) {
    lockButton_ = button(page, "按钮18", QStringLiteral("挂机"), 20);
    addButton_ = button(page, "按钮19", QStringLiteral("添加闹钟"), 111);
    deleteButton_ = button(page, "按钮17", QStringLiteral("删除闹钟"), 202);
    weatherButton_ = button(page, "按钮13", QStringLiteral("天气预报"), 294);
}

} // namespace orvane
