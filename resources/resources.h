// The carried files (":/dial.bmp" and its raw pixels ":/dial.rgb32", ":/tray-<size>.png", ":/yy.she",
// ":/ring.mp3", ":/voice/*.wav"): call once before their first use.
#pragma once

void orvaneInitResources();
