#include "tools/ProgramLine.h"

namespace orvex::tools {

std::string_view fileNameOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string folderOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {};
    return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

std::string parametersFor(const settings::ExternalProgram& program, std::string_view currentFile) {
    if (program.paramFile == 0 || currentFile.empty()) return program.param;
    const std::string name(fileNameOf(currentFile));
    if (program.paramFile == 1) return program.param + " " + name;
    if (program.paramFile == 2) return name + " " + program.param;
    return program.param;
}

std::string commandLineFor(const settings::ExternalProgram& program, std::string_view currentFile) {
    const std::string params = parametersFor(program, currentFile);
    return params.empty() ? program.command : program.command + " " + params;
}

void followCurrentFile(settings::ExternalProgram& program, std::string_view currentFile) {
    if (program.dirFile == 0) return;
    std::string folder = folderOf(currentFile);
    if (!folder.empty()) program.dir = std::move(folder);
}

}  // namespace orvex::tools
