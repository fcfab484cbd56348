#pragma once
// What a start of a registered program runs: the command line built from
// the command, the parameters and the current file's name, and the working
// folder that follows the current file.
//
// The parameters are put into the command line as they stand and the line
// goes to /bin/sh: quotes, "$", ";" and the like in them (or in the file's
// name) mean to the shell what they always mean.
#include <string>
#include <string_view>

#include "settings/FrameOptions.h"

namespace orvex::tools {

// The part of a path after its last "/" (the whole path without one).
std::string_view fileNameOf(std::string_view path);
// The folder of a path: the text before its last "/", or "/" when that
// slash is the root; empty when the path has no "/".
std::string folderOf(std::string_view path);

// The parameters with the current file's name added as `paramFile` says
// (1 after them, 2 before them, each time with one blank between); an
// empty current file adds nothing.
std::string parametersFor(const settings::ExternalProgram& program, std::string_view currentFile);
// Command + " " + parameters, or the command alone when the parameters
// are empty.
std::string commandLineFor(const settings::ExternalProgram& program, std::string_view currentFile);
// With `dirFile` set and a current file that has a folder, the working
// folder becomes that folder (the registration changes in place).
void followCurrentFile(settings::ExternalProgram& program, std::string_view currentFile);

}  // namespace orvex::tools
