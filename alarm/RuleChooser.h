// The editor's small choosers for rules a list cannot hold: any set of weekdays, and a shift of N days on
// and M days off. A popup under the rule box; 确定 hands over the rule's word.
#pragma once

#include "alarm/AlarmRule.h"

#include <QFrame>

class QCheckBox;
class QSpinBox;

namespace orvane {

class RuleChooser : public QFrame {
    Q_OBJECT
public:
    enum class Kind { Weekdays, Shift };
    // Starts from `current` when it is a rule of that kind (a set's days, a shift's numbers).
    RuleChooser(Kind kind, const QString& current, QWidget* parent = nullptr);

    // The rule the controls stand for; none while no day is ticked.
    std::optional<AlarmRule> rule() const;

signals:
    void chosen(const QString& ruleText);

private:
    void accept();

    Kind kind_;
    QList<QCheckBox*> days_;
    QSpinBox* on_ = nullptr;
    QSpinBox* off_ = nullptr;
};

} // namespace orvane
