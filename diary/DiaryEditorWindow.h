// The diary editor window " 日记本": one entry's text with the menu "文件" and a chosen font.
#pragma once

#include "diary/DiaryState.h"
#include "platform/Dialogs.h"

#include <QWidget>

#include <functional>
#include <optional>

class QMenuBar;
class QPlainTextEdit;

namespace orvane {

class Database;

// Lives from its opening until it is closed (close box or "退出"), then deletes itself; the state it
// works from belongs to the diary page and survives it.
class DiaryEditorWindow : public QWidget {
    Q_OBJECT
public:
    using Reload = std::function<void()>; // LoadDiaryList after a successful write

    // Applies the stored font and shows the opening's text (DiaryEditorCreated); not yet shown.
    DiaryEditorWindow(DiaryState& state, Database& db, Dialogs& dialogs, QString settingsFile, Reload reload,
                      QWidget* parent = nullptr);

    // The stored font, then in edit mode the remembered entry's text (add mode keeps the empty box).
    void DiaryEditorCreated();
    // An opening of the window that is already open: the remembered entry's text in edit mode, the
    // empty box in add mode.
    void showOpening();

    void DiaryNew();
    // Edit mode only: writes the box into the remembered entry. In add mode, or with no remembered
    // entry, the box holds no stored entry, so nothing is written.
    void DiaryModify();
    void DiarySave();
    void DiaryConfigure();

    QPlainTextEdit* textBox() const { return textBox_; }

signals:
    void closed(); // closing, before the deferred delete: the window can no longer be reused

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void applyFont(const FontChoice& font);
    QString boxText() const; // the box's text as it is stored

    DiaryState& state_;
    Database& db_;
    Dialogs& dialogs_;
    QString settingsFile_;
    Reload reload_;
    QString loadedText_;                 // the stored text the box was filled with
    std::optional<FontChoice> lastFont_; // the font dialog's last choice in this window

    QMenuBar* menuBar_;
    QPlainTextEdit* textBox_;
};

} // namespace orvane
