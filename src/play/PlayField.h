#pragma once

#include "physics/BoardEdges.h"

// Geometry and timing of the play field, in world units (y up) and seconds. The literals with a
// fraction are doubles on purpose: the arithmetic that uses them runs in double precision and is
// stored back as float, which decides on which frame a piece stops rolling or disappears.
namespace field {

// Top of the chute, where every new piece appears.
constexpr float chuteTopX = -350.0f;
constexpr float chuteTopY = 202.0f;

// Life of a loose piece.
constexpr double growTime = 0.5;    // grows to its full size in this time
constexpr int growFactor = 4;       // scale = chuteTime x radius x 4 while growing
constexpr double rollTime = 5.0;    // rolls down the chute this long, then falls into the bin
constexpr double rollSpeed = 76.4;  // units per second, straight down
constexpr double shrinkTime = 0.33; // shrinks away in the bin in this time
constexpr double goneTime = 5.33;   // chuteTime after which the piece is destroyed

// Payouts.
constexpr float payoutTurn = 1800.0f; // degrees the chain must turn a piece before it pays out

// The board's limits. A piece keeps its circle inside them (with the margin, except at the
// top); the chain's joints are clamped to the same left, right and bottom edges but stop lower
// at the top, 8 units under the pieces' limit: the links are drawn centred on their joints, so
// the chain as drawn stays clear of the board's top frame while a piece may use the board up
// to it.
constexpr int margin = 5;
constexpr int boardLeft = -301;
constexpr int boardRight = 370;
constexpr int boardBottom = -239;
constexpr int boardTop = 190;
constexpr int jointTop = 182;
// The rectangle the chain keeps its joints in.
constexpr BoardEdges jointEdges{static_cast<float>(boardLeft), static_cast<float>(boardRight),
                                static_cast<float>(boardBottom), static_cast<float>(jointTop)};

// The bin at the chute's foot, tested on the piece's centre (bounds exclusive).
constexpr float binLeft = -396.0f;
constexpr float binRight = -308.0f;
constexpr float binBottom = -254.0f;
constexpr float binTop = -176.0f;

} // namespace field
