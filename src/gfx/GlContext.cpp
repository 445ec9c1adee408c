#include "gfx/GlContext.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <GL/glx.h>
#endif

bool hasCurrentGlContext() {
#ifdef _WIN32
    return wglGetCurrentContext() != nullptr;
#else
    return glXGetCurrentContext() != nullptr;
#endif
}
