// The size-changed arithmetic of WebBrowserWindow.
#include "net/BrowserLayout.h"

namespace orvane {

QRect browserWindowGeometry(QSize screen) {
    return {25, 25, screen.width() - 100, screen.height() - 100};
}

QRect browserControlGeometry(QSize client, QRect toolbar) {
    return {0, toolbar.top() + toolbar.height() + 2, client.width(), client.height() - toolbar.height() - 6};
}

} // namespace orvane
