#pragma once

#include "gfx/Sprite.h"
#include "gfx/Vec3.h"
#include "physics/Body.h"

#include <vector>

class Chain;

enum PayloadKind : int { Bulb = 0, AddLink = 1 };

// Where a piece released where it is now would go.
enum class Landing { Board, Bin, Back };

// One round piece: the motor, a plain gear, a bulb piece or an add-link piece. The sprite is the
// piece's picture; its position is the centre and its angle the rotation the chain gave it. What
// the chain turned it (`turned`) counts from the last payout.
class Gear : public Body {
public:
    bool placed = false;     // on the board
    bool lifted = false;     // off the chain by a double press
    bool discarding = false; // shrinking away in the bin; never cleared
    int charges = 0;
    int payload = Bulb; // read only while charges > 0
    Sprite icon;        // payload picture, never turned
    Vec3 grabOffset{};
    Vec3 pickupPosition{};
    float chuteTime = 0.0f; // seconds spent loose

    // What the overlays and hints know of the piece (PlayWatch writes it); the rules never read
    // it.
    struct Seen {
        float turnedBefore = 0.0f; // `turned` as the frame's chain steps began
        bool turning = false;      // the chain turned it in the last frame
        bool dropped = false;      // the player has put it down on the board
        bool dealtDrop = false;    // the player put it on the board from the chute
        bool touched = false;      // turned by the chain since it came from the chute
        bool spent = false;        // had a payload and has paid out every charge
        float stillSeconds = 0.0f; // on the board unturned, since it was dropped or last turned
    };
    Seen seen;

    Gear(float radius, const char* picture, float speed);
    ~Gear();
    Gear(const Gear&) = delete;
    Gear& operator=(const Gear&) = delete;

    void setPayload(int kind, int charges);
    // Whether the piece was dealt with a payload (bulb or add-link), spent or not.
    bool hadPayload() const { return icon.texture != nullptr; }

    // The bulb picture's size: one step of 16 units per charge left.
    static float bulbIconSize(int charges) { return static_cast<float>(charges * 0.8 * 20); }

    // Behaviour of a piece in play.
    bool advanceRoll(float frameSeconds);
    int checkPayout();
    void grab(Vec3 point);
    void dragTo(Vec3 point, const std::vector<Gear*>& pieces);
    bool drop(Chain* chain);
    // What drop would do with the piece where it is: the board is tried before the bin.
    Landing landing() const;
    // Whether the centre lies in the bin (the piece may still land on the board).
    bool overBin() const;
    void draw() const;
};
