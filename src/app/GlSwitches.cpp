#include "app/GlSwitches.h"

#include <GL/gl.h>

void setCulling(bool on) {
    if (on) {
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }
}

void setDepthTest(bool depth, bool alphaTest) {
    if (depth) {
        glEnable(GL_DEPTH_TEST);
        glClearDepth(1.0);
        glDepthFunc(GL_LEQUAL);
        if (alphaTest) {
            glEnable(GL_ALPHA_TEST);
            glAlphaFunc(GL_GREATER, 0.001f);
        }
    } else {
        glDisable(GL_DEPTH_TEST);
    }
}
