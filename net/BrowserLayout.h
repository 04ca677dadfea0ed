// Where the browser windows put themselves and their browser control, the main window's two sizes and the
// weather panel's places.
#pragma once

#include <QRect>
#include <QSize>

namespace orvane {

// WebBrowserWindow after any size change: at 25,25, 100 pixels narrower and lower than the screen.
QRect browserWindowGeometry(QSize screen);
// Its browser control: full client width, from 2 pixels below the toolbar to 6 pixels short of the
// bottom minus the toolbar's height.
QRect browserControlGeometry(QSize client, QRect toolbar);

// The main window's client area without and with the weather panel in view. The window was laid out as
// 530x278 and 530x363 with its title bar; here the window manager adds the frame, so the client area is
// 19 pixels lower: it ends exactly where the panel begins (top 259), and grows by the same 85 pixels.
inline constexpr QSize mainWindowNormalSize{530, 259};
inline constexpr QSize mainWindowWeatherSize{530, 344};

// The weather panel's controls in the main window's client area: browser control 超文本浏览框1, 按钮20
// "刷新天气预报" and 按钮21 "关闭天气预报". Where the panel is a window of its own, the same places less
// the panel's top.
inline constexpr QRect weatherBrowserPlace{4, 259, 412, 77};
inline constexpr QRect weatherRefreshPlace{432, 267, 81, 25};
inline constexpr QRect weatherClosePlace{432, 301, 81, 25};
inline constexpr int weatherPanelTop = mainWindowNormalSize.height();

} // namespace orvane
