// The platform layer's OpenGL part on the systems whose windows are X11's.
#include "platform/Platform.h"

#include "platform/ExtensionList.h"

#include <GL/glx.h>

namespace platform {

bool hasCurrentGlContext() {
    return glXGetCurrentContext() != nullptr;
}

namespace {

typedef void (*SwapIntervalExtProc)(Display*, GLXDrawable, int);
typedef int (*SwapIntervalMesaProc)(unsigned);
SwapIntervalExtProc swapIntervalExt = nullptr;
SwapIntervalMesaProc swapIntervalMesa = nullptr;

void setExtInterval(int interval) {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (display != nullptr && drawable != 0) {
        swapIntervalExt(display, drawable, interval);
    }
}

void setMesaInterval(int interval) {
    swapIntervalMesa(static_cast<unsigned>(interval));
}

} // namespace

SwapIntervalSetter findSwapControl() {
    // glXGetProcAddress hands out stubs even for extensions the server lacks, and calling those
    // can kill the process: only trust what the extension string lists.
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr) {
        return nullptr;
    }
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (hasExtension(extensions, "GLX_EXT_swap_control")) {
        swapIntervalExt = reinterpret_cast<SwapIntervalExtProc>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
        return swapIntervalExt != nullptr ? setExtInterval : nullptr;
    }
    if (hasExtension(extensions, "GLX_MESA_swap_control")) {
        swapIntervalMesa = reinterpret_cast<SwapIntervalMesaProc>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
        return swapIntervalMesa != nullptr ? setMesaInterval : nullptr;
    }
    return nullptr;
}

} // namespace platform
