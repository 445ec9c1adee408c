#pragma once

// True when the space-separated extension list names exactly this extension (a plain substring
// search would also match longer names that merely start with it).
bool hasExtension(const char* list, const char* name);
