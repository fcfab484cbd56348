#pragma once
// Result documents: the documents that find in files, the row and function
// lists and external programs fill with tag-file lines. A result document
// is a tag file (tag jump on a double-click) that can be saved like any
// other document; a run into one that was filled before appends after an
// empty line, so runs accumulate.
#include <string>
#include <string_view>

namespace orvex::shell {

class EditorSession;
class EditorWindow;

// The window a new result goes to: with FindWnd off, an open result
// document (the first); otherwise a new untitled document.
EditorWindow* resultWindowFor(EditorSession& session);

// Prepares a result run: marks the document a tag file; a first run sets
// the title (UTF-8); a later one brings the window to the front, lifts the
// write protection and puts "\r\n" at the end.
void beginResult(EditorWindow& window, const std::string& title);
// Appends Shift JIS text at the end (no undo record; the view follows).
void appendResult(EditorWindow& window, std::string_view text);
// Ends the run: initialised, write-protected with TagFileWrtProt, not
// modified, no modified rows, no undo history.
void finishResult(EditorWindow& window);
// True while the document holds no text.
bool resultEmpty(EditorWindow& window);

// A result document's title after the search string (Shift JIS): the
// string up to the first character a file name cannot hold, followed by
// ".tag"; "検索結果.tag" when that leaves nothing.
std::string resultTitleFor(std::string_view searchString);

}  // namespace orvex::shell
