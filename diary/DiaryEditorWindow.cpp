// The diary editor: its text box and menu, the font from "记事本配置", and the writes to "记事本".
#include "diary/DiaryEditorWindow.h"

#include "diary/DiaryFont.h"
#include "diary/DiaryStore.h"
#include "diary/DiaryText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>

namespace orvane {

namespace {

QString cssColor(quint32 rgb) {
    return QStringLiteral("#%1").arg(uint(rgb & 0xFFFFFFu), 6, 16, QChar(u'0'));
}

// The same font as a style sheet of the box alone: a skin's style sheet outranks setFont and the palette,
// while a widget's own sheet outranks the skin.
QString fontStyleSheet(const FontChoice& font) {
    QStringList rules;
    if (!font.family.isEmpty()) {
        QString family = font.family;
        family.remove(u'"').remove(u'\\');
        rules << QStringLiteral("font-family: \"") + family + u'"';
    }
    if (font.pointSize > 0)
        rules << QStringLiteral("font-size: %1pt").arg(font.pointSize);
    rules << (font.bold ? QStringLiteral("font-weight: bold") : QStringLiteral("font-weight: normal"));
    rules << (font.italic ? QStringLiteral("font-style: italic") : QStringLiteral("font-style: normal"));
    QStringList decorations;
    if (font.underline)
        decorations << QStringLiteral("underline");
    if (font.strikeOut)
        decorations << QStringLiteral("line-through");
    rules << QStringLiteral("text-decoration: ") +
                 (decorations.isEmpty() ? QStringLiteral("none") : decorations.join(u' '));
    rules << QStringLiteral("color: ") + cssColor(font.color);
    return QStringLiteral("QPlainTextEdit { ") + rules.join(QStringLiteral("; ")) + QStringLiteral(" }");
}

} // namespace

DiaryEditorWindow::DiaryEditorWindow(DiaryState& state, Database& db, Dialogs& dialogs, QString settingsFile,
                                     Reload reload, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), db_(db), dialogs_(dialogs),
      settingsFile_(std::move(settingsFile)), reload_(std::move(reload)) {
    setObjectName(QStringLiteral("DiaryEditorWindow"));
    setWindowTitle(QStringLiteral(" 日记本"));
    setAttribute(Qt::WA_DeleteOnClose);
    setGeometry(50, 50, 488, 341);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    menuBar_ = new QMenuBar(this);
    layout->setMenuBar(menuBar_);
    textBox_ = new QPlainTextEdit(this);
    textBox_->setObjectName(QStringLiteral("编辑框1"));
    textBox_->setAccessibleName(QStringLiteral("日记内容"));
    layout->addWidget(textBox_);
    buildMenu();
    DiaryEditorCreated();
}

void DiaryEditorWindow::buildMenu() {
    QMenu* file = menuBar_->addMenu(QStringLiteral("文件"));
    file->setObjectName(QStringLiteral("文件"));
    connect(file->addAction(QStringLiteral("新建")), &QAction::triggered, this, &DiaryEditorWindow::DiaryNew);
    connect(file->addAction(QStringLiteral("修改")), &QAction::triggered, this,
            &DiaryEditorWindow::DiaryModify);
    connect(file->addAction(QStringLiteral("保存")), &QAction::triggered, this,
            &DiaryEditorWindow::DiarySave);
    file->addSeparator();
    connect(file->addAction(QStringLiteral("配置")), &QAction::triggered, this,
            &DiaryEditorWindow::DiaryConfigure);
    file->addSeparator();
    connect(file->addAction(QStringLiteral("退出")), &QAction::triggered, this, &QWidget::close);
}

void DiaryEditorWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

void DiaryEditorWindow::DiaryEditorCreated() {
    applyFont(diaryFontFromValues(readDiaryFontValues(settingsFile_)));
    if (state_.DiaryEditorMode == DiaryState::Mode::Edit)
        showOpening();
}

void DiaryEditorWindow::showOpening() {
    loadedText_ = state_.DiaryEditorMode == DiaryState::Mode::Edit ? state_.pendingEntryText : QString();
    textBox_->setPlainText(diaryBoxText(loadedText_));
}

void DiaryEditorWindow::applyFont(const FontChoice& font) {
    QFont f = QApplication::font(textBox_);
    if (!font.family.isEmpty())
        f.setFamilies({font.family});
    if (font.pointSize > 0)
        f.setPointSize(font.pointSize);
    f.setBold(font.bold);
    f.setUnderline(font.underline);
    f.setItalic(font.italic);
    f.setStrikeOut(font.strikeOut);
    textBox_->setFont(f);
    QPalette palette = textBox_->palette();
    palette.setColor(QPalette::Text, QColor::fromRgb(QRgb(font.color & 0xFFFFFFu)));
    textBox_->setPalette(palette);
    textBox_->setStyleSheet(fontStyleSheet(font));
}

QString DiaryEditorWindow::boxText() const {
    // The raw text keeps what toPlainText would change (no-break spaces); blocks end in U+2029.
    QString text = textBox_->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return diaryStoredText(text, loadedText_);
}

void DiaryEditorWindow::DiaryNew() {
    textBox_->setPlainText(QString());
}

void DiaryEditorWindow::DiaryModify() {
    if (state_.DiaryEditorMode != DiaryState::Mode::Edit)
        return;
    const QString text = boxText();
    if (!updateDiaryEntry(db_, state_.pendingEntryNumber, text))
        return;
    loadedText_ = text;
    dialogs_.message(QStringLiteral("文件修改成功！"));
    reload_();
}

void DiaryEditorWindow::DiarySave() {
    if (!insertDiaryEntry(db_, boxText()))
        return;
    dialogs_.message(QStringLiteral("记事本添加成功。"));
    reload_();
}

void DiaryEditorWindow::DiaryConfigure() {
    const std::optional<FontChoice> chosen = dialogs_.chooseFont(lastFont_.value_or(FontChoice()));
    if (!chosen)
        return;
    lastFont_ = chosen;
    const QStringList values = diaryFontValues(*chosen);
    writeDiaryFontValues(settingsFile_, values);
    // Applied through the stored texts, exactly as at creation, even when the file could not be written.
    applyFont(diaryFontFromValues(values));
}

} // namespace orvane
