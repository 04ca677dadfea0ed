// Dialogs that record what they were asked to show and give the answers the test queued.
#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QStringList>

namespace orvane::test {

class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        enum Kind { Message, InfoMessage, ErrorMessage, Question, Input, OpenFile, ChooseFont } kind;
        QString text;    // message or question text, input prompt, open-file filter, font family
        QString caption; // caption (font: empty)
    };

    // Answers, used in order; an unscripted box answers "cancelled" (a question: no).
    void answerQuestion(bool yes) { questions_.append(yes); }
    void answerInput(std::optional<QString> answer) { inputs_.append(std::move(answer)); }
    void answerOpenFile(std::optional<QString> answer) { files_.append(std::move(answer)); }
    void answerFont(std::optional<FontChoice> answer) { fonts_.append(std::move(answer)); }
    qsizetype unusedAnswers() const {
        return questions_.size() + inputs_.size() + files_.size() + fonts_.size();
    }

    // Every box in the order shown.
    const QList<Shown>& shown() const { return shown_; }
    // The same as readable lines: "message 信息：|text", "infoMessage …", "errorMessage 信息：|text",
    // "question caption|text|yes|no", "input caption|prompt|initial", "openFile caption|filter", "chooseFont
    // family".
    QStringList log() const { return log_; }
    QStringList messages() const { return texts(Shown::Message); }
    QStringList messageCaptions() const { return captions(Shown::Message); }
    QStringList infoMessages() const { return texts(Shown::InfoMessage); }
    QStringList infoMessageCaptions() const { return captions(Shown::InfoMessage); }
    QStringList errorMessages() const { return texts(Shown::ErrorMessage); }
    QStringList questions() const { return texts(Shown::Question); }
    QStringList inputPrompts() const { return texts(Shown::Input); }
    QStringList inputCaptions() const { return captions(Shown::Input); }
    void clear() {
        shown_.clear();
        log_.clear();
    }

    void message(const QString& text, const QString& caption = defaultCaption()) override {
        shown_.append({Shown::Message, text, caption});
        log_.append(QStringLiteral("message ") + caption + u'|' + text);
    }
    void infoMessage(const QString& text, const QString& caption = defaultCaption()) override {
        shown_.append({Shown::InfoMessage, text, caption});
        log_.append(QStringLiteral("infoMessage ") + caption + u'|' + text);
    }
    void errorMessage(const QString& text, const QString& caption = defaultCaption()) override {
        shown_.append({Shown::ErrorMessage, text, caption});
        log_.append(QStringLiteral("errorMessage ") + caption + u'|' + text);
    }
    bool question(const QString& text, const QString& caption, const QString& yes,
                  const QString& no) override {
        shown_.append({Shown::Question, text, caption});
        log_.append(QStringLiteral("question ") + caption + u'|' + text + u'|' + yes + u'|' + no);
        return !questions_.isEmpty() && questions_.takeFirst();
    }
    std::optional<QString> input(const QString& prompt, const QString& caption,
                                 const QString& initial = QString()) override {
        shown_.append({Shown::Input, prompt, caption});
        log_.append(QStringLiteral("input ") + caption + u'|' + prompt + u'|' + initial);
        return next(inputs_);
    }
    std::optional<QString> openFile(const QString& caption, const QString& filter) override {
        shown_.append({Shown::OpenFile, filter, caption});
        log_.append(QStringLiteral("openFile ") + caption + u'|' + filter);
        return next(files_);
    }
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override {
        shown_.append({Shown::ChooseFont, initial.family, QString()});
        log_.append(QStringLiteral("chooseFont ") + initial.family);
        return next(fonts_);
    }

private:
    template <typename T> static std::optional<T> next(QList<std::optional<T>>& queue) {
        if (queue.isEmpty())
            return std::nullopt;
        return queue.takeFirst();
    }
    QStringList texts(Shown::Kind kind) const {
        QStringList out;
        for (const Shown& s : shown_)
            if (s.kind == kind)
                out.append(s.text);
        return out;
    }
    QStringList captions(Shown::Kind kind) const {
        QStringList out;
        for (const Shown& s : shown_)
            if (s.kind == kind)
                out.append(s.caption);
        return out;
    }

    QList<Shown> shown_;
    QStringList log_;
    QList<bool> questions_;
    QList<std::optional<QString>> inputs_;
    QList<std::optional<QString>> files_;
    QList<std::optional<FontChoice>> fonts_;
};

} // namespace orvane::test
