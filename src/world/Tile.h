// What a cell of the level holds: bricks, solid blocks, trap bricks, ladders, hidden ladders,
// gold and ropes, each with the picture of the current skin.
#pragma once

#include <memory>

#include "render/Sprite.h"

namespace glint {

class Random;

class App;
class LevelGrid;

// The codes figures test; a revealed hidden ladder changes its kind to Ladder.
enum class TileKind : int {
    Brick = 1,
    Solid = 2,
    TrapBrick = 3,
    Ladder = 4,
    HiddenLadder = 5,
    Gold = 6,
    Rope = 7,
};

class Tile {
public:
    explicit Tile(TileKind kind) : kind(kind) {}
    virtual ~Tile() = default;
    Tile(const Tile&) = delete;
    Tile& operator=(const Tile&) = delete;

    virtual void draw() const { sprite.draw(true); }
    virtual bool isPassable() const { return false; }
    virtual void trigger() {}
    virtual void tick() {}

    void setPosition(const Vec3& position) { sprite.position = position; }

    TileKind kind;
    Sprite sprite;
};

class SolidTile : public Tile {
public:
    SolidTile() : Tile(TileKind::Solid) {}
};

// Drawn exactly as a brick, but figures fall through it.
class TrapBrickTile : public Tile {
public:
    TrapBrickTile() : Tile(TileKind::TrapBrick) {}
    bool isPassable() const override { return true; }
};

class LadderTile : public Tile {
public:
    LadderTile() : Tile(TileKind::Ladder) {}
    bool isPassable() const override { return true; }
};

// Invisible until the last gold piece is taken; then a ladder like any other.
class HiddenLadderTile : public Tile {
public:
    HiddenLadderTile() : Tile(TileKind::HiddenLadder) {}
    bool isPassable() const override { return true; }
    void trigger() override {
        sprite.setVisible(true);
        kind = TileKind::Ladder;
    }
};

class GoldTile : public Tile {
public:
    GoldTile() : Tile(TileKind::Gold) {}
    bool isPassable() const override { return true; }
};

class RopeTile : public Tile {
public:
    RopeTile() : Tile(TileKind::Rope) {}
    bool isPassable() const override { return true; }
};

// A new tile of the given kind with its sprite for the current skin, sized to a cell and
// centred on `centre`. A gold piece draws its animation group from random.
std::unique_ptr<Tile> makeTile(TileKind kind, App& app, const Vec3& centre, Random& random);

// The kind of a level-file character, or 0 for characters that make no tile.
int tileKindOfCharacter(char c);

}  // namespace glint
