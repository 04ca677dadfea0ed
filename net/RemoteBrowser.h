// The program's browser windows, shown by the browser helper: each over the window it was opened from,
// which takes no input meanwhile; a helper that cannot start is reported to the user.
#pragma once

#include "net/BrowserHelper.h"
#include "net/OpenInBrowserWindow.h"

#include <QHash>
#include <QObject>
#include <QPointer>

namespace orvane {

class Dialogs;
class InputBlock;

class RemoteBrowser : public QObject, public BrowserWindows {
    Q_OBJECT
public:
    RemoteBrowser(Dialogs& dialogs, QObject* parent = nullptr);

    void open(browserProtocol::PageKind kind, const QByteArray& address, QWidget* opener) override;
    // The helper itself, for the weather panel and for tests.
    BrowserHelper& helper() { return helper_; }

private:
    BrowserHelper helper_;
    Dialogs& dialogs_;
    QHash<int, QPointer<InputBlock>> blocks_; // by page
};

} // namespace orvane
