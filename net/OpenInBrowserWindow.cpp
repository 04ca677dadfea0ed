// The shortcut action: the start page replaced, then a new modal WebBrowserWindow.
#include "net/OpenInBrowserWindow.h"

#include "net/WebBrowserWindow.h"
#include "net/WebShortcuts.h"

namespace orvane {

ModalRunner execModal() {
    return [](QDialog* window) { window->exec(); };
}

void OpenInBrowserWindow(const QByteArray& address, QWidget* parent, const ModalRunner& run) {
    startPageAddress() = address;
    run(new WebBrowserWindow(parent));
}

} // namespace orvane
