#pragma once

#include "MonkeyRandom.h"
#include "PlayerHand.h"

#include <cstdint>
#include <unordered_set>

class Gear;
class LiveMode;

// A player who knows only what the instructions picture shows: drop each new piece on the
// chain, drag the small gear slowly outwards, later towards the dark squares, and lift spent
// pieces with two quick presses and carry them into the bin. It drops every dealt piece as it
// comes, centred on a link of the chain where it lies on the board, and never moves a piece again;
// it plays through the same input as the competent player, with a slower hand and slower reactions.
class NovicePlayer {
public:
    explicit NovicePlayer(std::uint32_t seed);

    // Call once per frame, before the frame's idle pass, while the play state is current.
    void act(LiveMode& game);

    int placed = 0; // dealt pieces dropped and turned by the chain
    int binned = 0; // spent pieces carried to the bin

private:
    bool decide(LiveMode& game, float now);
    Vec3 towardsTheDark(const LiveMode& game) const;
    bool dropOnChain(const LiveMode& game, const Gear& piece, float now);

    MonkeyRandom random;
    float reaction; // seconds between seeing and acting
    PlayerHand hand;
    float stretch; // how far out it pulls the small gear, from the motor
    bool stretched = false;
    float stretchedAt = 0.0f; // when it last dragged the small gear
    float nextLook = 0.0f;
    std::unordered_set<const Gear*> charged; // pieces seen with charges on the board
    const Gear* dropping = nullptr;          // the last piece dragged to the chain, till it turns
};
