// The weekday and shift choosers.
#include "alarm/RuleChooser.h"

#include "platform/WidgetPlace.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace orvane {

RuleChooser::RuleChooser(Kind kind, const QString& current, QWidget* parent)
    : QFrame(parent, Qt::Popup), kind_(kind) {
    setObjectName(QStringLiteral("规则选择"));
    setFrameShape(QFrame::StyledPanel);
    const std::optional<AlarmRule> now = ruleFromText(current);
    int bottom = 0;
    if (kind == Kind::Weekdays) {
        const quint8 ticked = !now                                ? 0
                              : now->kind == RuleKind::WeekdaySet ? now->weekdays
                              : now->kind == RuleKind::Weekly     ? quint8(1 << (now->weekday - 1))
                                                                  : 0;
        const QString names = QStringLiteral("一二三四五六日");
        for (int day = 0; day < 7; ++day) {
            auto* box = new QCheckBox(QStringLiteral("周") + names[day], this);
            box->setObjectName(QStringLiteral("选择框_周%1").arg(day + 1));
            box->setGeometry(8 + (day % 4) * 56, 8 + (day / 4) * 24, 54, 22);
            box->setChecked(ticked & (1 << day));
            days_ << box;
        }
        bottom = 58;
    } else {
        const AlarmRule shift =
            now && now->kind == RuleKind::Shift ? *now : AlarmRule{RuleKind::Shift, 0, 0, 3, 3};
        const auto spin = [this](const char* name, int value, int x) {
            auto* box = place(new QSpinBox(this), name, x, 8, 52, 24);
            box->setRange(1, kLongestShiftPart);
            box->setValue(value);
            return box;
        };
        place(new QLabel(QStringLiteral("上"), this), "标签_上", 8, 10, 16, 20);
        on_ = spin("数字框_上", shift.on, 26);
        place(new QLabel(QStringLiteral("天，休"), this), "标签_休", 82, 10, 40, 20);
        off_ = spin("数字框_休", shift.off, 124);
        place(new QLabel(QStringLiteral("天"), this), "标签_天", 180, 10, 16, 20);
        bottom = 40;
    }
    auto* ok = place(new QPushButton(QStringLiteral("确定"), this), "按钮_确定", 92, bottom, 64, 24);
    auto* cancel = place(new QPushButton(QStringLiteral("取消"), this), "按钮_取消", 164, bottom, 64, 24);
    connect(ok, &QPushButton::clicked, this, &RuleChooser::accept);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    resize(236, bottom + 32);
    setAttribute(Qt::WA_DeleteOnClose);
}

std::optional<AlarmRule> RuleChooser::rule() const {
    if (kind_ == Kind::Shift)
        return AlarmRule{RuleKind::Shift, 0, 0, quint8(on_->value()), quint8(off_->value())};
    QStringList days;
    for (QCheckBox* box : days_)
        if (box->isChecked())
            days << box->text();
    if (days.isEmpty())
        return std::nullopt;
    return ruleFromText(days.join(u'、'));
}

void RuleChooser::accept() {
    if (const std::optional<AlarmRule> chosenRule = rule()) {
        emit chosen(ruleText(*chosenRule));
        close();
    }
}

} // namespace orvane
