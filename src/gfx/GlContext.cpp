#include "gfx/GlContext.h"

#include "platform/Platform.h"

bool hasCurrentGlContext() {
    return platform::hasCurrentGlContext();
}
