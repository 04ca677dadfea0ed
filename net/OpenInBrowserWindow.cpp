// The shortcut action: a new WebBrowserWindow on the shortcut's page, over the window it was clicked in.
#include "net/OpenInBrowserWindow.h"

#include <QDialog>

namespace orvane {

ModalRunner execModal() {
    return [](QDialog* window) { window->exec(); };
}

void OpenInBrowserWindow(const QByteArray& address, QWidget* opener, BrowserWindows& windows) {
    windows.open(browserProtocol::PageKind::BrowserWindow, address, opener);
}

} // namespace orvane
