// Controls of the "关于" page at their places, and the copy button.
#include "app/AboutPage.h"

#include "common/WebAddresses.h"
#include "platform/Dialogs.h"
#include "platform/WidgetPlace.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orvane {

namespace {
QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& where) {
    auto* l = place(new QLabel(text, parent), name, where);
    l->setWordWrap(true);
    return l;
}
} // namespace

QString AboutPage::recommendationText() {
    return QStringLiteral("Orvane电脑闹钟，推荐给你：") + web::productSite();
}

// The link sits between "立即进入Orvane" and "官方网站" in 96 pixels, where the address would be cut off;
// the address itself is its tooltip.
QString AboutPage::linkText() {
    return QStringLiteral("电脑闹钟");
}

AboutPage::AboutPage(QWidget* page, Dialogs& dialogs) : QObject(page), dialogs_(dialogs) {
    label(page, "标签4",
          QStringLiteral(
              "Orvane电脑闹钟致力于做一款小巧、准时、不打扰的桌面闹钟，让每一个重要时刻都不被错过。"),
          {11, 30, 336, 45});
    label(page, "标签5", QStringLiteral("立即进入Orvane"), {11, 76, 97, 24});
    label(page, "标签3", QStringLiteral("官方网站"), {203, 78, 80, 24});
    label(page, "标签6", QStringLiteral("请将本产品送给您的朋友共同使用"), {11, 102, 272, 24});
    label(page, "标签7", QStringLiteral("推荐语：") + recommendationText(), {11, 132, 344, 42});

    QLabel* link = label(page, "超级链接框1",
                         QStringLiteral("<a href=\"") + web::productSite() + QStringLiteral("\">") +
                             linkText() + QStringLiteral("</a>"),
                         {108, 77, 96, 24});
    link->setWordWrap(false);
    link->setTextFormat(Qt::RichText);
    link->setOpenExternalLinks(true);
    link->setToolTip(web::productSite());

    shareTextEdit_ = new QLineEdit(recommendationText(), page);
    shareTextEdit_->setObjectName(QStringLiteral("编辑框1"));
    // On a row of its own inside the page, wide enough for the whole text (a box of 80 pixels at the
    // page's very edge sat over its border and showed four words).
    shareTextEdit_->setGeometry(11, 178, 344, 24);
    shareTextEdit_->setCursorPosition(0);

    auto* copy = new QPushButton(QStringLiteral("复制"), page);
    copy->setObjectName(QStringLiteral("按钮22"));
    copy->setGeometry(284, 208, 71, 27);
    connect(copy, &QPushButton::clicked, this, &AboutPage::CopyShareText);
}

void AboutPage::CopyShareText() {
    QGuiApplication::clipboard()->setText(shareTextEdit_->text());
    dialogs_.message(QStringLiteral("复制成功"));
}

} // namespace orvane
