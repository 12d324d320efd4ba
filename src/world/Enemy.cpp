// The enemies: deciding at each claimed cell where to head next, chasing and catching the
// player, taking and dropping gold, falling into holes, climbing out, and coming back from the
// top when a hole closes over them.
#include "world/Enemy.h"

#include <GL/gl.h>

#include <algorithm>

#include "app/App.h"
#include "world/Random.h"

namespace glint {

namespace {


constexpr float kSpeedFactor = 0.54f;
constexpr float kNear = 5.0f;
constexpr int kTrapPoints = 75;

bool contains(const std::vector<int>& moves, int move) {
    return std::find(moves.begin(), moves.end(), move) != moves.end();
}

// A cell an enemy can walk or climb into.
bool isOpen(const Tile* tile) {
    return tile == nullptr || tile->kind == TileKind::Rope || tile->kind == TileKind::Gold ||
           tile->kind == TileKind::TrapBrick || tile->kind == TileKind::Ladder ||
           tile->kind == TileKind::HiddenLadder;
}

bool fallsInto(const Tile* tile) {
    return tile == nullptr || tile->kind == TileKind::Gold || tile->kind == TileKind::Rope ||
           tile->kind == TileKind::HiddenLadder || tile->kind == TileKind::TrapBrick;
}

bool isDugBrick(const Tile* tile) {
    return isKind(tile, TileKind::Brick) && tile->isPassable();
}

// Five times in six.
bool chance(Random& random) {
    return random.next() % 6 < 5;
}

}  // namespace

Enemy::Enemy(App& app, LevelGrid& grid, Actor& target, const EnemyList& enemies,
             float& depthCounter)
    : Actor(app, grid, enemies), target_(target), depthCounter_(depthCounter) {
    speed = 4.0f * kSpeedFactor;
    tolerance = kNear;
    holeTimeFull = app.settings.m_time_in_hole;
    depthCounter_ -= 0.1f;
    depth = 1.0f - depthCounter_;
    sprite.position = Vec3{0.0f, 0.0f, depth};
}

Enemy::~Enemy() {
    depthCounter_ += 0.1f;
}

void Enemy::placeAt(const Vec3& start) {
    sprite.position = Vec3{start.x, start.y, depth};
}

void Enemy::draw() const {
    glColor3f(kTint[0], kTint[1], kTint[2]);
    sprite.draw(true);
    glColor3f(1.0f, 1.0f, 1.0f);
}

void Enemy::tick(int ms) {
    if (!target_.started) {
        return;  // enemies wait for the player's first move
    }
    targetPosition_ = target_.position();
    const float catchSquared = (sprite.position - targetPosition_).squaredLength();
    if (aiState == kDropping) {
        fallStep();
        sprite.animate(static_cast<std::uint32_t>(ms));
        if ((sprite.position - targetPosition_).squaredLength() < 324.0f) {
            target_.killPlayer();
        }
        return;
    }
    const Cell here = cell();
    if (aiState == kTrapped || aiState == kClimbingOut) {
        if (static_cast<int>(holeTimer) == holeTimeFull) {
            points = kTrapPoints;
        }
        const Tile* tile = grid_.tileAt(here.column, here.row);
        if (aiState == kTrapped && tile != nullptr && !tile->isPassable()) {
            respawn();
            return;
        }
        const auto elapsed = static_cast<std::uint32_t>(ms);
        holeTimer = holeTimer > elapsed ? holeTimer - elapsed : 0;
        if (holeTimer == 0) {
            climbOutStep();
        }
        return;
    }
    goldStep();
    if (catchSquared < 400.0f) {
        target_.killPlayer();
    }
    switch (aiState) {
        case kDeciding: {
            reservedCell = here;
            const Enemy* below = findEnemyAt(here.column, here.row + 1);
            // Standing on an enemy that has claimed the cell below: wait, unless it is trapped.
            if (isCellFreeOfEnemies(here.column, here.row + 1, this) ||
                (below != nullptr && below->aiState == kTrapped)) {
                const Cell player = grid_.worldToCell(targetPosition_);
                if (player.column > here.column) {
                    moveRight();
                } else {
                    moveLeft();
                }
            }
            break;
        }
        case kGoingRight:
            moveRight();
            break;
        case kGoingLeft:
            moveLeft();
            break;
        case kGoingUp:
            moveUp();
            break;
        case kGoingDown:
            moveDown();
            break;
        default:
            break;
    }
}

std::vector<int> Enemy::possibleMoves(int c, int r) const {
    std::vector<int> moves;
    const Tile* tile = grid_.tileAt(c, r);
    if (isKind(tile, TileKind::Brick)) {
        return moves;  // in a hole
    }
    auto free = [&](int column, int row) { return isCellFreeOfEnemies(column, row, this); };
    if (isOpen(grid_.tileAt(c + 1, r)) && free(c + 1, r)) {
        moves.push_back(kGoingRight);
    }
    if (isOpen(grid_.tileAt(c - 1, r)) && free(c - 1, r)) {
        moves.push_back(kGoingLeft);
    }
    const Tile* below = grid_.tileAt(c, r + 1);
    if (isKind(below, TileKind::Ladder) && free(c, r + 1)) {
        moves.push_back(kGoingDown);
    }
    // An open dug brick below is no fall target: enemies never choose to drop into a hole.
    if (fallsInto(below) && free(c, r + 1)) {
        moves.push_back(kDropping);
    }
    const bool onLadder = isKind(tile, TileKind::Ladder);
    if (onLadder && r >= 1 && isOpen(grid_.tileAt(c, r - 1)) && free(c, r - 1)) {
        moves.push_back(kGoingUp);
    }
    if (onLadder) {
        // Sideways steps off a ladder into a drop are dropped while the way up is free.
        const Tile* above = grid_.tileAt(c, r - 1);
        const bool wayUp = r >= 1 && (above == nullptr || above->isPassable());
        const Tile* right = grid_.tileAt(c + 1, r);
        if (wayUp && grid_.tileAt(c + 1, r + 1) == nullptr &&
            (right == nullptr || right->kind == TileKind::Gold)) {
            std::erase(moves, static_cast<int>(kGoingRight));
        }
        if (wayUp && grid_.tileAt(c - 1, r + 1) == nullptr && grid_.tileAt(c - 1, r) == nullptr) {
            std::erase(moves, static_cast<int>(kGoingLeft));
        }
    }
    return moves;
}

int Enemy::chooseMove(Heading heading, const std::vector<int>& moves, const Cell& here) const {
    const Cell player = grid_.worldToCell(targetPosition_);
    const bool horizontal = heading == Heading::Right || heading == Heading::Left;
    if (horizontal) {
        if (player.row < here.row && contains(moves, kGoingUp) && chance(grid_.random())) {
            return kGoingUp;
        }
        if (player.row > here.row) {
            if (contains(moves, kGoingDown) && chance(grid_.random())) {
                return kGoingDown;
            }
            if (contains(moves, kDropping)) {
                return kDropping;
            }
        }
        const bool atJunction = contains(moves, kGoingUp) || contains(moves, kGoingDown);
        if (heading == Heading::Right) {
            // It turns back only at a ladder junction.
            if (player.column < here.column && contains(moves, kGoingLeft) && atJunction) {
                return kGoingLeft;
            }
            if (contains(moves, kGoingRight)) {
                return kGoingRight;
            }
        } else {
            if (player.column > here.column && contains(moves, kGoingRight) && atJunction) {
                return kGoingRight;
            }
            if (contains(moves, kGoingLeft)) {
                return kGoingLeft;
            }
        }
    } else {
        if (player.column > here.column && contains(moves, kGoingRight) && chance(grid_.random())) {
            return kGoingRight;
        }
        if (player.column < here.column && contains(moves, kGoingLeft) && chance(grid_.random())) {
            return kGoingLeft;
        }
        const bool atJunction = contains(moves, kGoingLeft) || contains(moves, kGoingRight);
        if (heading == Heading::Up) {
            if (player.row > here.row && contains(moves, kGoingDown) && atJunction) {
                return kGoingDown;
            }
            if (contains(moves, kGoingUp)) {
                return kGoingUp;
            }
        } else {
            if (player.row < here.row && contains(moves, kGoingUp) && atJunction) {
                return kGoingUp;
            }
            if (contains(moves, kGoingDown)) {
                return kGoingDown;
            }
        }
    }
    return moves[static_cast<std::size_t>(grid_.random().next()) % moves.size()];
}

void Enemy::claimFor(int move) {
    switch (move) {
        case kGoingRight:
            ++reservedCell.column;
            break;
        case kGoingLeft:
            --reservedCell.column;
            break;
        case kGoingUp:
            --reservedCell.row;
            break;
        case kGoingDown:
            ++reservedCell.row;
            break;
        case kDropping:
            ++reservedCell.row;
            sprite.setGroup(3);
            break;
        default:
            break;
    }
}

void Enemy::decide(Heading heading, const Cell& here) {
    aiState = kDeciding;
    startFallIfUnsupported(here.column, here.row);
    if (aiState == kDropping) {
        return;
    }
    const std::vector<int> moves = possibleMoves(here.column, here.row);
    if (moves.empty()) {
        aiState = kDeciding;
    } else if (moves.size() == 1) {
        aiState = moves.front();
    } else {
        aiState = chooseMove(heading, moves, here);
    }
    claimFor(aiState);
}

void Enemy::moveRight() {
    moveAlongRow(+1);
}

void Enemy::moveLeft() {
    moveAlongRow(-1);
}

void Enemy::moveAlongRow(int step) {
    const Cell here = cell();
    const Vec3 centre = grid_.cellCentre(here.column, here.row);
    Vec3& p = sprite.position;
    if (reservedCell == here && grid_.isNearCellCentre(p, kNear)) {
        decide(step > 0 ? Heading::Right : Heading::Left, here);
        if (aiState == kDropping) {
            return;
        }
    }
    const Vec3 claimed = grid_.cellCentre(reservedCell.column, reservedCell.row);
    if ((aiState == kGoingRight && claimed.x < p.x) || (aiState == kGoingLeft && claimed.x > p.x)) {
        aiState = kDeciding;  // overshot the claimed cell
    }
    const int going = step > 0 ? kGoingRight : kGoingLeft;
    if (aiState == going) {
        if (motion == kClimbingUp || motion == kClimbingDown || motion == kFalling) {
            motion = step > 0 ? kWalkingRight : kWalkingLeft;
        }
        Actor::moveSideways(step);
    } else if (aiState == kDeciding) {
        if ((centre.x - p.x) * static_cast<float>(step) >= speed) {
            p.x += static_cast<float>(step) * speed;
            aiState = going;
        } else {
            p.x = centre.x;
        }
    }
}

void Enemy::moveUp() {
    const Cell here = cell();
    if (reservedCell == here && grid_.isNearCellCentre(sprite.position, kNear)) {
        decide(Heading::Up, here);
        if (aiState == kDropping) {
            return;
        }
    }
    if (aiState == kGoingUp) {
        Actor::moveUp();
    }
}

void Enemy::moveDown() {
    const Cell here = cell();
    if (reservedCell == here && grid_.isNearCellCentre(sprite.position, kNear)) {
        decide(Heading::Down, here);
        if (aiState == kDropping) {
            return;
        }
    }
    if (aiState == kGoingDown) {
        Actor::moveDown();
    }
}

void Enemy::startFallIfUnsupported(int c, int r) {
    if (reservedCell != Cell{c, r}) {
        return;
    }
    const Tile* tile = grid_.tileAt(c, r);
    const Tile* below = grid_.tileAt(c, r + 1);
    const bool unheld = tile == nullptr || tile->kind == TileKind::Gold ||
                        tile->kind == TileKind::Brick || tile->kind == TileKind::TrapBrick ||
                        tile->kind == TileKind::HiddenLadder;
    // Walking over an open brick is how an enemy falls into a hole.
    if (unheld && isCellFreeOfEnemies(c, r + 1, this) && (fallsInto(below) || isDugBrick(below))) {
        sprite.setGroup(3);
        aiState = kDropping;
    }
}

void Enemy::fallStep() {
    const Cell here = cell();
    const Vec3 centre = grid_.cellCentre(here.column, here.row);
    Vec3& p = sprite.position;
    if (reservedCell == here && grid_.isNearCellCentre(p, kNear)) {
        aiState = kDeciding;
        const Tile* tile = grid_.tileAt(here.column, here.row);
        const Tile* below = grid_.tileAt(here.column, here.row + 1);
        const bool unheld = tile == nullptr || tile->kind == TileKind::Gold ||
                            tile->kind == TileKind::TrapBrick ||
                            tile->kind == TileKind::HiddenLadder;
        if (unheld && isCellFreeOfEnemies(here.column, here.row + 1, this) &&
            (fallsInto(below) || isDugBrick(below))) {
            aiState = kDropping;
        }
        if (isKind(tile, TileKind::Rope) && centre.y >= p.y) {
            aiState = kDeciding;
        }
        if (isKind(tile, TileKind::Brick)) {
            // Dropped into a hole: trapped, and any gold goes to the cell above if it is free.
            holeTimer = static_cast<std::uint32_t>(std::max(holeTimeFull, 0));
            aiState = kTrapped;
            p.x = centre.x;
            if (carried && grid_.tileAt(here.column, here.row - 1) == nullptr) {
                carried->setPosition(grid_.cellCentre(here.column, here.row - 1));
                grid_.putTile(here.column, here.row - 1, std::move(carried));
            }
        }
        claimFor(aiState);
    }
    if (aiState == kDropping) {
        p.y += speed;
        p.x = centre.x;
    } else if (aiState == kDeciding) {
        if (centre.y - p.y >= speed) {
            p.y += speed;
        } else {
            p.y = centre.y;
        }
    }
}

void Enemy::climbOutStep() {
    const Cell here = cell();
    Vec3& p = sprite.position;
    if (aiState == kTrapped) {
        holeCell = here;
        if (!isCellFreeOfEnemies(here.column, here.row - 1, this)) {
            return;  // tried again next tick
        }
        exitDir = 0;
        sprite.setGroup(4);
        aiState = kClimbingOut;
        reservedCell = Cell{here.column, here.row - 1};
    }
    if (aiState != kClimbingOut) {
        return;
    }
    const Vec3 top = grid_.cellCentre(holeCell.column, holeCell.row - 1);
    if (p.y > top.y) {
        p.y -= speed;
        sprite.animate(30);
        return;
    }
    if (exitDir == 0) {
        auto takeSide = [&](int side) {
            reservedCell.column += side;
            exitDir = side;
            sprite.setGroup(side < 0 ? 2 : 1);
        };
        if (targetPosition_.x < p.x &&
            isCellFreeOfEnemies(reservedCell.column - 1, reservedCell.row, this)) {
            takeSide(-1);
        }
        if (targetPosition_.x > p.x &&
            isCellFreeOfEnemies(reservedCell.column + 1, reservedCell.row, this)) {
            takeSide(+1);
        }
        // No preference (the player straight above or below, or its side claimed): a free
        // side, the left one first.
        if (exitDir == 0) {
            if (isCellFreeOfEnemies(reservedCell.column - 1, reservedCell.row, this)) {
                takeSide(-1);
            } else if (isCellFreeOfEnemies(reservedCell.column + 1, reservedCell.row, this)) {
                takeSide(+1);
            } else {
                aiState = kDeciding;
            }
        }
        return;
    }
    const Tile* side = grid_.tileAt(holeCell.column + exitDir, holeCell.row - 1);
    if (isKind(side, TileKind::Brick) || isKind(side, TileKind::Solid)) {
        aiState = kDeciding;
        return;
    }
    p.x += static_cast<float>(exitDir) * speed;
    sprite.animate(30);
    if (cell().column != holeCell.column) {
        if (exitDir > 0) {
            aiState = kGoingRight;
            moveRight();
        } else {
            aiState = kGoingLeft;
            moveLeft();
        }
    }
}

void Enemy::goldStep() {
    const Cell here = cell();
    const GameSettings& rules = app_.settings;
    if (!carried) {
        if (isKind(grid_.tileAt(here.column, here.row), TileKind::Gold) &&
            static_cast<unsigned>(grid_.random().next()) %
                    static_cast<unsigned>(rules.m_prob_take_gold) ==
                1) {
            // Carried gold still counts in the grid's gold count.
            carried = grid_.removeTile(here.column, here.row);
            const auto span = static_cast<unsigned>(rules.m_time_keep_gold_max) -
                              static_cast<unsigned>(rules.m_time_keep_gold_min);
            carryTimer = static_cast<unsigned>(rules.m_time_keep_gold_min) +
                         static_cast<unsigned>(grid_.random().next()) % span;
        }
        return;
    }
    carryTimer = carryTimer > 30 ? carryTimer - 30 : 0;
    const Tile* below = grid_.tileAt(here.column, here.row + 1);
    if (carryTimer == 0 && grid_.tileAt(here.column, here.row) == nullptr &&
        (isKind(below, TileKind::Solid) ||
         (isKind(below, TileKind::Brick) && !below->isPassable()))) {
        carried->setPosition(grid_.cellCentre(here.column, here.row));
        grid_.putTile(here.column, here.row, std::move(carried));
    }
}

const Enemy* Enemy::findEnemyAt(int column, int row) const {
    for (const auto& enemy : enemies_) {
        if (enemy.get() != this && grid_.worldToCell(enemy->position()) == Cell{column, row}) {
            return enemy.get();
        }
    }
    return nullptr;
}

void Enemy::respawn() {
    holeTimer = 0;
    aiState = kDeciding;
    points = kTrapPoints;
    const float cell = app_.settings.m_cell_size;
    for (int r = 0; r < LevelGrid::kHeight; ++r) {
        std::vector<int> empty;
        for (int c = 0; c < LevelGrid::kWidth; ++c) {
            if (grid_.tileAt(c, r) == nullptr) {
                empty.push_back(c);
            }
        }
        if (empty.size() > 2) {
            const int column =
                empty[static_cast<std::size_t>(grid_.random().next()) % empty.size()];
            sprite.position.x = static_cast<float>(column - 1) * cell + cell / 2;
            sprite.position.y = static_cast<float>(r) * cell + cell / 2;
            reservedCell = Cell{column, r};
            return;
        }
    }
}

}  // namespace glint
