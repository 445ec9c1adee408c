#pragma once

#include "physics/Chain.h"
#include "play/Gear.h"
#include "play/PlayField.h"

#include <cstddef>
#include <initializer_list>
#include <memory>

// Small scenes for the chain tests. A chain of one link ties its only joint to itself, so the
// relaxation leaves it alone and every move comes from the clamp or the pieces.
namespace chaintest {

inline constexpr const char* linkPicture = "./img/link.png";

inline std::unique_ptr<Chain> playChain() {
    return std::make_unique<Chain>(35, 25.0f, linkPicture, Vec3{-295.0f, -230.0f, 0.0f},
                                   field::jointEdges);
}

// A chain whose joints sit at the given points, with links of the given rest length.
inline std::unique_ptr<Chain> chainAt(std::initializer_list<Vec3> points,
                                      float linkLength = 25.0f) {
    auto chain = std::make_unique<Chain>(static_cast<int>(points.size()), linkLength, linkPicture,
                                         Vec3{}, field::jointEdges);
    std::size_t i = 0;
    for (const Vec3& p : points) {
        chain->joints[i++]->position = p;
    }
    return chain;
}

inline std::unique_ptr<Gear> pieceAt(Vec3 centre, float radius, float speed = 0.0f) {
    auto piece =
        std::make_unique<Gear>(radius, speed > 0.0f ? "./img/motor.png" : "./img/gear.png", speed);
    piece->position = centre;
    return piece;
}

inline Vec3 at(const Chain& chain, std::size_t joint) {
    return chain.joints[joint]->position;
}

} // namespace chaintest
