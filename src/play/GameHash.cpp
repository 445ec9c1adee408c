#include "play/GameHash.h"

#include "physics/Chain.h"
#include "play/BoardSquare.h"
#include "play/Gear.h"
#include "play/LiveMode.h"

#include <cstring>

namespace {

class Fnv {
public:
    void add(std::uint32_t word) {
        for (int i = 0; i < 4; ++i) {
            hash ^= (word >> (8 * i)) & 0xFFu;
            hash *= 1099511628211ull;
        }
    }
    void add(float f) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        add(bits);
    }
    void add(const Vec3& v) {
        add(v.x);
        add(v.y);
        add(v.z);
    }
    std::uint64_t value() const { return hash; }

private:
    std::uint64_t hash = 14695981039346656037ull;
};

} // namespace

std::uint64_t hashGame(const LiveMode& game) {
    Fnv h;
    const std::size_t joints = game.chain != nullptr ? game.chain->joints.size() : 0;
    h.add(static_cast<std::uint32_t>(joints));
    for (std::size_t i = 0; i < joints; ++i) {
        h.add(game.chain->joints[i]->position);
    }
    h.add(static_cast<std::uint32_t>(game.gears.size()));
    for (const Gear* piece : game.gears) {
        h.add(piece->position);
        h.add(piece->angle);
        h.add(piece->turned);
    }
    h.add(static_cast<std::uint32_t>(game.squares.size()));
    for (const BoardSquare* square : game.squares) {
        h.add(square->light);
    }
    return h.value();
}
