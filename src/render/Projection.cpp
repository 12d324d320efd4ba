// The screen projection every view draws in, and the camera transform of the playfield.
#include "render/Projection.h"

#include <GL/gl.h>

#include "render/Camera.h"

namespace glint {

void setupProjection(int windowWidth, int windowHeight) {
    setupProjection(0, 0, windowWidth, windowHeight);
}

void setupProjection(int x, int y, int width, int height) {
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glViewport(x, y, width, height);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 800.0, 600.0, 0.0, -50.0, 50.0);
    glMatrixMode(GL_MODELVIEW);
}

void applyCamera(const Camera& camera) {
    glTranslatef(camera.translation[0], camera.translation[1], camera.translation[2]);
    glScalef(camera.scale, camera.scale, camera.scale);
    glRotatef(camera.angle, 0.0f, 0.0f, 1.0f);
}

}  // namespace glint
