#pragma once
// Open and save dialogs asked for by the core. The character-code and
// line-end lists are data chosen by the caller; the Qt layer shows them as
// combo boxes beside the file list.
#include <optional>
#include <string>
#include <vector>

namespace orvex {

struct FileDialogRequest {
    bool save = false;
    bool multiSelect = false;
    std::string title;             // UTF-8, empty = the default title
    std::string directory;         // initial folder
    std::string fileName;          // initial name
    std::vector<std::string> filters;  // "Text (*.txt)" style entries
    int filterIndex = 0;
    std::vector<std::string> codeChoices;     // empty = no code list
    int codeIndex = 0;
    std::vector<std::string> lineEndChoices;  // empty = no line-end list
    int lineEndIndex = 0;
};

struct FileDialogResult {
    std::vector<std::string> paths;  // at least one
    int filterIndex = 0;
    int codeIndex = 0;
    int lineEndIndex = 0;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Empty when the user cancels.
    virtual std::optional<FileDialogResult> ask(const FileDialogRequest& request) = 0;
};

}  // namespace orvex
