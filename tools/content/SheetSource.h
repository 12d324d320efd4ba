// Sprite sheets of a skin read from their text sources: grids, crumbling, flames and glows.
#pragma once

#include <string>

#include "Sheet.h"

namespace glint::content {

// Reads one sheet source. Its lines, after a "sheet NAME cell N frames F groups G" line and a
// palette:
//   frame G F            then a grid: one frame
//   base G               then a grid: every frame of group G starts as this picture
//   crumble G crack #c   then a grid: frames 1.. of group G are frame 0 crumbling away; each
//                        character (1-9, a-z) is the frame from which that pixel is gone, and
//                        the frame before it shows the pixel cracked; "#" never goes
//   flame G x X y Y width W height H inner #c middle #c outer #c [sway S seed N]
//                        a flickering flame over every frame of group G, base at (X, Y)
//   glow G x X y Y radius R color #c [pulse P]
//                        a soft halo behind what is drawn so far, breathing by P (0..1)
//   sparkle G x X y Y color #c [phase P]
//                        a small star that twinkles once per loop of the group
// Every frame of every group must end up defined.
Sheet readSheetSource(const std::string& path);

}  // namespace glint::content
