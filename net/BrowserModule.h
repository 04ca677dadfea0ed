// Finding and loading the browser module orvane-browser at the first page shown.
#pragma once

#include <QString>
#include <QStringList>

namespace orvane {

class BrowserFactory;

namespace browserModule {

// The module's factory, loaded at the first call; nullptr when it cannot be found or loaded (see
// lastError). A loaded module stays loaded for the life of the process.
BrowserFactory* factory();
QString lastError();
// Whether the module is in the process (the engine's libraries with it).
bool isLoaded();

// The folders searched, in order: the installed library folder (<prefix>/<libdir>/orvane-clock next to
// <prefix>/bin) and, for a program inside a build folder, the folder of that build that holds the module.
QStringList defaultFolders();
// Tests search elsewhere (an empty list restores the default); the next factory() searches again.
void setSearchFolders(const QStringList& folders);

} // namespace browserModule

} // namespace orvane
