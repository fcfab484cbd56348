#pragma once
// Moving a file to the desktop's trash (backup mode 4). An interface, so
// that a test or another platform layer may supply its own.
#include <string>

#include "files/FileError.h"

namespace orvex::files {

class Trash {
public:
    virtual ~Trash() = default;
    // Moves the file (a symbolic link itself, not what it names) to the
    // trash. Fails when the desktop offers no trash for it.
    virtual FileError moveToTrash(const std::string& path) = 0;
};

}  // namespace orvex::files
