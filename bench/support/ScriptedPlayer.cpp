#include "support/ScriptedPlayer.h"

#include "physics/Chain.h"
#include "play/BoardSquare.h"
#include "play/Gear.h"
#include "play/LiveMode.h"
#include "support/PointerInput.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

using namespace input;

constexpr int maxPlaced = 12;
constexpr float binX = -385.0f; // deep in the bin, out of reach of pieces on the board
constexpr float binY = -245.0f;

// Presses on the piece, drags it to the target in a few motion events and releases it there.
void drag(LiveMode& mode, const Gear& piece, float x, float y) {
    const float fromX = piece.position.x;
    const float fromY = piece.position.y;
    mode.mouse(leftButton, down, pixelX(fromX), pixelY(fromY));
    for (int step = 1; step <= 4; ++step) {
        const float t = static_cast<float>(step) / 4.0f;
        mode.motion(pixelX(fromX + (x - fromX) * t), pixelY(fromY + (y - fromY) * t));
    }
    mode.mouse(leftButton, up, pixelX(x), pixelY(y));
}

// The dealt piece, grown and rolling in the chute, or none.
Gear* dealtPiece(const LiveMode& mode) {
    for (Gear* p : mode.gears) {
        if (!p->placed && !p->discarding && p->chuteTime > 0.6f && p->chuteTime < 4.0f) {
            return p;
        }
    }
    return nullptr;
}

// The piece on the board, other than the motor, that lies nearest the bin, or none.
Gear* nearestPlacedToBin(const LiveMode& mode) {
    Gear* nearest = nullptr;
    float best = 0.0f;
    for (Gear* p : mode.gears) {
        if (p == mode.motor || !p->placed || p->discarding) {
            continue;
        }
        const float dx = p->position.x - binX;
        const float dy = p->position.y - binY;
        if (nearest == nullptr || dx * dx + dy * dy < best) {
            nearest = p;
            best = dx * dx + dy * dy;
        }
    }
    return nearest;
}

// No other piece near enough to the drop point to push a carried piece out of the bin.
bool binIsClear(const LiveMode& mode) {
    for (const Gear* p : mode.gears) {
        if (p == mode.heldGear || mode.heldGear == nullptr) {
            continue;
        }
        const float dx = p->position.x - binX;
        const float dy = p->position.y - binY;
        const auto reach = static_cast<float>(p->radius + mode.heldGear->radius);
        if (dx * dx + dy * dy < reach * reach) {
            return false;
        }
    }
    return true;
}

double statusKb(const char* field) {
    double value = 0.0;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        const std::size_t length = std::strlen(field);
        while (std::fgets(line, sizeof line, f) != nullptr) {
            if (std::strncmp(line, field, length) == 0) {
                value = std::atof(line + length);
            }
        }
        std::fclose(f);
    }
    return value;
}

} // namespace

void ScriptedPlayer::act(LiveMode& mode, int gameMs) {
    const int second = gameMs / 1000;
    if (second == lastSecond) {
        return;
    }
    lastSecond = second;
    int onBoard = 0;
    for (const Gear* p : mode.gears) {
        onBoard += p->placed && !p->discarding ? 1 : 0;
    }
    if (second % 3 == 0 && onBoard < maxPlaced && mode.chain != nullptr) {
        if (Gear* p = dealtPiece(mode)) {
            // Onto the chain, somewhere along the loop.
            const auto& joints = mode.chain->joints;
            const ChainJoint* joint = joints[static_cast<std::size_t>(second) % joints.size()];
            drag(mode, *p, joint->position.x + 10.0f, joint->position.y + 10.0f);
            placed += p->placed ? 1 : 0;
        }
    }
    if (second % 20 == 10) {
        // Two presses in the same instant lift the piece off the board and the chain.
        if (const Gear* p = nearestPlacedToBin(mode)) {
            const int x = pixelX(p->position.x);
            const int y = pixelY(p->position.y);
            mode.mouse(leftButton, down, x, y);
            mode.mouse(leftButton, up, x, y);
            mode.mouse(leftButton, down, x, y);
            mode.mouse(leftButton, up, x, y);
        }
    }
    if (second % 20 >= 11 && mode.carrying && binIsClear(mode)) {
        // A second later, once nothing rolls past the bin, it is carried over it and dropped
        // there with a click.
        const Gear* held = mode.heldGear;
        mode.passiveMotion(pixelX(binX), pixelY(binY));
        mode.mouse(leftButton, down, pixelX(binX), pixelY(binY));
        mode.mouse(leftButton, up, pixelX(binX), pixelY(binY));
        binned += held != nullptr && held->discarding ? 1 : 0;
    }
    if (second % 30 == 15) {
        mode.keyboard('a', 0, 0);
        ++added;
    }
}

void keepBoardLit(LiveMode& mode) {
    for (BoardSquare* square : mode.squares) {
        if (square->light < 50.0f) {
            square->relight(30.0f);
        }
    }
}

double residentKb() {
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0;
}

double peakResidentKb() {
    return statusKb("VmHWM:");
}
