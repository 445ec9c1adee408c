#include "app/GlSwitches.h"

#include "platform/Platform.h"

bool swapControlAvailable = false;

namespace {
platform::SwapIntervalSetter swapInterval = nullptr;
} // namespace

void initSwapControl() {
    swapInterval = platform::findSwapControl();
    swapControlAvailable = swapInterval != nullptr;
}

void setSwapInterval(bool on) {
    if (swapInterval != nullptr) {
        swapInterval(on ? 1 : 0);
    }
}
