#include "app/Camera.h"

#include "app/Window.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

Camera* activeCamera = nullptr;

void Camera::reset() {
    position = {0.0f, 0.0f, 0.0f};
    width = 800;
    height = 600;
    aspect = 0.0;
    fieldOfView = 55.0;
    perspective = true;
}

void Camera::reshape(int newWidth, int reportedHeight) {
    if (newWidth < 1 || reportedHeight < 1) {
        return; // minimised: keep everything as it was
    }
    // A window one pixel wide would get no height at all, and X ends the process when asked for
    // a window of height 0.
    const int newHeight = std::max(1, static_cast<int>(newWidth * 0.75));
    resizeWindow(newWidth, newHeight);
    width = newWidth;
    height = newHeight;
    aspect = static_cast<double>(newWidth) / newHeight;
    glViewport(0, 0, newWidth, newHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (!perspective) {
        glOrtho(0, newWidth, 0, newHeight, 0, 100);
    } else {
        gluPerspective(fieldOfView, aspect, 0.1, 1000.0);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(static_cast<float>(newWidth / 2), static_cast<float>(newHeight / 2), position.z);
    if (!perspective) {
        glTranslatef(0.375f, 0.375f, 0.0f); // pixel centres, for crisp edges
    }
    glScalef(static_cast<float>(newWidth / 800.0), static_cast<float>(newHeight / 600.0), 1.0f);
}

Vec3 Camera::screenToWorld(int px, int py) const {
    const float s = static_cast<float>(800.0 / width);
    return {static_cast<float>(px * s - 400.0), static_cast<float>(300.0 - py * s), 0.0f};
}
