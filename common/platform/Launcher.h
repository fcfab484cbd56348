#pragma once
// How the core starts things outside the editor: a URL or mail address
// through the desktop's own handler, or a program with its arguments
// (never through a shell), left running on its own.
#include <string>
#include <vector>

namespace orvex {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Opens the URL ("mailto:" for a mail address) with the desktop's
    // handler; false when none took it.
    virtual bool openUrl(const std::string& url) = 0;
    // Starts argv[0] (looked up in PATH) with the rest as its arguments;
    // false when it could not be started.
    virtual bool startDetached(const std::vector<std::string>& argv) = 0;
};

}  // namespace orvex
