// Line breaks between the stored entry and the editor's text box, so that an entry comes back exactly.
#pragma once

#include <QString>

namespace orvane {

// The text box knows one line break: CR LF and a lone CR are shown as LF.
QString diaryBoxText(const QString& stored);
// What the box's text stores, given the entry it was loaded from: the loaded entry itself while the box
// still shows it unchanged (any mixture of breaks survives); else the box's text, its breaks written as
// CR LF when the loaded entry used CR LF, so an entry keeps one kind of line break.
QString diaryStoredText(const QString& boxText, const QString& loaded);

} // namespace orvane
