// Qt's own texts (the buttons of standard dialogs, the file dialog) in Chinese, whatever LANG says.
#pragma once

namespace orvane {

// Loads and installs Qt's zh_CN translations once; later calls do nothing. Called when the first
// standard dialog opens, not at start: a cold read of the file costs several milliseconds. False when
// the translations are not installed (the dialogs then speak English; a warning is logged).
bool useChineseQtTexts();

} // namespace orvane
