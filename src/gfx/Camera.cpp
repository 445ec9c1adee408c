#include "gfx/Camera.h"

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
    letterbox = false;
    left = 0;
    top = 0;
}

void fitFourByThree(int width, int screenW, int screenH, int& outWidth, int& outHeight) {
    // A window one pixel wide would get no height at all, and X ends the process when asked for
    // a window of height 0.
    outWidth = width;
    outHeight = std::max(1, static_cast<int>(width * 0.75));
    if (screenW > 0 && screenH > 0 && (outWidth > screenW || outHeight > screenH)) {
        outWidth = std::min(outWidth, std::min(screenW, screenH * 4 / 3));
        outHeight = std::max(1, static_cast<int>(outWidth * 0.75));
    }
}

bool Camera::fit(int windowWidth, int windowHeight) {
    if (windowWidth < 1 || windowHeight < 1) {
        return false; // minimised: keep everything as it was
    }
    int newWidth = windowWidth;
    int newHeight = windowHeight;
    int x = 0;
    int y = 0;
    if (letterbox) {
        // The window is the screen: the picture takes the largest 4:3 part of it, centred.
        newWidth = std::min(windowWidth, windowHeight * 4 / 3);
        newHeight = std::max(1, static_cast<int>(newWidth * 0.75));
        x = (windowWidth - newWidth) / 2;
        y = (windowHeight - newHeight) / 2;
    } else {
        // The height the window system reported is not used any further. The shell has fitted
        // the window to the screen already (fitWindowToScreen).
        fitFourByThree(windowWidth, 0, 0, newWidth, newHeight);
    }
    width = newWidth;
    height = newHeight;
    left = x;
    top = letterbox ? windowHeight - newHeight - y : 0;
    aspect = static_cast<double>(newWidth) / newHeight;
    return true;
}

void Camera::reshape(int windowWidth, int windowHeight) {
    if (!fit(windowWidth, windowHeight)) {
        return;
    }
    const int newWidth = width;
    const int newHeight = height;
    const int x = left;
    const int y = letterbox ? windowHeight - newHeight - top : 0;
    glViewport(x, y, newWidth, newHeight);
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
    return {static_cast<float>((px - left) * s - 400.0), static_cast<float>(300.0 - (py - top) * s),
            0.0f};
}
