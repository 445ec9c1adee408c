#include "app/GraphicsCheck.h"

#include "platform/ExtensionList.h"

#include <cstdlib>
#include <cstring>

GraphicsShortfall graphicsShortfall(const char* version, const char* extensions) {
    if (version == nullptr || *version == '\0') {
        return GraphicsShortfall::noOpenGL;
    }
    // The pictures come in any size (800 by 600, say), which OpenGL takes from 2.0 on and earlier
    // only with an extension. The major version is the first number: "4.5 (Compatibility
    // Profile) Mesa ...", "1.1.0", "OpenGL ES 2.0 (WebGL 1.0)".
    const char* number = std::strpbrk(version, "0123456789");
    const long major = number != nullptr ? std::strtol(number, nullptr, 10) : 0;
    if (major < 2 && !hasExtension(extensions, "GL_ARB_texture_non_power_of_two")) {
        return GraphicsShortfall::noPictureSizes;
    }
    return GraphicsShortfall::none;
}

std::string graphicsAdvice(GraphicsShortfall shortfall) {
    switch (shortfall) {
    case GraphicsShortfall::noOpenGL:
        return "gridlume: the window got no OpenGL, which the game draws with; install the "
               "graphics card maker's driver\n";
    case GraphicsShortfall::noPictureSizes:
        return "gridlume: this OpenGL is too old to show the game's pictures (it needs 2.0); "
               "install the graphics card maker's driver\n";
    case GraphicsShortfall::none:
        break;
    }
    return "";
}
