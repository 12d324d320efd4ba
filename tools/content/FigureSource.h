// The figure's sheet drawn from a readable pose table: a skeleton per frame, heads as pixel art.
#pragma once

#include <string>

#include "Sheet.h"

namespace glint::content {

// Reads the figure source. After "figure cell N frames F groups G" and a palette:
//   head VIEW W H          then a grid: the head seen from the right, front or back
//   body KEY CHAR ...      which palette colour draws each part (see FigureSource.cpp)
//   group G view VIEW      the frames of group G that follow are seen from that side
//   pose KEY X,Y ...       one frame of the current group: the joints of the skeleton
//   mirror G of H          group G is group H seen in a mirror (left from right)
//   reverse G of H         group G plays the frames of group H backwards
Sheet readFigureSource(const std::string& path);

}  // namespace glint::content
