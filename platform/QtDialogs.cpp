// The real dialogs: thin wrappers over Qt's modal boxes, and a font box with effects and colour.
#include "platform/QtDialogs.h"

#include "platform/QtTranslations.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QSpacerItem>
#include <QSpinBox>

#include <algorithm>
#include <cstdio>

namespace orvane {

namespace {
// ORVANE_DIALOGS_AUTO=1 is for scripts that run the real program headless (tests/environment): a modal
// box there would wait for ever, so each box prints "orvane-dialog: <kind> <caption>|<text>" on stderr
// and is answered at once (OK, or cancelled). The program never sets it.
bool answeredAutomatically(const char* kind, const QString& caption, const QString& text) {
    if (qEnvironmentVariableIntValue("ORVANE_DIALOGS_AUTO") != 1)
        return false;
    std::fprintf(stderr, "orvane-dialog: %s %s|%s\n", kind, caption.toUtf8().constData(),
                 text.toUtf8().constData());
    std::fflush(stderr);
    return true;
}
// A box only as wide as a short text leaves its title bar no room for the caption beside the window
// manager's buttons ("信息：" disappeared): a spacer in the box's grid keeps it wide enough.
void roomForCaption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr)
        return;
    const int width = std::max(200, box.fontMetrics().horizontalAdvance(box.windowTitle()) + 160);
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

int exec(QMessageBox& box) {
    roomForCaption(box);
    return box.exec();
}
} // namespace

// The window the user is working in (a modal box already open, else the active window of this program)
// owns the box: it opens over that window and, when it closes, that window and not the main one comes
// back to the front. A box raised by a timer while another program is active falls back to the main
// window.
QWidget* QtDialogs::owner() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow(); active != nullptr && active->isVisible())
        return active;
    return parent_;
}

QFont fontOf(const FontChoice& choice) {
    QFont font;
    if (!choice.family.isEmpty())
        font.setFamily(choice.family);
    font.setPointSize(choice.pointSize > 0 ? choice.pointSize : FontChoice().pointSize);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    font.setUnderline(choice.underline);
    font.setStrikeOut(choice.strikeOut);
    return font;
}

QColor colorOf(const FontChoice& choice) {
    return QColor::fromRgb(QRgb(choice.color & 0xFFFFFFu));
}

FontChoice fontChoiceOf(const QFont& font, const QColor& color) {
    FontChoice choice;
    choice.family = font.family();
    // A font sized in pixels has no point size; keep the default rather than store -1.
    if (const int size = qRound(font.pointSizeF()); size > 0)
        choice.pointSize = size;
    choice.bold = font.bold();
    choice.italic = font.italic();
    choice.underline = font.underline();
    choice.strikeOut = font.strikeOut();
    choice.color = color.isValid() ? (color.rgb() & 0xFFFFFFu) : 0;
    return choice;
}

void QtDialogs::message(const QString& text, const QString& caption) {
    useChineseQtTexts();
    if (answeredAutomatically("message", caption, text))
        return;
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner());
    exec(box);
}

void QtDialogs::infoMessage(const QString& text, const QString& caption) {
    useChineseQtTexts();
    if (answeredAutomatically("infoMessage", caption, text))
        return;
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, owner());
    exec(box);
}

void QtDialogs::errorMessage(const QString& text, const QString& caption) {
    useChineseQtTexts();
    if (answeredAutomatically("errorMessage", caption, text))
        return;
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner());
    exec(box);
}

bool QtDialogs::question(const QString& text, const QString& caption, const QString& yes, const QString& no) {
    useChineseQtTexts();
    if (answeredAutomatically("question", caption, text))
        return false;
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, owner());
    QPushButton* yesButton = box.addButton(yes, QMessageBox::AcceptRole);
    box.setEscapeButton(box.addButton(no, QMessageBox::RejectRole));
    box.setDefaultButton(yesButton);
    exec(box);
    return box.clickedButton() == yesButton;
}

std::optional<QString> QtDialogs::input(const QString& prompt, const QString& caption,
                                        const QString& initial) {
    useChineseQtTexts();
    if (answeredAutomatically("input", caption, prompt))
        return std::nullopt;
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtDialogs::openFile(const QString& caption, const QString& filter) {
    useChineseQtTexts();
    if (answeredAutomatically("openFile", caption, filter))
        return std::nullopt;
    const QString file = QFileDialog::getOpenFileName(owner(), caption, QString(), filter);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

namespace {
QPixmap swatch(const QColor& color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return pixmap;
}
} // namespace

// Our own box rather than QFontDialog: that one offers only the styles a family really has, so the
// bold and italic of a Chinese font with one face would be dropped, and it has no colour.
std::optional<FontChoice> QtDialogs::chooseFont(const FontChoice& initial) {
    useChineseQtTexts();
    if (answeredAutomatically("chooseFont", QStringLiteral("字体"), initial.family))
        return std::nullopt;
    QDialog dialog(owner());
    dialog.setWindowTitle(QStringLiteral("字体"));
    auto* family = new QFontComboBox(&dialog);
    family->setCurrentFont(fontOf(initial));
    auto* size = new QSpinBox(&dialog);
    size->setRange(1, 200);
    size->setValue(fontOf(initial).pointSize());
    auto* bold = new QCheckBox(QStringLiteral("粗体"), &dialog);
    auto* italic = new QCheckBox(QStringLiteral("倾斜"), &dialog);
    auto* underline = new QCheckBox(QStringLiteral("下划线"), &dialog);
    auto* strikeOut = new QCheckBox(QStringLiteral("删除线"), &dialog);
    bold->setChecked(initial.bold);
    italic->setChecked(initial.italic);
    underline->setChecked(initial.underline);
    strikeOut->setChecked(initial.strikeOut);
    QColor color = colorOf(initial);
    auto* colorButton = new QPushButton(QIcon(swatch(color)), QStringLiteral("颜色(&C)..."), &dialog);
    auto* sample = new QLabel(QStringLiteral("示例 AaBbYyZz"), &dialog);
    sample->setMinimumHeight(48);

    const auto current = [&] {
        QFont font = family->currentFont();
        // Until the user picks a row, currentFont() is the font asked for ("Sans Serif", or a face this
        // machine lacks) while the box shows the face it resolves to: the face shown is the one chosen.
        font.setFamily(family->currentText());
        font.setPointSize(size->value());
        font.setBold(bold->isChecked());
        font.setItalic(italic->isChecked());
        font.setUnderline(underline->isChecked());
        font.setStrikeOut(strikeOut->isChecked());
        return font;
    };
    const auto showSample = [&] {
        sample->setFont(current());
        QPalette palette = sample->palette();
        palette.setColor(QPalette::WindowText, color);
        sample->setPalette(palette);
    };
    QObject::connect(family, &QFontComboBox::currentFontChanged, &dialog, showSample);
    QObject::connect(size, &QSpinBox::valueChanged, &dialog, showSample);
    for (QCheckBox* box : {bold, italic, underline, strikeOut})
        QObject::connect(box, &QCheckBox::toggled, &dialog, showSample);
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        const QColor picked = QColorDialog::getColor(color, &dialog, QStringLiteral("颜色"));
        if (picked.isValid()) {
            color = picked;
            colorButton->setIcon(QIcon(swatch(color)));
            showSample();
        }
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("字体："), family);
    form->addRow(QStringLiteral("大小："), size);
    auto* effects = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{bold, italic, underline, strikeOut, colorButton})
        effects->addWidget(w);
    form->addRow(effects);
    form->addRow(QStringLiteral("示例："), sample);
    form->addRow(buttons);
    showSample();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return fontChoiceOf(current(), color);
}

} // namespace orvane
