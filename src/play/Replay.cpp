#include "play/Replay.h"

#include <cstddef>

// The records after the "records" line, one tag byte each:
//   0-63   a frame of that many milliseconds (nearly every frame: one byte)
//   64     a frame, its length follows as a number
//   65-73  an event of Replay::Kind 0-8. Mouse: button, state, x, y; keys: key, modifiers, x, y;
//          motions: x, y; reshape: width, height; window status: status, 0, x, y.
//   80     the end: outcome (0 won, 1 lost, 2 quit), game time, and the hash in 8 bytes, low
//          byte first. Nothing may follow it.
// Numbers are LEB128 (7 bits a byte, low first). A pointer's x and y are written as the change
// from the last event's pointer, zigzagged to unsigned (0, -1, 1, -2 ... as 0, 1, 2, 3 ...): a
// moving pointer costs two or three bytes an event.

namespace {

constexpr const char* magic = "gridlume replay ";
constexpr int shortFrames = 64;
constexpr std::uint8_t longFrame = 64;
constexpr std::uint8_t firstEvent = 65;
constexpr int kindCount = 9;
constexpr std::uint8_t endRecord = 80;
constexpr int largestValue = 1 << 30; // no length, key, size or pointer goes near it
constexpr std::size_t longestVersion = 32;

void putNumber(std::string& out, std::uint32_t value) {
    while (value >= 0x80) {
        out += static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    out += static_cast<char>(value);
}

void putChange(std::string& out, int to, int& from) {
    const auto change = static_cast<std::int64_t>(to) - from;
    from = to;
    putNumber(out, static_cast<std::uint32_t>(change < 0 ? -2 * change - 1 : 2 * change));
}

void putEvent(std::string& out, const Replay::Event& e, int& lastX, int& lastY) {
    out += static_cast<char>(firstEvent + static_cast<int>(e.kind));
    switch (e.kind) {
    case Replay::Kind::reshape:
        putNumber(out, static_cast<std::uint32_t>(e.x));
        putNumber(out, static_cast<std::uint32_t>(e.y));
        return;
    case Replay::Kind::motion:
    case Replay::Kind::passiveMotion:
        break;
    default: // mouse buttons and keys
        putNumber(out, static_cast<std::uint32_t>(e.a));
        putNumber(out, static_cast<std::uint32_t>(e.b));
        break;
    }
    putChange(out, e.x, lastX);
    putChange(out, e.y, lastY);
}

bool validVersion(const std::string& version) {
    if (version.empty() || version.size() > longestVersion) {
        return false;
    }
    for (char c : version) {
        if (c <= ' ' || c > '~') {
            return false;
        }
    }
    return true;
}

// Reads the records part, keeping its place; every failure says where.
class RecordReader {
public:
    RecordReader(const std::string& bytes, std::size_t at) : bytes(bytes), at(at) {}

    bool done() const { return at == bytes.size(); }
    bool cutShort() const { return ranOut; }
    std::size_t where() const { return at; }

    bool byte(std::uint8_t& value) {
        if (at == bytes.size()) {
            ranOut = true;
            return false;
        }
        value = static_cast<std::uint8_t>(bytes[at++]);
        return true;
    }

    // A number up to largestValue.
    bool number(int& value) {
        std::uint64_t read = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            std::uint8_t b;
            if (!byte(b)) {
                return false;
            }
            read |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            if ((b & 0x80) == 0) {
                // Only the writer's own form: no value has two spellings.
                if (read > static_cast<std::uint64_t>(largestValue) || (b == 0 && shift > 0)) {
                    return false;
                }
                value = static_cast<int>(read);
                return true;
            }
        }
        return false;
    }

    bool change(int& value) {
        int zigzag;
        if (!number(zigzag)) {
            return false;
        }
        const int change = (zigzag & 1) != 0 ? -(zigzag / 2) - 1 : zigzag / 2;
        const auto next = static_cast<std::int64_t>(value) + change;
        if (next < -largestValue || next > largestValue) {
            return false;
        }
        value = static_cast<int>(next);
        return true;
    }

private:
    const std::string& bytes;
    std::size_t at;
    bool ranOut = false;
};

// A header's number as the writer spells it: decimal digits, no sign, no leading zero.
bool decimal(const std::string& text, std::uint64_t largest, std::uint64_t& value) {
    if (text.empty() || text.size() > 10 || (text[0] == '0' && text.size() > 1) ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    value = std::stoull(text);
    return value <= largest;
}

// One line of the header; false when no end of line comes within a sensible length.
bool headerLine(const std::string& bytes, std::size_t& at, std::string& line) {
    const std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos || end - at > 200) {
        return false;
    }
    line = bytes.substr(at, end - at);
    at = end + 1;
    return true;
}

bool readHeader(const std::string& bytes, std::size_t& at, Replay& r, std::string& why) {
    std::string line;
    if (!headerLine(bytes, at, line) || line.compare(0, 16, magic) != 0) {
        why = "it is not a gridlume replay";
        return false;
    }
    const std::string format = line.substr(16);
    if (format != std::to_string(replayFormat)) {
        const bool number = !format.empty() && format.size() < 9 &&
                            format.find_first_not_of("0123456789") == std::string::npos;
        why = number && std::stoi(format) > replayFormat
                  ? "it is in replay format " + format + ", newer than this gridlume reads (" +
                        std::to_string(replayFormat) + "): a newer gridlume plays it"
                  : "it is in replay format \"" + format.substr(0, 20) +
                        "\", which this gridlume no longer reads";
        return false;
    }
    const char* const expected[] = {"version <program version>",
                                    "mode normal|relaxed",
                                    "hints on|off",
                                    "seed <number>",
                                    "start <milliseconds> <frame milliseconds>",
                                    "window <width> <height>",
                                    "screen window|full",
                                    "button none|<number>",
                                    "records"};
    for (int i = 0; i < 9; ++i) {
        bool good = headerLine(bytes, at, line);
        const std::size_t space = line.find(' ');
        const std::string name = line.substr(0, space);
        const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
        std::uint64_t number = 0;
        switch (i) {
        case 0:
            good = good && name == "version" && validVersion(value);
            r.programVersion = value;
            break;
        case 1:
            good = good && name == "mode" && (value == "normal" || value == "relaxed");
            r.relaxed = value == "relaxed";
            break;
        case 2:
            good = good && name == "hints" && (value == "on" || value == "off");
            r.hints = value == "on";
            break;
        case 3:
            good = good && name == "seed" && decimal(value, 0xFFFFFFFFu, number);
            r.seed = static_cast<std::uint32_t>(number);
            break;
        case 4: {
            const std::size_t gap = value.find(' ');
            good = good && name == "start" && gap != std::string::npos &&
                   decimal(value.substr(0, gap), 0x7FFFFFFF, number);
            r.startMs = static_cast<int>(number);
            good = good && decimal(value.substr(gap + 1), 0x7FFFFFFF, number);
            r.startFrameMs = static_cast<int>(number);
            break;
        }
        case 6:
            good = good && name == "screen" && (value == "window" || value == "full");
            r.fullScreen = value == "full";
            break;
        case 7:
            good = good && name == "button" && (value == "none" || decimal(value, 255, number));
            r.pendingButton = value == "none" ? -1 : static_cast<int>(number);
            break;
        case 5: {
            const std::size_t gap = value.find(' ');
            good = good && name == "window" && gap != std::string::npos &&
                   decimal(value.substr(0, gap), 99999, number) && number > 0;
            r.width = static_cast<int>(number);
            good = good && decimal(value.substr(gap + 1), 99999, number) && number > 0;
            r.height = static_cast<int>(number);
            break;
        }
        default:
            good = good && line == "records";
            break;
        }
        if (!good) {
            why = "its line " + std::to_string(i + 2) + " is not \"" + expected[i] + "\"";
            return false;
        }
    }
    return true;
}

bool readEvent(RecordReader& in, Replay::Kind kind, Replay::Event& e, int& lastX, int& lastY) {
    e.kind = kind;
    switch (kind) {
    case Replay::Kind::reshape:
        return in.number(e.x) && in.number(e.y) && e.x < 100000 && e.y < 100000;
    case Replay::Kind::mouse:
        if (!in.number(e.a) || !in.number(e.b) || e.a > 31 || e.b > 1) {
            return false;
        }
        break;
    case Replay::Kind::motion:
    case Replay::Kind::passiveMotion:
        break;
    case Replay::Kind::keyboard:
    case Replay::Kind::keyboardUp:
        if (!in.number(e.a) || !in.number(e.b) || e.a > 255 || e.b > 7) {
            return false;
        }
        break;
    default:
        if (!in.number(e.a) || !in.number(e.b) || e.a > 0xFFFF || e.b > 7) {
            return false;
        }
        break;
    }
    if (!in.change(lastX) || !in.change(lastY)) {
        return false;
    }
    e.x = lastX;
    e.y = lastY;
    return true;
}

} // namespace

const char* outcomeName(Replay::Outcome outcome) {
    switch (outcome) {
    case Replay::Outcome::won:
        return "won";
    case Replay::Outcome::lost:
        return "lost";
    default:
        return "quit";
    }
}

std::string writeReplay(const Replay& r) {
    std::string out =
        magic + std::to_string(replayFormat) + "\nversion " + r.programVersion + "\nmode " +
        (r.relaxed ? "relaxed" : "normal") + "\nhints " + (r.hints ? "on" : "off") + "\nseed " +
        std::to_string(r.seed) + "\nstart " + std::to_string(r.startMs) + " " +
        std::to_string(r.startFrameMs) + "\nwindow " + std::to_string(r.width) + " " +
        std::to_string(r.height) + "\nscreen " + (r.fullScreen ? "full" : "window") + "\nbutton " +
        (r.pendingButton < 0 ? "none" : std::to_string(r.pendingButton)) + "\nrecords\n";
    out.reserve(out.size() + r.frameMs.size() + 4 * r.events.size() + 16);
    int lastX = 0;
    int lastY = 0;
    std::size_t frame = 0;
    auto putFramesUntil = [&](std::size_t until) {
        for (; frame < until && frame < r.frameMs.size(); ++frame) {
            const int ms = r.frameMs[frame];
            if (ms >= 0 && ms < shortFrames) {
                out += static_cast<char>(ms);
            } else {
                out += static_cast<char>(longFrame);
                putNumber(out, static_cast<std::uint32_t>(ms));
            }
        }
    };
    for (const Replay::Event& e : r.events) {
        putFramesUntil(static_cast<std::size_t>(e.frame));
        putEvent(out, e, lastX, lastY);
    }
    putFramesUntil(r.frameMs.size());
    out += static_cast<char>(endRecord);
    out += static_cast<char>(r.outcome);
    putNumber(out, static_cast<std::uint32_t>(r.gameMs));
    for (int i = 0; i < 8; ++i) {
        out += static_cast<char>((r.hash >> (8 * i)) & 0xFF);
    }
    return out;
}

bool readReplay(const std::string& bytes, Replay& replay, std::string& why) {
    if (bytes.empty()) {
        why = "it is empty";
        return false;
    }
    if (bytes.size() > largestReplay) {
        why = "it is too large to be a replay";
        return false;
    }
    Replay r;
    std::size_t at = 0;
    if (!readHeader(bytes, at, r, why)) {
        return false;
    }
    RecordReader in(bytes, at);
    int lastX = 0;
    int lastY = 0;
    for (;;) {
        const std::size_t start = in.where();
        std::uint8_t tag;
        if (!in.byte(tag)) {
            why = "it is cut short: its last record, with the outcome, is missing";
            return false;
        }
        bool good = true;
        if (tag < shortFrames) {
            r.frameMs.push_back(tag);
        } else if (tag == longFrame) {
            int ms = 0;
            good = in.number(ms) && ms >= shortFrames; // shorter ones take the short form
            r.frameMs.push_back(ms);
        } else if (tag >= firstEvent && tag < firstEvent + kindCount) {
            Replay::Event e;
            e.frame = static_cast<int>(r.frameMs.size());
            good = readEvent(in, static_cast<Replay::Kind>(tag - firstEvent), e, lastX, lastY);
            r.events.push_back(e);
        } else if (tag == endRecord) {
            std::uint8_t outcome = 0;
            good = in.byte(outcome) && outcome <= 2 && in.number(r.gameMs);
            r.outcome = static_cast<Replay::Outcome>(outcome);
            for (int i = 0; good && i < 8; ++i) {
                std::uint8_t b = 0;
                good = in.byte(b);
                r.hash |= static_cast<std::uint64_t>(b) << (8 * i);
            }
            if (good && !in.done()) {
                why = "it goes on after its last record";
                return false;
            }
        } else {
            why = "its byte " + std::to_string(start) + " starts no record a replay has";
            return false;
        }
        if (!good) {
            why = in.cutShort()
                      ? "it is cut short inside its record at byte " + std::to_string(start)
                      : "its record at byte " + std::to_string(start) +
                            " holds a value no game gives";
            return false;
        }
        if (tag == endRecord) {
            break;
        }
    }
    replay = std::move(r);
    return true;
}
