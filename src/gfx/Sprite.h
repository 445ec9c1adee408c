#pragma once

#include "gfx/Vec3.h"

struct TextureEntry;

// A 1 by 1 quad in world units, placed, turned, scaled and tinted; everything on screen is one.
class Sprite {
public:
    Vec3 position{0.0f, 0.0f, 0.0f};
    Vec3 offset{0.0f, 0.0f, 0.0f}; // applied after the rotation, before the scale
    Vec3 scale{1.0f, 1.0f, 1.0f};
    float angle = 0.0f; // degrees about z, counter-clockwise
    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    bool blend = true;
    bool hidden = false;
    float texOffset[2] = {0.0f, 0.0f};
    float texScale[2] = {1.0f, 1.0f};
    bool texTransform = false;
    TextureEntry* texture = nullptr; // owned by the texture cache

    Sprite();
    ~Sprite();
    // Copies share the entry without telling the cache: handing back costs nothing.
    Sprite(const Sprite&) = default;
    Sprite& operator=(const Sprite&) = default;

    // Swaps the picture; returns the texture id, -1 when the file did not load.
    int setTexture(const char* fileName);

    // The texture id this sprite would bind, -1 for none.
    int textureId() const;

    void draw() const;

    static void buildQuadList();
};

// The shared unit quad, and the texture the sprite draw bound last (-1: texturing off).
extern unsigned quadList;
extern int boundTexture;
