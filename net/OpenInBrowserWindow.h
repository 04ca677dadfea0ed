// OpenInBrowserWindow, the action of every shortcut that shows its page in WebBrowserWindow; the
// interface through which the program's windows open the browser windows; and how the program's own
// modal windows are run.
#pragma once

#include "net/BrowserProtocol.h"

#include <QByteArray>

#include <functional>

class QDialog;
class QWidget;

namespace orvane {

// Opens the browser windows (they live in the browser helper). Tests record what is asked instead.
class BrowserWindows {
public:
    virtual ~BrowserWindows() = default;
    // A new WebBrowserWindow or WeatherWindow on `address` over `opener`, which takes no input until the
    // new window closes, as under a modal window; the call returns at once.
    virtual void open(browserProtocol::PageKind kind, const QByteArray& address, QWidget* opener) = 0;
};

// Runs a freshly made window of the program that deletes itself on close (the news and finance lists).
// The program waits in exec() (the click handler returns when the window is closed); tests show the
// window and return at once.
using ModalRunner = std::function<void(QDialog* window)>;
ModalRunner execModal();

// Opens a new WebBrowserWindow on `address` over `opener`.
void OpenInBrowserWindow(const QByteArray& address, QWidget* opener, BrowserWindows& windows);

} // namespace orvane
