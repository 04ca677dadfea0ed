// The reminder window the ringer's turn asks for, and the desktop notification that follows the same turn.
#include "AlarmFixture.h"
#include "FakeClock.h"
#include "RecordingNotifier.h"
#include "RecordingSoundPlayer.h"
#include "TestRegistry.h"
#include "alarm/AlarmNotifications.h"
#include "alarm/AlarmRinger.h"
#include "alarm/ReminderPresenter.h"
#include "alarm/ReminderWindow.h"
#include "alarm/SnoozeStore.h"
#include "platform/Notifier.h"
#include "resources/resources.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

class ReminderPresenterTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvaneInitResources(); }

    // The reminder shows the alarm it was given; each way of closing it ends its turn.
    void reminderWindow_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("停止播放 stops and stays open") << "stop";
        QTest::newRow("关闭 stops and closes") << "close";
        QTest::newRow("close box stops and closes") << "closeEvent";
    }
    void reminderWindow() {
        QFETCH(QString, how);
        AlarmFixture f;
        RecordingSoundPlayer& sound = f.sound;
        AlarmRinger ringer(sound, f.paths, f.clock, f.settings, {});
        ReminderPresenter presenter(ringer);
        FiredAlarm alarm = fired(u"每天|2010年5月3日08时30分;假|默认;真|开会"_s, u"2010-05-04 08:30:00"_s);
        alarm.lateMinutes = 3;
        ringer.enqueue(alarm);
        ringer.enqueue(fired(u"每天|2010年5月3日08时30分;假|默认;真|吃饭"_s));
        QPointer<ReminderWindow> reminder = presenter.window();
        QVERIFY(reminder && reminder->isVisible());
        QCOMPARE(reminder->geometry(), QRect(50, 50, 302, 146));
        // A dialog the user cannot resize: tiling desktops float it at its size.
        QCOMPARE(reminder->windowType(), Qt::Dialog);
        QCOMPARE(reminder->minimumSize(), reminder->maximumSize());
        QCOMPARE(reminder->findChild<QPushButton*>(u"按钮3"_s)->geometry(), QRect(64, 88, 64, 24));
        QStringList labels;
        for (const char* name : {"标签1", "标签2", "标签3"})
            labels << reminder->findChild<QLabel*>(QString::fromUtf8(name))->text();
        QCOMPARE(labels, (QStringList{u"2010年5月4日08时30分（迟到 3 分钟）"_s, u"开会"_s, u"默认"_s}));

        if (how == u"stop") {
            reminder->findChild<QPushButton*>(u"按钮2"_s)->click();
            QVERIFY(reminder->isVisible());
            QCOMPARE(sound.calls(), QStringList{u"stop"_s});
            QCOMPARE(presenter.window(), reminder.data());
            return;
        }
        if (how == u"close")
            reminder->findChild<QPushButton*>(u"按钮1"_s)->click();
        else
            reminder->close();
        QCOMPARE(sound.calls(), QStringList{u"stop"_s});
        QTRY_VERIFY(reminder.isNull()); // deleted on close
        // The second alarm of that minute gets its own reminder.
        QVERIFY(presenter.window());
        QCOMPARE(presenter.window()->findChild<QLabel*>(u"标签2"_s)->text(), u"吃饭"_s);
    }

    // The desktop notification follows the alarm's turn, and its buttons act on that alarm only.
    void notification_data() {
        QTest::addColumn<QString>("action"); // stop, snooze, stale (a button of an older notification)
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<bool>("reminderOpen");
        QTest::addColumn<int>("snoozed");
        QTest::newRow("停止播放 silences, the reminder stays")
            << u"stop"_s << QStringList{u"stop"_s} << true << 0;
        QTest::newRow("稍后提醒 puts it off and takes the reminder away")
            << u"snooze"_s << QStringList{u"stop"_s} << false << 1;
        QTest::newRow("a button of an ended alarm's notification does nothing")
            << u"stale"_s << QStringList() << true << 0;
    }
    void notification() {
        QFETCH(QString, action);
        QFETCH(QStringList, calls);
        QFETCH(bool, reminderOpen);
        QFETCH(int, snoozed);
        AlarmFixture f;
        QVERIFY(f.ready);
        RecordingSoundPlayer& sound = f.sound;
        f.clock.set(at(u"2010-05-03 08:30:00"_s));
        SnoozeStore snoozes(f.db);
        AlarmRinger ringer(sound, f.paths, f.clock, f.settings, {}, &snoozes);
        RecordingNotifier notifier;
        AlarmNotifications notifications(ringer, notifier);
        ReminderPresenter presenter(ringer);
        ringer.enqueue(fired(u"每天|2010年5月3日08时30分;假|默认;真|开会"_s));
        QCOMPARE(notifier.shown, QStringList{u"1 2010年5月3日08时30分/开会/stop=停止播放,snooze=稍后提醒"_s});
        QVERIFY(presenter.window());
        emit notifier.actionInvoked(action == u"stale" ? 7 : 1, action == u"stale" ? u"stop"_s : action);
        QCOMPARE(sound.calls(), calls);
        QCOMPARE(presenter.window() != nullptr, reminderOpen);
        QCOMPARE(snoozes.next().has_value(), snoozed == 1);
        QCOMPARE(notifier.closed, reminderOpen ? QList<quint64>() : QList<quint64>{1});
    }
};

ORVANE_TEST(ReminderPresenterTest)
#include "test_ReminderPresenter.moc"
