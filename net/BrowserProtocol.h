// The lines the program and its browser helper orvane-browser exchange over the helper's standard input
// (commands) and output (events).
#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <optional>

namespace orvane::browserProtocol {

// What a page is shown in: the shared browser window, the weather window, the weather panel drawn inside
// a window of the program (X11 only), or the weather panel as a window of its own.
enum class PageKind { BrowserWindow, WeatherWindow, EmbeddedPanel, PanelWindow };
QByteArray kindName(PageKind kind);
std::optional<PageKind> kindFromName(const QByteArray& name);

// Commands, program to helper:
//   open <page> <kind> <address> <window> [<width> <height>]: window is the opener to stay above (0: none),
//       or for an embedded panel the window to draw in, with the panel's size
//   navigate <page> <address> | place <page> <x> <y> | close <page> | style <style sheet>
// Events, helper to program: shown <page> <width> <height> | loaded <page> <0|1> <url> | closed <page>
// The end of the helper's input ends the helper.

// One line: every field percent-encoded (an address may hold blanks or line ends), blanks between them.
QByteArray encode(const QByteArrayList& fields);
// The fields of one line given without its line end.
QByteArrayList decode(const QByteArray& line);

// Collects bytes as they arrive and hands out whole lines.
class LineReader {
public:
    void append(const QByteArray& bytes) { buffer_ += bytes; }
    // The next whole line without its line end; false while none is complete.
    bool next(QByteArray& line);

private:
    QByteArray buffer_;
};

} // namespace orvane::browserProtocol
