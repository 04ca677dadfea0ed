// Where the browser windows put themselves and their browser control, and the main window's two sizes.
#pragma once

#include <QRect>
#include <QSize>

namespace orvane {

// WebBrowserWindow after any size change: at 25,25, 100 pixels narrower and lower than the screen.
QRect browserWindowGeometry(QSize screen);
// Its browser control: full client width, from 2 pixels below the toolbar to 6 pixels short of the
// bottom minus the toolbar's height.
QRect browserControlGeometry(QSize client, QRect toolbar);

// The main window without and with the weather panel in view.
inline constexpr QSize mainWindowNormalSize{530, 278};
inline constexpr QSize mainWindowWeatherSize{530, 363};

} // namespace orvane
