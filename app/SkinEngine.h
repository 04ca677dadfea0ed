// The skin engine: applies a skin file (a Qt style sheet) to every window of the program.
#pragma once

#include <QString>

namespace orvane {

// Reads the skin at skinPath and attaches it to the application; the password is accepted for the
// engine's interface and unused (our skins are not protected). False when the file cannot be read.
bool SkinH_Attach_Ex(const QString& skinPath, const QString& password);

} // namespace orvane
