#include "Resources.h"

#include <QtGlobal>

static void registerResources() {
    Q_INIT_RESOURCE(resources);
}

namespace ui {

void loadResources() {
    static const bool loaded = (registerResources(), true);
    Q_UNUSED(loaded);
}

} // namespace ui
