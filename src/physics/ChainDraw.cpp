#include "physics/Chain.h"

#include "physics/Angle.h"

#include <cmath>

void Chain::draw() {
    // Links first, in relaxation order, so every joint dot sits on top of the pictures.
    for (std::size_t i = 0; i < links.size(); ++i) {
        updateLinkSprite(i);
        links[i]->sprite.draw();
    }
    for (ChainJoint* joint : joints) {
        joint->draw();
    }
}

void Chain::updateLinkSprite(std::size_t index) {
    if (index >= links.size()) {
        return;
    }
    ChainLink& link = *links[index];
    const Vec3 F = link.from->position;
    const Vec3 T = link.to->position;
    Sprite& sprite = link.sprite;

    sprite.position = (F + T) * 0.5f;
    sprite.position.z = 0.0f;

    // The angle from the cosine against -x, mirrored for links that point downwards.
    const Vec3 v = F - T;
    const Vec3 left{-1.0f, 0.0f, 0.0f};
    const float lengths = std::sqrt(dot(v, v)) * std::sqrt(dot(left, left));
    if (lengths > 0.0f) {
        const float theta = degreesFromCosine(dot(v, left) / lengths);
        sprite.angle = T.y < F.y ? 360.0f - theta : theta;
    } else {
        sprite.angle = 0.0f; // coinciding joints: no direction, and the picture has no width
    }

    // Stretch along the link only; the width across it stays as made.
    const Vec3 w = T - F;
    sprite.scale.x = static_cast<float>(std::sqrt(dot(w, w)) * ChainLink::pictureScale);
}
