// The carried files (":/dial.bmp", ":/tray-<size>.png", ":/yy.she", ":/ring.mp3", ":/voice/*.wav"): call once
// first. use.
#pragma once

void orvaneInitResources();
