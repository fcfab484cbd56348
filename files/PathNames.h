#pragma once
// Pieces of "/"-separated paths, as bytes of the file system.
#include <string>
#include <string_view>

namespace orvex::files {

// The part after the last "/" (the whole path when there is none).
std::string_view fileNameOf(std::string_view path);
// The part before the last "/" ("/" for a file at the root, "." for a bare
// name).
std::string folderOf(std::string_view path);
// folder + "/" + name, without doubling a "/" that ends the folder. An
// empty folder gives the name.
std::string joinPath(std::string_view folder, std::string_view name);
// The extension of a file name, from its last "." on (".txt"), or empty. A
// name's leading "." (".profile") starts no extension.
std::string_view extensionOf(std::string_view fileName);

}  // namespace orvex::files
