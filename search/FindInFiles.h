#pragma once
// Find in files: searching a folder tree, or a list of files, for a
// compiled pattern and writing every hit as a tag-file line
// ("%s(%d): %s\r\n": path, line number from 1, the line's text).
//
// Each file is read whole and goes through the load's character-code
// detection and conversion, so Shift JIS, JIS, EUC, UTF-8 and UTF-16 files
// are all searched as the Shift JIS text the editor would show. A file
// that holds NUL bytes is not text and is skipped. Lines are searched one
// at a time: a match never spans a line end, and with `onlyOnePerFile` a
// file gives at most one line. A line is written once however many hits
// it holds.
//
// The walk: the filter is split at ";"; for each pattern in turn the
// folder's matching files are searched (in name order), then, with
// `subFolders`, every subfolder the same way, depth first. A file that
// matches several patterns is searched once per pattern, as the patterns
// are separate walks. Symbolic links are followed, but a folder already
// entered in this walk is not entered again, so link loops end. Folders
// that cannot be opened below the top are passed over; a top folder that
// cannot be opened ends the walk of that pattern.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/CompiledPattern.h"

namespace orvex::search {

struct FindInFilesRequest {
    std::string folder;   // the folder searched (ignored with `files`)
    std::string filter;   // wildcard patterns ("*", "?") separated by ";"
    bool subFolders = false;
    bool onlyOnePerFile = false;
    // When set, exactly these files are searched (the open documents), in
    // this order, and the walk does not happen.
    bool useFiles = false;
    std::vector<std::string> files;
    // The longest text of a line written into a result line (cut at a
    // character boundary); longer lines keep their numbers.
    size_t maxLineText = 4095;
    int readSetting = 0;  // AutoKanji: how codes are detected
};

// What the search reports as it goes.
class FindInFilesSink {
public:
    virtual ~FindInFilesSink() = default;
    // Result lines, in order; called every 32 hits and at the end with
    // what came since (so a caller appends in batches).
    virtual void write(std::string_view lines) = 0;
    // Called with every batch and every few hundred files: false stops the
    // search (the hits written so far stay).
    virtual bool keepGoing() { return true; }
    // A file that could not be opened or read; the search goes on.
    virtual void cannotOpen(const std::string& path) {}
};

struct FindInFilesResult {
    size_t hits = 0;         // lines written
    size_t filesSearched = 0;
    size_t filesSkipped = 0;  // not text
    bool stopped = false;    // keepGoing() said stop
    bool folderMissing = false;  // the top folder could not be opened
};

FindInFilesResult findInFiles(const CompiledPattern& pattern, const FindInFilesRequest& request, FindInFilesSink& sink);

// Searches one text already in Shift JIS (the form convertText leaves),
// appending a result line per line with a hit under `path`. Returns the
// lines written. Exposed for the benchmarks and tests.
size_t searchText(const CompiledPattern& pattern, std::string_view text, std::string_view path, bool onlyOne,
                  size_t maxLineText, std::string& out);

// Wildcard match of a file name: "*" any run, "?" one character, letter
// case counts (file names on Linux are case-sensitive); "*.*" matches every
// name, with or without a dot.
bool wildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace orvex::search
