// Waiting for a database another program holds at the start: a note on the window, a try every second,
// and after a minute a message; the window keeps waiting, and the alarms ring once the file opens.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLabel;
class QTimer;
class QWidget;

namespace orvane {

class Clock;
class Database;

class DatabaseWait : public QObject {
    Q_OBJECT
public:
    // `over` is the control the note covers (the alarm list); `tellUser` shows the message once.
    DatabaseWait(Database& db, QString path, const Clock& clock, QWidget* over,
                 std::function<void(const QString&)> tellUser, QObject* parent = nullptr);

    // One try now; false while the file is still held.
    bool tryOpen();

    static QString noteText() {
        return QStringLiteral("数据库正被其他程序占用，正在等待……打开后闹钟照常响铃");
    }
    static QString messageText() {
        return QStringLiteral(
            "数据库 dbtime.mdb 被其他程序占用已超过一分钟。请关闭占用它的程序（如备份或数据库工具），"
            "本程序会继续等待，打开后闹钟照常响铃。");
    }

signals:
    void opened();  // the file is open and checked
    void notOurs(); // the lock went, and the file turned out not to be a database of ours

private:
    Database& db_;
    QString path_;
    const Clock& clock_;
    QLabel* note_;
    QTimer* timer_;
    std::function<void(const QString&)> tellUser_;
    qint64 startedMs_;
    bool told_ = false;
};

} // namespace orvane
