#include "PlayInput.h"

#include "app/Camera.h"
#include "play/BoardSquare.h"
#include "play/LiveMode.h"

#include <cmath>

namespace {

double pixelsPerUnit() {
    return activeCamera->width / 800.0;
}

} // namespace

int pixelX(float worldX) {
    return static_cast<int>(std::lround((worldX + 400.0) * pixelsPerUnit()));
}

int pixelY(float worldY) {
    return static_cast<int>(std::lround((300.0 - worldY) * pixelsPerUnit()));
}

float darknessAround(const LiveMode& game, Vec3 point, float reach) {
    float darkness = 0.0f;
    for (const BoardSquare* square : game.squares) {
        const Vec3 e = point - square->position;
        if (dot(e, e) < reach * reach) {
            darkness += 100.0f - square->light;
        }
    }
    return darkness;
}
