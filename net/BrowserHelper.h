// The program's end of the browser helper orvane-browser: the process that holds the web engine, started
// at the first page and ended when its last page closes, so the engine's memory goes back.
#pragma once

#include "net/BrowserProtocol.h"

#include <QObject>
#include <QPoint>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <QUrl>

class QProcess;

namespace orvane {

class BrowserHelper : public QObject {
    Q_OBJECT
public:
    explicit BrowserHelper(QObject* parent = nullptr);
    ~BrowserHelper() override;

    // Shows `address` (GBK address bytes) in a new page of `kind`; starts a helper when none runs. `window`
    // and `size` as the protocol's open command says. The page's number for the calls and signals below.
    int open(browserProtocol::PageKind kind, const QByteArray& address, quint64 window = 0, QSize size = {});
    void navigate(int page, const QByteArray& address);
    void place(int page, QPoint topLeft); // where a panel window goes (where the desktop lets it)
    void close(int page);
    bool isOpen(int page) const { return pages_.contains(page); }
    int openPages() const { return int(pages_.size()); }
    qint64 processId() const; // the helper that serves the pages; 0 when none runs

    // Sent to every new helper first, so its windows wear the program's skin.
    void setStyleSheet(const QString& styleSheet) { styleSheet_ = styleSheet; }
    // The helper's executable: defaultProgram() unless a test says otherwise.
    void setProgram(const QString& program) { program_ = program; }
    QString program() const { return program_; }
    // <prefix>/<libexecdir>/orvane-clock/orvane-browser beside the installed program, or, for a program
    // inside a build folder, the helper that build made; the installed path when neither exists.
    static QString defaultProgram();

signals:
    void shown(int page, QSize size); // the page's window is on screen at this size
    void loaded(int page, bool ok, const QUrl& url);
    void closed(int page); // by the user, by close(), or because its helper ended
    // No helper could be started for a page, or it ended before it showed any: the user is to be told.
    void unavailable(const QString& reason);

private:
    void send(const QByteArrayList& fields);
    void start();
    void readEvents(QProcess* process);
    void handleEvent(const QByteArrayList& event);
    void helperEnded(QProcess* process, const QString& how);
    void letHelperEnd();

    QProcess* process_ = nullptr; // the helper serving pages_
    QSet<int> pages_;
    bool showedPage_ = false; // the helper serving pages_ has shown one
    int lastPage_ = 0;
    QString program_;
    QString styleSheet_;
};

} // namespace orvane
