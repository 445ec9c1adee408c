#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes a small RGBA PNG, rows listed top first, through the same image library the game uses.
void writePng(const std::string& path, int width, int height,
              const std::vector<uint32_t>& rgbaTopFirst);

// A fresh empty directory under /tmp for one test's files.
std::string makeTempDir();
