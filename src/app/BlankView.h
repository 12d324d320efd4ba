// The screen shown while the program has no menu to offer: an empty black window that can be
// dragged, and that closes the program on Escape.
#pragma once

#include "app/View.h"

namespace glint {

class BlankView : public View {
public:
    explicit BlankView(MainWindow& window);

    void draw() override;
    void onKeyDown(int key) override;
    void onCloseRequest() override;
};

}  // namespace glint
