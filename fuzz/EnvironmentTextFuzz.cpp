// The environment assignments of a registered program over arbitrary text:
// the walk ends, every entry it leaves is "NAME=value" with a non-empty name
// free of "=", line ends and NUL, and a fault names a piece of the text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/EnvironmentText.h"
#include "tools/ProgramLine.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    orvex::tools::Environment env({"PATH=/usr/bin", "HOME=/home/u"});
    const auto r = orvex::tools::applyEnvironmentText(text, env);
    for (const std::string& e : env.entries()) {
        const size_t eq = e.find('=');
        check(eq != std::string::npos && eq > 0);
        for (size_t i = 0; i < eq; ++i) check(e[i] != '\r' && e[i] != '\n' && e[i] != '\0');
        for (size_t i = eq; i < e.size(); ++i) check(e[i] != '\r' && e[i] != '\n' && e[i] != '\0');
    }
    if (!r.ok) check(r.faultText.empty() || text.find(r.faultText) != std::string::npos);
    check(env.entries().size() <= 2 + size_t(r.assignments));

    orvex::settings::ExternalProgram p;
    p.command = "cc";
    p.param = text.substr(0, size / 2);
    p.paramFile = int(size % 3);
    const std::string line = orvex::tools::commandLineFor(p, text.substr(size / 2));
    check(line.compare(0, 2, "cc") == 0);
    orvex::tools::followCurrentFile(p, text);
    return 0;
}
