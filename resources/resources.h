// The carried files (":/dial.bmp", ":/tray.ico", ":/yy.she"): call once before the first use.
#pragma once

void orvaneInitResources();
