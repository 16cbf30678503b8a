#include "Resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initSkinResources()
{
    Q_INIT_RESOURCE(skin);
}

namespace velmora {

void initResources()
{
    initSkinResources();
}

}  // namespace velmora
