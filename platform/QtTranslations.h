// Qt's own texts (the buttons of standard dialogs, the file dialog) and its dates and sizes in Chinese,
// whatever LANG says.
#pragma once

namespace orvane {

// Loads and installs Qt's zh_CN translations once, with the few texts they lack, and makes zh_CN the
// locale Qt's controls take for the system's; later calls do nothing. Called when the first
// standard dialog opens, not at start: a cold read of the file costs several milliseconds. False when
// the translations are not installed (the dialogs then speak English; a warning is logged).
bool useChineseQtTexts();

} // namespace orvane
