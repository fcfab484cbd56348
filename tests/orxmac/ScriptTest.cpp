// Drives the command-line runner with the macro scripts in scripts/.
//
// Each script says what it expects in comment lines of its own:
//   //? options        options for the runner (default none)
//   //! status         the runner's exit status (default 0)
//   //> text           one line of the runner's output, in order
// Directive lines are in the script's encoding: Shift JIS, or UTF-8 when
// the options hold --utf8. The runner prints UTF-8.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "common/codepage/Cp932.h"

namespace {

struct Script {
    std::string path;
    std::string name;
};

std::vector<Script> listScripts() {
    std::vector<Script> scripts;
    for (const auto& entry : std::filesystem::directory_iterator(ORXMAC_SCRIPTS)) {
        if (entry.path().extension() != ".mac") continue;
        std::string name = entry.path().stem().string();
        std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        scripts.push_back({entry.path().string(), name});
    }
    std::sort(scripts.begin(), scripts.end(), [](const Script& a, const Script& b) { return a.name < b.name; });
    return scripts;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string directive(const std::string& line, const char* mark) {
    if (line.rfind(mark, 0) != 0) return {};
    std::string rest = line.substr(3);
    if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
    return rest;
}

}  // namespace

class MacroScripts : public ::testing::TestWithParam<Script> {};

TEST_P(MacroScripts, RunnerOutputMatches) {
    std::ifstream in(GetParam().path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string options;
    int expectedStatus = 0;
    std::vector<std::string> expected;
    for (const std::string& line : splitLines(text)) {
        if (line.rfind("//?", 0) == 0) options = directive(line, "//?");
        if (line.rfind("//!", 0) == 0) expectedStatus = std::stoi(directive(line, "//!"));
        if (line.rfind("//>", 0) == 0) expected.push_back(directive(line, "//>"));
    }
    if (options.find("--utf8") == std::string::npos) {
        for (std::string& e : expected) e = orvex::cp932::toUtf8(e);
    }

    const std::string command = std::string("'") + ORXMAC_RUNNER + "' " + options + " '" + GetParam().path + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status)) << output;
    EXPECT_EQ(WEXITSTATUS(status), expectedStatus) << output;
    EXPECT_EQ(splitLines(output), expected) << output;
}

INSTANTIATE_TEST_SUITE_P(Runner, MacroScripts, ::testing::ValuesIn(listScripts()),
                         [](const ::testing::TestParamInfo<Script>& info) { return info.param.name; });

TEST(MacroRunner, UsageErrorsExitWith2) {
    for (const char* args : {"", "--budget 0 x.mac", "--nonsense x.mac", "/no/such/file.mac"}) {
        const std::string command = std::string("'") + ORXMAC_RUNNER + "' " + args + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << args;
        EXPECT_EQ(WEXITSTATUS(status), 2) << args;
    }
}
