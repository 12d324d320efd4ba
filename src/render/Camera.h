// The logical screen every view draws on, and the camera transform the game view applies.
#pragma once

namespace glint {

struct Camera {
    // The logical screen: 800 x 600 units whatever the window's size.
    int width = 800;
    int height = 600;
    // Perspective values kept with the camera; the orthographic projection in use needs none.
    float nearPlane = 0.1f;
    float fieldOfView = 90.0f;
    float depthNear = -50.0f;
    float depthFar = 50.0f;
    float distance = 70.0f;
    float aspect = 4.0f / 3.0f;
    // The transform applied to the playfield: translate, scale uniformly, rotate about z.
    float scale = 1.0f;
    float translation[3] = {0.0f, 0.0f, 0.0f};
    float angle = 0.0f;
};

}  // namespace glint
