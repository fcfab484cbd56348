#pragma once
// Appending the selection to a file (command 32868): the selection goes to
// a temporary file, then the target is opened in a document of its own,
// the temporary file's text is added at its end and the target is saved.
#include <ctime>
#include <string>
#include <string_view>

#include "common/platform/Platform.h"
#include "files/DocumentFileServices.h"

namespace orvex::files {

class DocumentFile;

// The line written before the selection with SaveCmnt: the source
// document's name and the time, in Shift JIS, ending in CR LF.
std::string appendHeaderLine(std::string_view sourceName, const std::tm& localTime);

// A new temporary file (readable by this user only) holding the bytes;
// empty when none could be made.
std::string writeAppendTempFile(std::string_view bytes);

// Completes a request in a document opened on the target (or a new one when
// the target did not exist): the temporary file's text goes at the end of
// the text exactly as it was written (UTF-8 through the target's table
// when the request says so; refused with a message when the table has no
// room for its characters), the temporary file is removed, and
// the document is saved under the target's name, after the question 30042
// when the target existed and SaveMess is off. The document is left
// unmodified. True when the target was saved.
bool appendTempFileToDocument(DocumentFile& file, const AppendRequest& request);

// The whole request: through services.openForAppend when the windows
// provide it, otherwise in a document without a window.
bool runAppendRequest(const Platform& platform, const DocumentFileServices& services, const AppendRequest& request);

}  // namespace orvex::files
