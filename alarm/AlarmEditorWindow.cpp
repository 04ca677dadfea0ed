// The alarm editor window: its controls at their places, the openings, the file choice and the save.
#include "alarm/AlarmEditorWindow.h"

#include "alarm/AlarmEditorTexts.h"
#include "alarm/AlarmEngine.h"
#include "alarm/RuleChooser.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/TypingBoxes.h"
#include "platform/WidgetPlace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace orvane {

namespace {

QComboBox* comboBox(QWidget* parent, const char* name, const QStringList& items, int x, int w) {
    auto* box = place(new QComboBox(parent), name, x, 30, w, 20);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert); // a typed text is taken as it stands, never added
    box->addItems(items);
    return box;
}

void clearCombo(QComboBox* box) {
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

} // namespace

AlarmEditorWindow::AlarmEditorWindow(AlarmEngine& engine, Dialogs& dialogs, const Clock& clock,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), engine_(engine), dialogs_(dialogs), clock_(clock) {
    setObjectName(QStringLiteral("AlarmEditorWindow"));
    setWindowTitle(QStringLiteral(" 添加闹钟"));
    setGeometry(50, 50, 380, 258);
    setFixedSize(380, 258);
    buildControls();
    applyLayoutContent();
}

void AlarmEditorWindow::buildControls() {
    auto* timeGroup = place(new QGroupBox(QStringLiteral("时间设置"), this), "分组框1", 8, 8, 360, 56);
    // The time row is 18 pixels tighter than first laid out, so that the rule box shows four characters
    // ("农历每年") within the group: the date box gives up room it never used.
    dateEdit_ = place(new DateBox(timeGroup), "日期框1", 21, 28, 94, 24);
    hourBox_ = comboBox(timeGroup, "组合框_时", hourItems(), 129, 48);
    makeNumberBox(hourBox_, 23, editortext::badHour());
    (new QLabel(QStringLiteral("时"), timeGroup))->setGeometry(179, 33, 20, 16);
    minuteBox_ = comboBox(timeGroup, "组合框_分", minuteItems(), 204, 49);
    makeNumberBox(minuteBox_, 59, editortext::badMinute());
    (new QLabel(QStringLiteral("分"), timeGroup))->setGeometry(256, 33, 20, 16);
    ruleBox_ = comboBox(timeGroup, "组合框_提醒工作日", ruleItems(), 278, 76);
    ruleBox_->setMaxVisibleItems(ruleItems().size());
    ruleBox_->setToolTip(editortext::ruleHelp());
    // What the date means for the rules counted from it, beside the buttons.
    ruleHint_ = place(new QLabel(this), "标签_规则说明", 8, 206, 200, 24);
    connect(ruleBox_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        // A chooser item never stays in the box: the rule shown before it is kept to go back to.
        if (text != weekdayChooserItem() && text != shiftChooserItem())
            ruleShown_ = text;
        ruleHint_->setText(ruleHint(text));
    });
    connect(ruleBox_, &QComboBox::activated, this, &AlarmEditorWindow::ruleItemPicked);

    auto* ringGroup = place(new QGroupBox(QStringLiteral("铃声设置"), this), "分组框2", 8, 72, 360, 56);
    ringBox_ = place(new QCheckBox(QStringLiteral("铃声"), ringGroup), "选择框_铃声", 8, 24, 48, 16);
    ringFileEdit_ = place(new QLineEdit(ringGroup), "编辑框_铃声路径", 64, 22, 248, 20);
    auto* ringFileButton =
        place(new QPushButton(QStringLiteral("..."), ringGroup), "按钮_路径选择", 316, 21, 35, 21);
    ringFileButton->setAccessibleName(QStringLiteral("选择铃声文件"));

    auto* popupGroup = place(new QGroupBox(QStringLiteral("提示设置"), this), "分组框3", 8, 136, 360, 64);
    popupBox_ = place(new QCheckBox(QStringLiteral("是否弹窗口"), popupGroup), "选择框_弹窗", 8, 24, 80, 24);
    reminderEdit_ = place(new QPlainTextEdit(popupGroup), "编辑框_弹窗内容", 96, 11, 256, 48);
    reminderEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reminderEdit_->setAccessibleName(QStringLiteral("提示内容"));

    saveButton_ = place(new QPushButton(QStringLiteral("添加"), this), "按钮_添加", 216, 206, 64, 24);
    auto* cancelButton = place(new QPushButton(QStringLiteral("取消"), this), "按钮_取消", 296, 206, 64, 24);

    connect(ringFileButton, &QPushButton::clicked, this, &AlarmEditorWindow::ChooseRingFile);
    connect(saveButton_, &QPushButton::clicked, this, &AlarmEditorWindow::SaveAlarm);
    connect(cancelButton, &QPushButton::clicked, this, &AlarmEditorWindow::CloseAlarmEditor);
}

// What a freshly created window holds before the presets or the modify fill.
void AlarmEditorWindow::applyLayoutContent() {
    // setDate, not setDateTime: Qt 6.4 keeps a date-time set there in UTC, which east of UTC turns a
    // local morning into the day before.
    dateEdit_->setDate(clock_.now().date());
    for (QWidget* box : std::initializer_list<QWidget*>{dateEdit_, hourBox_, minuteBox_, ruleBox_})
        markEntry(box, QString());
    clearCombo(hourBox_);
    clearCombo(minuteBox_);
    clearCombo(ruleBox_);
    ringBox_->setChecked(true);
    ringFileEdit_->setText(QStringLiteral("默认"));
    popupBox_->setChecked(true);
    reminderEdit_->setPlainText(QString());
    saveButton_->setText(QStringLiteral("添加"));
}

void AlarmEditorWindow::showInFront() {
    // A fresh opening starts at its layout place; an editor that is already open stays where it is.
    if (!isVisible())
        setGeometry(50, 50, 380, 258);
    show();
    raise();
    activateWindow();
}

void AlarmEditorWindow::openForAdd() {
    mode_ = Mode::Add;
    applyLayoutContent();
    showInFront();
    const AddPresets presets = addPresets(clock_.now());
    reminderEdit_->setPlainText(QString());
    dateEdit_->setDate(presets.date);
    hourBox_->setEditText(presets.hour);
    minuteBox_->setEditText(presets.minute);
    ruleBox_->setCurrentIndex(0);
}

void AlarmEditorWindow::openForEdit(const Alarm& alarm) {
    pendingAlarmNumber_ = alarm.key;
    pendingAlarmTexts_ = alarm.texts;
    mode_ = Mode::Modify;
    applyLayoutContent();
    showInFront();
    AlarmEditorCreated();
}

void AlarmEditorWindow::AlarmEditorCreated() {
    if (mode_ != Mode::Modify)
        return;
    const EditorFill fill = editorFill(pendingAlarmTexts_);
    if (fill.rule)
        ruleBox_->setEditText(*fill.rule);
    if (fill.date)
        dateEdit_->setDate(*fill.date);
    if (fill.hour)
        hourBox_->setEditText(*fill.hour);
    if (fill.minute)
        minuteBox_->setEditText(*fill.minute);
    if (fill.ring)
        ringBox_->setChecked(*fill.ring);
    if (fill.sound)
        ringFileEdit_->setText(*fill.sound);
    if (fill.popup)
        popupBox_->setChecked(*fill.popup);
    if (fill.reminder)
        reminderEdit_->setPlainText(*fill.reminder);
    saveButton_->setText(QStringLiteral("修改"));
}

void AlarmEditorWindow::ChooseRingFile() {
    if (const std::optional<QString> file = dialogs_.openFile(QString(), QString()))
        ringFileEdit_->setText(*file);
}

void AlarmEditorWindow::ruleItemPicked(int index) {
    const QString item = ruleBox_->itemText(index);
    const bool weekdays = item == weekdayChooserItem();
    if (!weekdays && item != shiftChooserItem())
        return;
    // The box goes back to its rule until the chooser hands over a new one.
    const QString before = ruleShown_;
    ruleBox_->setCurrentIndex(ruleBox_->findText(before));
    ruleBox_->setEditText(before);
    auto* chooser =
        new RuleChooser(weekdays ? RuleChooser::Kind::Weekdays : RuleChooser::Kind::Shift, before, this);
    connect(chooser, &RuleChooser::chosen, this, [this](const QString& rule) {
        ruleBox_->setCurrentIndex(ruleBox_->findText(rule));
        ruleBox_->setEditText(rule);
    });
    chooser->move(ruleBox_->mapToGlobal(QPoint(ruleBox_->width() - chooser->width(), ruleBox_->height())));
    chooser->show();
}

void AlarmEditorWindow::refuse(QWidget* box, const QString& reason) {
    markEntry(box, reason);
    box->setFocus(Qt::OtherFocusReason);
}

void AlarmEditorWindow::SaveAlarm() {
    const Mode mode = mode_;
    if (mode == Mode::None)
        return;
    // What the user sees at the press, before anything is made of it.
    const ShownEntry shown{dateEdit_->text(), hourBox_->currentText(), minuteBox_->currentText(),
                           ruleBox_->currentText()};
    if (isMarked(dateEdit_)) {
        refuse(dateEdit_, dateEdit_->toolTip());
        return;
    }
    const EditorCheck check =
        checkEditorEntry({shown.rule, dateEdit_->date(), shown.hour, shown.minute, ringBox_->isChecked(),
                          ringFileEdit_->text(), popupBox_->isChecked(), reminderEdit_->toPlainText()});
    QWidget* const boxes[] = {nullptr, dateEdit_, hourBox_, minuteBox_, ruleBox_};
    if (!check.ok()) {
        dialogs_.message(check.error);
        refuse(boxes[int(check.box)], check.error);
        return;
    }
    const AlarmTexts texts = encodeAlarm(check.values);
    // The stored texts must give back what the boxes showed; a box whose value is not what it shows
    // (a typed date not taken, say) stores nothing.
    if (const EntryBox box = readBackMismatch(shown, texts); box != EntryBox::None) {
        const QString reasons[] = {{},
                                   editortext::dateNotTaken(),
                                   editortext::badHour(),
                                   editortext::badMinute(),
                                   editortext::badRule()};
        refuse(boxes[int(box)], reasons[int(box)]);
        return;
    }
    // The boxes show what is stored: "7" becomes "07", "周三、周一" becomes "周一、周三".
    hourBox_->setEditText(hourItems().at(check.values.hour));
    minuteBox_->setEditText(minuteItems().at(check.values.minute));
    const QString rule = ruleText(check.values.rule);
    ruleBox_->setCurrentIndex(ruleBox_->findText(rule));
    ruleBox_->setEditText(rule);

    // An alarm deleted meanwhile (say by the automatic delete) changes no row: that is no success.
    const bool written =
        mode == Mode::Add ? engine_.add(texts).has_value() : engine_.update(pendingAlarmNumber_, texts);
    if (!written) {
        // The user's input stays in the editor so that it can be saved again.
        dialogs_.errorMessage(mode == Mode::Add ? editortext::addFailed() : editortext::modifyFailed());
        return;
    }
    dialogs_.message(mode == Mode::Add ? editortext::added() : editortext::modified());
    if (const QString note = holidayCoverageNote(check.values.rule, check.values.date, clock_.now().date());
        !note.isEmpty())
        dialogs_.message(note);
}

void AlarmEditorWindow::CloseAlarmEditor() {
    close();
}

} // namespace orvane
