// OpenInBrowserWindow, the action of every shortcut that shows its page in WebBrowserWindow, and how the
// modal windows are run.
#pragma once

#include <QByteArray>

#include <functional>

class QDialog;
class QWidget;

namespace orvane {

// Runs a freshly made window that deletes itself on close. The program waits in exec() (the click
// handler returns when the window is closed); tests show the window and return at once.
using ModalRunner = std::function<void(QDialog* window)>;
ModalRunner execModal();

// Opens a new WebBrowserWindow on `address` over `parent`.
void OpenInBrowserWindow(const QByteArray& address, QWidget* parent, const ModalRunner& run);

} // namespace orvane
