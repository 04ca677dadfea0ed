// Flags stored as text: "真" is true; "假", any other text and an absent value are false.
#pragma once

#include <QString>

namespace orvane {

QString flagText(bool value);
bool readFlag(const QString& text); // exactly "真"

} // namespace orvane
