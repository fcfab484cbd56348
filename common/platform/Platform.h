#pragma once
// The set of platform services the core may use, handed to the core at
// start-up (the Qt layer) or by a test (scripted fakes). Every pointer is
// non-owning and stays valid for the life of the core objects using it.
#include "common/platform/Clipboard.h"
#include "common/platform/FileDialogs.h"
#include "common/platform/Launcher.h"
#include "common/platform/MessageBoxes.h"
#include "common/platform/Timers.h"
#include "common/platform/UiRequests.h"

namespace orvex {

struct Platform {
    MessageBoxes* messages = nullptr;
    FileDialogs* fileDialogs = nullptr;
    Clipboard* clipboard = nullptr;
    Timers* timers = nullptr;
    UiRequests* ui = nullptr;
    Launcher* launcher = nullptr;
};

}  // namespace orvex
