// The platform layer's OpenGL part in a browser: the context is the canvas's WebGL one, and the
// browser shows a frame at each refresh of the screen whatever the game asks, so there is no
// swap control to find.
#include "platform/Platform.h"

#include <emscripten/html5.h>

namespace platform {

bool hasCurrentGlContext() {
    return emscripten_webgl_get_current_context() != 0;
}

SwapIntervalSetter findSwapControl() {
    return nullptr;
}

} // namespace platform
