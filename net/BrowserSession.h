// The helper's side of its conversation with the program: opens, steers and closes the pages the program
// asks for and tells it when each is shown, loaded and closed.
#pragma once

#include <QByteArrayList>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace orvane {

class BrowserView;

class BrowserSession : public QObject {
    Q_OBJECT
public:
    using Send = std::function<void(const QByteArray& line)>;
    explicit BrowserSession(Send send, QObject* parent = nullptr);

    // One command of the protocol, already split into its fields; a malformed one is logged and dropped.
    void handle(const QByteArrayList& command);
    QWidget* page(int number) const { return pages_.value(number); }
    // Deletes every page at once, telling the program nothing: the helper is ending.
    void closeAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makePage(const QByteArrayList& command, BrowserView*& view);
    void add(int number, QWidget* window, BrowserView* view);
    void emitEvent(const QByteArrayList& fields);

    Send send_;
    QHash<int, QPointer<QWidget>> pages_;
    QHash<int, BrowserView*> views_;
};

} // namespace orvane
