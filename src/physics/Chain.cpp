#include "physics/Chain.h"

#include <algorithm>

namespace {

// Links go to the back while the count is odd and to the front while it is even. The closing
// link of an odd-sized loop thereby stays at the front, and the relaxation sweeps alternate ends.
void insertBySize(std::vector<ChainLink*>& links, ChainLink* link) {
    if (links.size() % 2 == 1) {
        links.push_back(link);
    } else {
        links.insert(links.begin(), link);
    }
}

ChainLink* makeLink(ChainJoint* from, ChainJoint* to, const char* textureName, float scale,
                    float restLength, float restLengthSquared) {
    auto* link = new ChainLink;
    link->from = from;
    link->to = to;
    link->sprite.setTexture(textureName);
    link->sprite.scale = {scale, scale, scale};
    link->restLength = restLength;
    link->restLengthSquared = restLengthSquared;
    return link;
}

} // namespace

// Where joint i of a loop of n joints, links of length L, starts: four runs, the far ones off
// the board, which the first steps pull in.
Vec3 Chain::startPosition(int i, int n, float L, Vec3 origin) {
    const int r = n - i;
    const float x0 = origin.x;
    const float y0 = origin.y;
    if (i < n * 0.25) {
        return {x0, y0 + i * L, 0.0f};
    }
    if (i < n * 0.5) {
        return {x0 + i * L, static_cast<float>(y0 + n * L * 0.25), 0.0f};
    }
    if (i < n * 0.75) {
        return {x0 + n * L, y0 + r * L, 0.0f};
    }
    return {x0 + r * L, y0, 0.0f};
}

Chain::Chain(int linkCount, float linkLength, const char* textureName, Vec3 origin,
             BoardEdges edges)
    : edges(edges) {
    const int n = linkCount;
    const float L = linkLength;
    joints.reserve(n > 0 ? static_cast<std::size_t>(n) : 0);
    links.reserve(n > 0 ? static_cast<std::size_t>(n) : 0);

    for (int i = 0; i < n; ++i) {
        auto* joint = new ChainJoint;
        joint->position = startPosition(i, n, L, origin);
        joints.push_back(joint);
    }
    neighbourhoods.resize(joints.size());

    const auto scale = static_cast<float>(L * ChainLink::pictureScale);
    for (int k = 0; k < n; ++k) {
        insertBySize(links, makeLink(joints[static_cast<std::size_t>(k % n)],
                                     joints[static_cast<std::size_t>((k + 1) % n)], textureName,
                                     scale, L, L * L));
    }
}

void Chain::relay(Vec3 origin) {
    if (links.empty()) {
        return;
    }
    const int n = static_cast<int>(joints.size());
    const float L = links.front()->restLength;
    for (int i = 0; i < n; ++i) {
        joints[static_cast<std::size_t>(i)]->position = startPosition(i, n, L, origin);
    }
}

Chain::~Chain() {
    for (ChainLink* link : links) {
        delete link;
    }
    for (ChainJoint* joint : joints) {
        delete joint;
    }
    links.clear();
    joints.clear();
    gears.clear();
}

ChainLink* Chain::closingLink() const {
    // The size rule keeps the closing link at the front as long as the loop was built odd and
    // grows by even counts; anything else would have us cut the loop in the wrong place.
    ChainJoint* last = joints.back();
    ChainJoint* first = joints.front();
    if (links.front()->from == last && links.front()->to == first) {
        return links.front();
    }
    for (ChainLink* link : links) {
        if (link->from == last && link->to == first) {
            return link;
        }
    }
    return nullptr;
}

void Chain::addLinks(int count, int length) {
    if (joints.empty() || links.empty() || count <= 0) {
        return;
    }
    ChainLink* current = closingLink();
    if (current == nullptr) {
        return;
    }
    const auto Lf = static_cast<float>(length);
    const auto scale = static_cast<float>(Lf * ChainLink::pictureScale);
    // Widened so that an absurd length cannot overflow; equal to the int product otherwise.
    const auto squared = static_cast<float>(static_cast<long long>(length) * length);
    joints.reserve(joints.size() + static_cast<std::size_t>(count));
    links.reserve(links.size() + static_cast<std::size_t>(count));

    for (int i = 0; i < count; ++i) {
        auto* joint = new ChainJoint;
        joint->position = joints.back()->position + Vec3{Lf, 0.0f, 0.0f};
        joints.push_back(joint);
        current->to = joint;
        ChainLink* link = makeLink(joint, joints.front(), "./img/link.png", scale, Lf, squared);
        insertBySize(links, link);
        current = link;
    }
    neighbourhoods.resize(joints.size());
}

bool Chain::isAttached(const Body* piece) const {
    return std::find(gears.begin(), gears.end(), piece) != gears.end();
}

void Chain::attach(Body* piece) {
    // A second entry would push and turn the piece twice per pass.
    if (piece == nullptr || isAttached(piece)) {
        return;
    }
    gears.push_back(piece);
    contactGroups.reserve((gears.size() + 3) / 4);
}

void Chain::detach(Body* piece) {
    const auto it = std::find(gears.begin(), gears.end(), piece);
    if (it != gears.end()) {
        gears.erase(it);
    }
}

int Chain::passCount() const {
    const double perLinks = static_cast<double>(links.size()) / 5.5;
    if (perLinks >= 150.0) {
        return 150;
    }
    const int passes = static_cast<int>(perLinks);
    return passes < 1 ? 1 : passes;
}
