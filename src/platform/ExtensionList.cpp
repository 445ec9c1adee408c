#include "platform/ExtensionList.h"

#include <cstring>

bool hasExtension(const char* list, const char* name) {
    if (list == nullptr || name == nullptr || *name == '\0') {
        return false;
    }
    const std::size_t length = std::strlen(name);
    for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + 1, name)) {
        const bool startsWord = at == list || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}
