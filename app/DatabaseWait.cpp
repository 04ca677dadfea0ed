// The wait for a database held by another program.
#include "app/DatabaseWait.h"

#include "app/AppDatabase.h"
#include "common/Log.h"
#include "platform/Clock.h"

#include <QLabel>
#include <QTimer>

namespace orvane {

namespace {
constexpr int kTryEveryMs = 1000;
// Each try waits this long for the lock, so that the window stays responsive meanwhile.
constexpr int kTryWaitMs = 100;
constexpr qint64 kTellAfterMs = 60 * 1000;
} // namespace

DatabaseWait::DatabaseWait(Database& db, QString path, const Clock& clock, QWidget* over,
                           std::function<void(const QString&)> tellUser, QObject* parent)
    : QObject(parent), db_(db), path_(std::move(path)), clock_(clock),
      note_(new QLabel(noteText(), over->parentWidget())), timer_(new QTimer(this)),
      tellUser_(std::move(tellUser)), startedMs_(clock.now().toMSecsSinceEpoch()) {
    note_->setObjectName(QStringLiteral("标签_数据库等待"));
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignCenter);
    note_->setStyleSheet(QStringLiteral("background: #fff4d6; border: 1px solid #d9a400; padding: 6px;"));
    note_->setGeometry(over->geometry().adjusted(20, 50, -20, -60));
    note_->show();
    qCWarning(lcStore).noquote() << path_ << "is held by another program; waiting for it";
    connect(timer_, &QTimer::timeout, this, &DatabaseWait::tryOpen);
    timer_->start(kTryEveryMs);
}

bool DatabaseWait::tryOpen() {
    switch (openAlarmDatabase(db_, path_, kTryWaitMs)) {
    case DatabaseOpen::Opened:
        timer_->stop();
        note_->deleteLater();
        qCInfo(lcStore).noquote() << path_ << "is free now";
        emit opened();
        return true;
    case DatabaseOpen::NotOurs:
        timer_->stop();
        emit notOurs();
        return false;
    case DatabaseOpen::Busy:
        break;
    }
    if (!told_ && clock_.now().toMSecsSinceEpoch() - startedMs_ >= kTellAfterMs) {
        told_ = true;
        tellUser_(messageText());
    }
    return false;
}

} // namespace orvane
