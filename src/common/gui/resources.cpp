#include "common/gui/resources.h"

#include <QtGlobal>

// At file scope, as the macro's declaration needs.
static void registerBlachorysResources() {
    Q_INIT_RESOURCE(blachorys);
}

namespace blachorys::gui {

void initialiseResources() {
    static const bool registered = [] {
        registerBlachorysResources();
        return true;
    }();
    (void)registered;
}

} // namespace blachorys::gui
