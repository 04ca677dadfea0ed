// The diary page's lists, menu and commands: load, open for edit or add, delete.
#include "diary/DiaryPage.h"

#include "diary/DiaryEditorWindow.h"
#include "diary/DiaryFont.h"
#include "diary/DiaryStore.h"
#include "platform/Dialogs.h"

#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

namespace orvane {

DiaryPage::DiaryPage(QWidget* page, Database& db, Dialogs& dialogs, const Paths& paths)
    : QObject(page), db_(db), dialogs_(dialogs), settingsFile_(diarySettingsFile(paths)),
      lists_(createDiaryLists(page)), menu_(new QMenu(QStringLiteral("日记本"), lists_.shown)) {
    menu_->setObjectName(QStringLiteral("日记本"));
    connect(menu_->addAction(QStringLiteral("添加日记")), &QAction::triggered, this,
            &DiaryPage::OpenDiaryForAdd);
    connect(menu_->addAction(QStringLiteral("删除日记")), &QAction::triggered, this,
            &DiaryPage::DeleteDiaryEntry);
    // The view's own double-click signal comes only over an item; the selected entry also opens from an
    // empty part of the list.
    lists_.shown->viewport()->installEventFilter(this);
    lists_.shown->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lists_.shown, &QWidget::customContextMenuRequested, this, &DiaryPage::ShowDiaryMenu);
}

DiaryPage::~DiaryPage() {
    // The editor works on this page's state: it must not outlive it.
    delete editor_.data();
}

bool DiaryPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lists_.shown->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        OpenDiaryForEdit();
    return QObject::eventFilter(watched, event);
}

DiaryEditorWindow* DiaryPage::editor() const {
    return editor_;
}

void DiaryPage::LoadDiaryList() {
    orvane::LoadDiaryList(db_, lists_);
}

int DiaryPage::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = lists_.shown->selectedItems();
    return selected.isEmpty() ? -1 : lists_.shown->indexOfTopLevelItem(selected.first());
}

void DiaryPage::OpenDiaryForEdit() {
    // No selected row remembers no entry: the editor opens on an empty box, which 修改 cannot write
    // anywhere (an empty key makes no statement) and 保存 adds as a new entry.
    const int row = selectedRow();
    const QTreeWidgetItem* key = row < 0 ? nullptr : lists_.keys->topLevelItem(row);
    state_.DiaryEditorMode = DiaryState::Mode::Edit;
    state_.pendingEntryNumber = key ? key->text(0) : QString();
    state_.pendingEntryText = key ? lists_.shown->topLevelItem(row)->text(1) : QString();
    openEditor(Qt::NonModal);
}

void DiaryPage::OpenDiaryForAdd() {
    state_.DiaryEditorMode = DiaryState::Mode::Add;
    openEditor(Qt::WindowModal);
}

void DiaryPage::openEditor(Qt::WindowModality modality) {
    if (editor_ == nullptr) {
        editor_ = new DiaryEditorWindow(
            state_, db_, dialogs_, settingsFile_, [this] { LoadDiaryList(); }, lists_.shown->window());
        connect(editor_, &DiaryEditorWindow::closed, this, [this] { editor_ = nullptr; });
    } else {
        editor_->showOpening();
        // A modality change takes effect only on a hidden window.
        if (editor_->isVisible() && editor_->windowModality() != modality)
            editor_->hide();
    }
    editor_->setWindowModality(modality);
    editor_->show();
    editor_->raise();
    editor_->activateWindow();
}

void DiaryPage::DeleteDiaryEntry() {
    const int row = selectedRow();
    if (row < 0) {
        dialogs_.message(QStringLiteral("请现在要删除的日记！"));
        return;
    }
    const QTreeWidgetItem* key = lists_.keys->topLevelItem(row);
    if (key == nullptr || !deleteDiaryEntry(db_, key->text(0)))
        return;
    dialogs_.message(QStringLiteral("删除成功！"));
    LoadDiaryList();
}

void DiaryPage::ShowDiaryMenu(const QPoint& pos) {
    // Anywhere on the list, not only over an entry: an empty diary must be able to get its first one.
    menu_->popup(lists_.shown->viewport()->mapToGlobal(pos));
}

} // namespace orvane
