#include "platform/BoxText.h"

#include <sstream>
#include <vector>

namespace {

std::string trimmed(const std::string& line) {
    const auto first = line.find_first_not_of(' ');
    return first == std::string::npos ? "" : line.substr(first);
}

} // namespace

std::string boxText(const std::string& text) {
    // What the last line written may be continued by.
    enum class Open { nothing, entry, paragraph } open = Open::nothing;
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const std::string words = trimmed(line);
        const bool indented = !words.empty() && words.size() < line.size();
        // An entry's name ends where two spaces part it from its description.
        const auto gap = words.find("  ");
        if (words.empty()) {
            lines.emplace_back();
            open = Open::nothing;
        } else if (indented && gap != std::string::npos) {
            lines.push_back(words.substr(0, gap) + ": " + trimmed(words.substr(gap)));
            open = Open::entry;
        } else if (indented) {
            if (open == Open::entry) {
                lines.back() += " " + words;
            } else {
                lines.push_back(words);
            }
        } else {
            if (open == Open::paragraph) {
                lines.back() += " " + words;
            } else {
                lines.push_back(words);
            }
            // A heading or a finished sentence ends it.
            const char last = lines.back().back();
            open = last == ':' || last == '.' ? Open::nothing : Open::paragraph;
        }
    }
    std::string result;
    for (const std::string& line : lines) {
        result += line + "\n";
    }
    return result;
}
