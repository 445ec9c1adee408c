#include "support/BareQuads.h"

#include "gfx/Camera.h"
#include "app/Startup.h"
#include "gfx/Sprite.h"
#include "physics/Chain.h"
#include "play/BoardSquare.h"
#include "play/Gear.h"
#include "play/LiveMode.h"

#include <GL/freeglut.h>

namespace {

void capture(const Sprite& sprite, std::vector<BareQuad>& quads) {
    if (sprite.hidden) {
        return;
    }
    BareQuad quad{};
    quad.texture = sprite.textureId();
    for (int i = 0; i < 4; ++i) {
        quad.color[i] = sprite.color[i];
    }
    glPushMatrix();
    glTranslatef(sprite.position.x, sprite.position.y, sprite.position.z);
    glRotatef(sprite.angle, 0.0f, 0.0f, 1.0f);
    glTranslatef(sprite.offset.x, sprite.offset.y, sprite.offset.z);
    glScalef(sprite.scale.x, sprite.scale.y, sprite.scale.z);
    glGetFloatv(GL_MODELVIEW_MATRIX, quad.matrix);
    glPopMatrix();
    quads.push_back(quad);
}

} // namespace

std::vector<BareQuad> captureQuads(LiveMode& mode, std::vector<std::size_t>* layerEnds) {
    std::vector<BareQuad> quads;
    std::vector<std::size_t> ends;
    capture(mode.background, quads);
    ends.push_back(quads.size());
    for (const BoardSquare* square : mode.squares) {
        capture(*square, quads);
    }
    ends.push_back(quads.size());
    for (const Gear* piece : mode.gears) {
        capture(*piece, quads);
        if (piece->charges > 0) {
            capture(piece->icon, quads);
        }
    }
    ends.push_back(quads.size());
    if (mode.chain != nullptr) {
        for (std::size_t i = 0; i < mode.chain->links.size(); ++i) {
            mode.chain->updateLinkSprite(i);
            capture(mode.chain->links[i]->sprite, quads);
        }
        ends.push_back(quads.size());
        for (const ChainJoint* joint : mode.chain->joints) {
            capture(*joint, quads);
        }
    } else {
        ends.push_back(quads.size());
    }
    ends.push_back(quads.size());
    capture(mode.powerMarker, quads);
    ends.push_back(quads.size());
    if (layerEnds != nullptr) {
        *layerEnds = ends;
    }
    return quads;
}

void drawBareQuads(const std::vector<BareQuad>& quads) {
    drawBareQuads(quads, 0, quads.size());
}

void drawBareQuads(const std::vector<BareQuad>& quads, std::size_t begin, std::size_t end) {
    // Every sprite of the play field blends the same way.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPushMatrix();
    int bound = boundTexture;
    for (std::size_t i = begin; i < end && i < quads.size(); ++i) {
        const BareQuad& quad = quads[i];
        if (quad.texture != bound) {
            if (quad.texture == -1) {
                glDisable(GL_TEXTURE_2D);
            } else {
                if (bound == -1) {
                    glEnable(GL_TEXTURE_2D);
                }
                glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(quad.texture));
            }
            bound = quad.texture;
        }
        glColor4fv(quad.color);
        glLoadMatrixf(quad.matrix);
        glCallList(quadList);
    }
    glPopMatrix();
    boundTexture = bound;
}

void openGameWindow(int* argc, char** argv) {
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Gridlume bench");
    camera.position.z = -50.0f;
    camera.perspective = false;
    activeCamera = &camera;
    camera.reshape(800, 600);
    setFixedGlState();
    // The first sprite made with a context builds the shared quad, as the start screen's does.
    Sprite first;
    (void)first;
}
