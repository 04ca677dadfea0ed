// A notifier that shows nothing and notes each notification as "handle summary/body/key=label,…" and each
// close.
#pragma once

#include "platform/Notifier.h"

#include <QStringList>

namespace orvane::test {

struct RecordingNotifier final : Notifier {
    QStringList shown;
    QList<quint64> closed;
    quint64 notify(const QString& summary, const QString& body, const QList<Action>& actions) override {
        QStringList buttons;
        for (const Action& a : actions)
            buttons << a.key + u'=' + a.label;
        shown << QString::number(shown.size() + 1) + u' ' + summary + u'/' + body + u'/' + buttons.join(u',');
        return quint64(shown.size());
    }
    void close(quint64 handle) override {
        if (handle != 0)
            closed << handle;
    }
};

} // namespace orvane::test
