#pragma once

#include <string>
#include <unordered_map>

// One picture file turned into an OpenGL texture. The cache owns it for the whole process.
struct TextureEntry {
    static constexpr unsigned noTexture = 0xFFFFFFFFu; // -1: not loaded, or the load failed
    unsigned id = noTexture;
};

// File name -> texture, loaded on first request and kept until the process ends.
class TextureCache {
public:
    TextureCache() = default;
    TextureCache(const TextureCache&) = delete;
    TextureCache& operator=(const TextureCache&) = delete;
    ~TextureCache();

    // The entry for this exact file name; loads (and logs) only on the first request.
    TextureEntry* getTexture(const char* fileName);

    // Handing an entry back keeps it loaded. Sprites inside the global states call this from
    // static destructors after the cache itself is gone, so it must touch nothing.
    static void releaseTexture(TextureEntry*) {}

    // Reads the file into a new texture; returns the entry's id (-1 on failure).
    int loadTexture(TextureEntry* entry, const char* fileName);

    std::size_t size() const { return entries.size(); }

    // Gives every texture back to GL while its context is still there (the game's end); the
    // entries stay, as pictures that are not loaded.
    void unloadAll();

private:
    // Keys are copies of the callers' names: lookups stay exact text, but nobody has to keep
    // their string alive for us.
    std::unordered_map<std::string, TextureEntry*> entries;
};

extern TextureCache textureCache;
extern bool imageLibraryReady;
