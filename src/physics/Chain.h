#pragma once

#include "gfx/Sprite.h"
#include "gfx/Vec3.h"
#include "physics/BoardEdges.h"
#include "physics/Body.h"

#include <cstddef>
#include <vector>

// A simulated point of the chain; drawn as a small dot.
struct ChainJoint : Sprite {};

// A rigid link between two joints, with its picture.
struct ChainLink {
    // The picture is drawn this many times the link's length, so neighbouring pictures overlap
    // and their pins meet.
    static constexpr double pictureScale = 1.641;

    ChainJoint* to = nullptr;   // the joint further along the loop
    ChainJoint* from = nullptr; // the joint before it
    Sprite sprite;
    float restLength = 0.0f;
    float restLengthSquared = 0.0f;
};

// The closed loop the motor drives. It is only ever changed (links added, pieces attached or
// detached) between steps.
//
// The chain keeps its own clock: the play state steps it once per whole millisecond of play,
// each step 0.001 s long, however long the frame was. The step is positional and the motor
// carries its rim joints speed x 0.66 x seconds per relaxation pass, while the number of passes
// is fixed per step; stepped once per frame, a slow frame rate made the motor reel the chain in
// until it let go of every piece. In 1 ms steps the game plays alike at any frame rate.
class Chain {
public:
    // A joint this far outside the motor's rim still touches it, and the motor pulls it onto the
    // rim and carries it. Carrying a joint along the tangent leaves it a hair (0.0002 units)
    // outside the rim; a chain pulled against the motor is drawn back in by its links, but a
    // slack one lying round the motor is not, and the motor then turned under it for ever: the
    // chain was dead. A wider reach drags joints in from further out and winds the chain tight.
    static constexpr float motorGrip = 0.05f;

    std::vector<ChainJoint*> joints; // loop order, owned
    std::vector<ChainLink*> links;   // relaxation order, owned; the closing link at the front
    std::vector<Body*> gears;        // attached pieces, not owned, each at most once
    BoardEdges edges;                // the joints never leave it

    Chain(int linkCount, float linkLength, const char* textureName, Vec3 origin, BoardEdges edges);
    ~Chain();
    Chain(const Chain&) = delete;
    Chain& operator=(const Chain&) = delete;

    // Advances the chain by `seconds`: relaxes the links, keeps the joints on the board, pushes
    // them out of the attached pieces, lets the motor carry them and turns the pieces. Nothing
    // may change the chain while it steps.
    void step(float seconds);
    void addLinks(int count, int length);
    // Lays the loop again as a new chain of as many links is laid from origin; the links and
    // the attached pieces stay as they are.
    void relay(Vec3 origin);
    static Vec3 startPosition(int i, int n, float linkLength, Vec3 origin);
    void attach(Body* piece);
    void detach(Body* piece);
    bool isAttached(const Body* piece) const;

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
        alignas(16) float reachSquared[4]; // radius widened by a joint's room to move, squared
    };

    // Where a joint stood when the step began and the pieces that were near it then. While the
    // joint stays within `room` of that point, no other piece can hold it, so the passes test
    // only these (exactly as a full test would) instead of every attached piece.
    struct Neighbourhood {
        static constexpr float room = 4.0f;
        static constexpr int most = 6;
        Vec3 origin;
        int count = -1; // -1: too many to list; every piece is tested
        int pieces[most];
    };

private:
    // The link from the last joint back to the first, or null if the loop is broken.
    ChainLink* closingLink() const;

    void relaxLinks();
    void gatherPieces();
    void findNeighbourhoods();
    void settleJoints(float seconds); // board clamp, then the pieces
    // Tests the joint against every attached piece from `firstPiece` on, in order.
    void touchFrom(ChainJoint* joint, std::size_t firstPiece, float seconds);
    void turnPieces(float seconds);

    // Sized by attach and by adding joints, so a step never allocates.
    std::vector<ContactGroup> contactGroups;
    std::vector<Neighbourhood> neighbourhoods; // one per joint
};
