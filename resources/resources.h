// The carried files (":/dial.bmp", ":/tray.ico", ":/yy.she", ":/ring.mp3"): call once before the first use.
#pragma once

void orvaneInitResources();
