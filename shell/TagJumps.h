#pragma once
// Tag jump: the file and line a line of a document names (a result line,
// a compiler message, a grep hit) opened in its window, with the way back
// to where each jump started.
//
// A relative name resolves against the working folder of the program that
// wrote a tool-output document, otherwise against the folder of the
// document's file; in a document without a file it stays relative to the
// editor's current folder. A line without a number puts the caret on the
// first line.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {
class CLuView;
}

namespace orvex::shell {

class EditorDocument;
class EditorSession;
class EditorWindow;

class TagJumps {
public:
    explicit TagJumps(EditorSession& session) : m_session(session) {}

    // Jumps from the caret's logical line of the view (of `document`).
    // False when the line names no file or the file could not be opened.
    bool jumpFrom(CLuView& view, EditorDocument& document);
    // Opens `path` (or activates its window) at logical line `line` (from
    // 1; 0 the first line). Null when it cannot be opened.
    EditorWindow* open(const std::string& path, int32_t line);
    // Back to where the last jump started; false when there is nowhere to
    // go (the way back is empty, or its window is gone and its file cannot
    // be opened).
    bool back();
    bool canGoBack() const { return !m_origins.empty(); }

    // The folder a relative name in the document resolves against.
    static std::string baseFolderOf(const EditorDocument& document);

private:
    struct Origin {
        EditorWindow* window;  // checked against the open windows before use
        std::string path;      // the document's file, to reopen it when the window went
        int32_t line;          // from 1
    };
    EditorSession& m_session;
    std::vector<Origin> m_origins;
};

}  // namespace orvex::shell
