#include "PointerInput.h"

#include "gfx/Camera.h"

#include <cmath>

namespace input {

namespace {

double pixelsPerUnit() {
    return activeCamera != nullptr ? activeCamera->width / 800.0 : 1.0;
}

} // namespace

int windowX(float worldX) {
    return static_cast<int>(std::lround((worldX + 400.0) * pixelsPerUnit()));
}

int windowY(float worldY) {
    return static_cast<int>(std::lround((300.0 - worldY) * pixelsPerUnit()));
}

} // namespace input
