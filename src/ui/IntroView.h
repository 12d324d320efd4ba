// The picture shown while the program loads its assets.
#pragma once

#include "app/View.h"
#include "render/JpegTexture.h"

namespace glint {

class App;

class IntroView : public View {
public:
    static constexpr const char* kPicturePath = "mui/intro.jpg";

    // Seeds the random generator afresh and makes the picture's texture (as any texture that
    // cannot be read, a missing picture leaves it empty).
    IntroView(MainWindow& window, App& app);

    // Sets up the projection of the logical screen, with the alpha test on.
    void activate() override;
    // The picture over the whole screen, upright, behind everything.
    void draw() override;

    const JpegTexture& picture() const { return picture_; }

private:
    App& app_;
    JpegTexture picture_;
};

}  // namespace glint
