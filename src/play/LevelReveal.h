// The level-start overlay: black blocks over the playfield, uncovered row by row.
#pragma once

#include <array>

namespace glint {

class LevelReveal {
public:
    static constexpr int kColumns = 32;
    static constexpr int kRows = 22;
    static constexpr int kBlocksPerStep = 5;

    // Uncovers the next five blocks in reading order; done once the last one is uncovered
    // (after 141 steps).
    void step();
    // Black squares of 25 units over every block still covered.
    void draw() const;

    bool covered(int column, int row) const { return cells_[index(column, row)]; }
    bool done() const { return done_; }

private:
    static int index(int column, int row) { return row + kRows * column; }

    std::array<bool, kColumns* kRows> cells_ = filled();
    bool done_ = false;

    static std::array<bool, kColumns * kRows> filled() {
        std::array<bool, kColumns * kRows> cells{};
        cells.fill(true);
        return cells;
    }
};

}  // namespace glint
