#include "play/Gear.h"

#include "play/PlayField.h"

Gear::Gear(float radius, const char* picture, float speed) {
    this->speed = speed;
    this->radius = static_cast<int>(radius);
    setTexture(picture);
    scale = {0.0f, 0.0f, 0.0f}; // invisible until it grows in the chute
    position = {field::chuteTopX, field::chuteTopY, 0.0f};
    radiusSquared = static_cast<int>(radius * radius);
    caughtJoint = nullptr;
}

Gear::~Gear() {
    // Both sprites hand their entries back on their own; the icon's destructor runs after ours.
}

void Gear::setPayload(int kind, int charges) {
    turned = 0.0f;
    payload = kind;
    this->charges = charges;
    icon.color[3] = 0.75f;
    if (kind == Bulb) {
        const float size = bulbIconSize(charges);
        icon.scale = {size, size, size};
        icon.setTexture("./img/lightbulb.png");
    } else {
        icon.scale = {80.0f, 80.0f, 80.0f};
        icon.setTexture("./img/addlink.png");
    }
}
