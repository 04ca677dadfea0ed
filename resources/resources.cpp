// Registers the carried files with the Qt resource system when the library is linked statically.
#include "resources/resources.h"

#include <QtGlobal>

void orvaneInitResources() {
    Q_INIT_RESOURCE(orvane_resources);
    Q_INIT_RESOURCE(orvane_raw_resources);
}
