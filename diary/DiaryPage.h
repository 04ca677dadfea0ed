// The "日记本" page: the diary lists, their pop-up menu "日记本" and the openings of the editor.
#pragma once

#include "diary/DiaryLists.h"
#include "diary/DiaryState.h"
#include "platform/Paths.h"

#include <QObject>
#include <QPointer>

class QMenu;
class QPoint;
class QWidget;

namespace orvane {

class Database;
class Dialogs;
class DiaryEditorWindow;

// Places its controls on the given page and handles them; owned by that page. At most one editor is
// open at a time, a top-level child of the page's window.
class DiaryPage : public QObject {
    Q_OBJECT
public:
    DiaryPage(QWidget* page, Database& db, Dialogs& dialogs, const Paths& paths);
    ~DiaryPage() override;

    void LoadDiaryList();
    // Remembers the selected entry and opens the editor non-modal on it; an open editor comes to the
    // front showing that entry. No selected row: it opens on no entry, with an empty box.
    void OpenDiaryForEdit();
    // Opens the editor modal to the main window on an empty box (an open editor is reused).
    void OpenDiaryForAdd();
    // No selected row: a message. Otherwise deletes the row's entry (no question).
    void DeleteDiaryEntry();
    // pos in the shown list's viewport; the menu pops up only over an item.
    void ShowDiaryMenu(const QPoint& pos);

    const DiaryLists& lists() const { return lists_; }
    QMenu* diaryMenu() const { return menu_; }
    DiaryEditorWindow* editor() const; // the open editor; null when none

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int selectedRow() const; // -1 when none
    void openEditor(Qt::WindowModality modality);

    Database& db_;
    Dialogs& dialogs_;
    QString settingsFile_;
    DiaryLists lists_;
    DiaryState state_;
    QMenu* menu_;
    QPointer<DiaryEditorWindow> editor_;
};

} // namespace orvane
