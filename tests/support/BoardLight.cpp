#include "BoardLight.h"

#include "play/BoardSquare.h"
#include "play/LiveMode.h"

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
