// The shortcut action: a new modal WebBrowserWindow on the shortcut's page.
#include "net/OpenInBrowserWindow.h"

#include "net/WebBrowserWindow.h"
#include "net/WebShortcuts.h"

namespace orvane {

ModalRunner execModal() {
    return [](QDialog* window) { window->exec(); };
}

void OpenInBrowserWindow(const QByteArray& address, QWidget* parent, const ModalRunner& run) {
    run(new WebBrowserWindow(address, parent));
}

} // namespace orvane
