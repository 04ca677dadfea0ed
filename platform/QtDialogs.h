// The real dialogs: Qt message, input, open-file and font boxes behind the Dialogs interface.
#pragma once

#include "platform/Dialogs.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QWidget>

namespace orvane {

// FontChoice ↔ Qt: the font (family, size, bold, italic, underline, strike-out) and its colour 0xRRGGBB.
QFont fontOf(const FontChoice& choice);
QColor colorOf(const FontChoice& choice);
FontChoice fontChoiceOf(const QFont& font, const QColor& color);

// With ORVANE_DIALOGS_AUTO=1 in the environment (headless test scripts only) no box is shown: each is
// printed on stderr and answered OK or cancelled at once.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    // The window boxes belong to when none of the program's windows is active (null: none).
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    // The window the next box will belong to.
    QWidget* owner() const;

    void message(const QString& text, const QString& caption = defaultCaption()) override;
    void infoMessage(const QString& text, const QString& caption = defaultCaption()) override;
    void errorMessage(const QString& text, const QString& caption = defaultCaption()) override;
    bool question(const QString& text, const QString& caption, const QString& yes,
                  const QString& no) override;
    std::optional<QString> input(const QString& prompt, const QString& caption,
                                 const QString& initial = QString()) override;
    std::optional<QString> openFile(const QString& caption, const QString& filter) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace orvane
