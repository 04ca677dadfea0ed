// Message box, input box, open-file and font dialogs; tests install a scripted fake.
#pragma once

#include <QString>

#include <optional>

namespace orvane {

// A font as the diary stores it; colour is 0xRRGGBB.
struct FontChoice {
    QString family;
    int pointSize = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    quint32 color = 0;
    bool operator==(const FontChoice&) const = default;
};

class Dialogs {
public:
    static QString defaultCaption() { return QStringLiteral("信息："); }

    virtual ~Dialogs() = default;
    // Modal message box with one OK button and no icon.
    virtual void message(const QString& text, const QString& caption = defaultCaption()) = 0;
    // The same box with the information icon (the screen lock's input checks); plain where the
    // platform has no such icon.
    virtual void infoMessage(const QString& text, const QString& caption = defaultCaption()) {
        message(text, caption);
    }
    // The same box with the error icon, for a failure the user must see.
    virtual void errorMessage(const QString& text, const QString& caption = defaultCaption()) = 0;
    // Question box with two buttons, `yes` the default, `no` also taken by Esc and the close button; true
    // when `yes` was pressed.
    virtual bool question(const QString& text, const QString& caption, const QString& yes,
                          const QString& no) = 0;
    // Text input box; nullopt when cancelled.
    virtual std::optional<QString> input(const QString& prompt, const QString& caption,
                                         const QString& initial = QString()) = 0;
    // Open-file dialog; nullopt when cancelled. filter as in Qt ("声音文件 (*.mp3 *.wav)").
    virtual std::optional<QString> openFile(const QString& caption, const QString& filter) = 0;
    // Font dialog with colour and effects; nullopt when cancelled.
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
};

} // namespace orvane
