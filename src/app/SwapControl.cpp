#include "app/GlSwitches.h"

#include "app/ExtensionList.h"

#ifdef _WIN32
#include <windows.h>
#include <GL/gl.h>
#else
#include <GL/glx.h>
#endif

bool swapControlAvailable = false;

#ifdef _WIN32

namespace {
typedef BOOL(WINAPI* SwapIntervalProc)(int);
SwapIntervalProc swapIntervalProc = nullptr;
} // namespace

void initSwapControl() {
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (hasExtension(extensions, "WGL_EXT_swap_control")) {
        swapControlAvailable = true;
        swapIntervalProc =
            reinterpret_cast<SwapIntervalProc>(wglGetProcAddress("wglSwapIntervalEXT"));
    }
}

void setSwapInterval(bool on) {
    if (swapControlAvailable && swapIntervalProc != nullptr) {
        swapIntervalProc(on ? 1 : 0);
    }
}

#else

namespace {
typedef void (*SwapIntervalExtProc)(Display*, GLXDrawable, int);
typedef int (*SwapIntervalMesaProc)(unsigned);
SwapIntervalExtProc swapIntervalExt = nullptr;
SwapIntervalMesaProc swapIntervalMesa = nullptr;
} // namespace

void initSwapControl() {
    // glXGetProcAddress hands out stubs even for extensions the server lacks, and calling those
    // can kill the process: only trust what the extension string lists.
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr) {
        return;
    }
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (hasExtension(extensions, "GLX_EXT_swap_control")) {
        swapIntervalExt = reinterpret_cast<SwapIntervalExtProc>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
    } else if (hasExtension(extensions, "GLX_MESA_swap_control")) {
        swapIntervalMesa = reinterpret_cast<SwapIntervalMesaProc>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
    }
    swapControlAvailable = swapIntervalExt != nullptr || swapIntervalMesa != nullptr;
}

void setSwapInterval(bool on) {
    if (!swapControlAvailable) {
        return;
    }
    const int interval = on ? 1 : 0;
    if (swapIntervalExt != nullptr) {
        Display* display = glXGetCurrentDisplay();
        const GLXDrawable drawable = glXGetCurrentDrawable();
        if (display != nullptr && drawable != 0) {
            swapIntervalExt(display, drawable, interval);
        }
    } else if (swapIntervalMesa != nullptr) {
        swapIntervalMesa(static_cast<unsigned>(interval));
    }
}

#endif
