#pragma once

#include "gfx/Sprite.h"
#include "gfx/Vec3.h"

#include <cstddef>
#include <vector>

class Gear;

// A simulated point of the chain; drawn as a small dot.
struct ChainJoint : Sprite {};

// A rigid link between two joints, with its picture.
struct ChainLink {
    ChainJoint* to = nullptr;   // the joint further along the loop
    ChainJoint* from = nullptr; // the joint before it
    Sprite sprite;
    float restLength = 0.0f;
    float restLengthSquared = 0.0f;
};

// The closed loop the motor drives. It is relaxed positionally once per frame by step(); it is
// only ever changed (links added, pieces attached or detached) between steps.
class Chain {
public:
    std::vector<ChainJoint*> joints; // loop order, owned
    std::vector<ChainLink*> links;   // relaxation order, owned; the closing link at the front
    std::vector<Gear*> gears;        // attached pieces, not owned, each at most once

    Chain(int linkCount, float linkLength, const char* textureName, Vec3 origin);
    ~Chain();
    Chain(const Chain&) = delete;
    Chain& operator=(const Chain&) = delete;

    void step();
    void addLinks(int count, int length);
    void attach(Gear* piece);
    void detach(Gear* piece);
    bool isAttached(const Gear* piece) const;

    void draw();
    void updateLinkSprite(std::size_t index);

    // Relaxation passes a step makes for the current number of links.
    int passCount() const;

    // The attached pieces' centres and squared radii, four to a group, taken once per step so
    // that a joint is tested against four pieces at a time. Unused lanes can never be touched.
    struct ContactGroup {
        alignas(16) float x[4];
        alignas(16) float y[4];
        alignas(16) float z[4];
        alignas(16) float radiusSquared[4];
    };

private:
    // The link from the last joint back to the first, or null if the loop is broken.
    ChainLink* closingLink() const;

    void relaxLinks();
    void gatherPieces();
    void settleJoints(); // board clamp, then the pieces
    void turnPieces();

    std::vector<ContactGroup> contactGroups; // sized by attach, so a step never allocates
};
