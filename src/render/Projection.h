// The screen projection every view draws in, and the camera transform of the playfield.
#pragma once

namespace glint {

struct Camera;

// An orthographic 800 x 600 logical screen (y downward, depth -50 to 50) stretched over a window
// of the given pixel size; depth test and texturing on, white clear colour. Leaves the modelview
// matrix selected.
void setupProjection(int windowWidth, int windowHeight);
// The same over the part of the window from (x, y) (pixels from its bottom left) of the given
// size.
void setupProjection(int x, int y, int width, int height);

// Translates by the camera's translation, scales by its scale and rotates by its angle about
// the screen's normal.
void applyCamera(const Camera& camera);

}  // namespace glint
