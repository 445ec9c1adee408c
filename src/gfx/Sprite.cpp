#include "gfx/Sprite.h"

#include "gfx/GlContext.h"
#include "gfx/TextureCache.h"

#include <GL/gl.h>

unsigned quadList = 0;
int boundTexture = -1;

Sprite::Sprite() {
    // Sprites inside the global screens are built before the window exists; only a sprite
    // made while a context is current may build the shared quad.
    if (quadList == 0 && hasCurrentGlContext()) {
        buildQuadList();
    }
}

Sprite::~Sprite() {
    if (texture != nullptr) {
        TextureCache::releaseTexture(texture);
    }
}

int Sprite::setTexture(const char* fileName) {
    if (texture != nullptr) {
        TextureCache::releaseTexture(texture);
    }
    texture = textureCache.getTexture(fileName);
    return static_cast<int>(texture->id);
}

int Sprite::textureId() const {
    return texture != nullptr ? static_cast<int>(texture->id) : -1;
}

namespace {

void sendQuad() {
    glBegin(GL_QUADS);
#ifndef __EMSCRIPTEN__
    // The browser's GL emulation mixes a normal given once into the vertices' positions, and
    // there is no lighting to use it anyway.
    glNormal3f(0.0f, 0.0f, 1.0f);
#endif
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-0.5f, -0.5f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(0.5f, -0.5f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(0.5f, 0.5f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-0.5f, 0.5f, 0.0f);
    glEnd();
}

} // namespace

void Sprite::buildQuadList() {
#ifndef __EMSCRIPTEN__
    quadList = glGenLists(1);
    glNewList(quadList, GL_COMPILE);
    sendQuad();
    glEndList();
#endif
}

void Sprite::draw() const {
    if (hidden) {
        return;
    }
    const int wanted = textureId();
    if (wanted != boundTexture) {
        if (boundTexture == -1) {
            glEnable(GL_TEXTURE_2D);
        }
        if (wanted == -1) {
            glDisable(GL_TEXTURE_2D);
        } else {
            glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(wanted));
        }
        boundTexture = wanted;
    }
    if (blend) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glPushMatrix();
    glColor4fv(color);
    glTranslatef(position.x, position.y, position.z);
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    glTranslatef(offset.x, offset.y, offset.z);
    glScalef(scale.x, scale.y, scale.z);
    if (texTransform) {
        glMatrixMode(GL_TEXTURE);
        glPushMatrix();
        glLoadIdentity();
        glTranslatef(texOffset[0], texOffset[1], 0.0f);
        glScalef(texScale[0], texScale[1], 0.0f);
    }
#ifdef __EMSCRIPTEN__
    sendQuad(); // the browser's GL emulation has no display lists
#else
    glCallList(quadList);
#endif
    if (texTransform) {
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
    glPopMatrix();
}
