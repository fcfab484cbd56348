#include "files/AppendToFile.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>

#include "common/codepage/Cp932.h"
#include "common/strings/StringTable.h"
#include "files/DocumentFile.h"
#include "files/FileInfo.h"
#include "files/FileReader.h"
#include "files/FileTexts.h"
#include "files/PathNames.h"

namespace orvex::files {

std::string appendHeaderLine(std::string_view sourceName, const std::tm& localTime) {
    char stamp[32];
    if (std::strftime(stamp, sizeof stamp, "%Y/%m/%d %H:%M:%S", &localTime) == 0) stamp[0] = '\0';
    return "---- " + cp932::fromUtf8(sourceName) + " " + stamp + " ----\r\n";
}

std::string writeAppendTempFile(std::string_view bytes) {
    std::string name = joinPath(temporaryFolder(), "orvXXXXXX.tmp");
    const int fd = ::mkstemps(name.data(), 4);
    if (fd < 0) return {};
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    const bool ok = ::close(fd) == 0 && done == bytes.size();
    if (!ok) {
        ::unlink(name.c_str());
        return {};
    }
    return name;
}

bool appendTempFileToDocument(DocumentFile& file, const AppendRequest& request) {
    CLuDoc& doc = file.document();
    MessageBoxes* messages = doc.platform().messages;
    // Read raw: the text is Shift JIS already, and a detection could take
    // some of it for another code.
    std::string text;
    const size_t room = static_cast<size_t>(TextStore::kMaxTextSize - doc.text().size());
    const ReadFileResult read = readWholeFile(request.tempFile, room, text);
    ::unlink(request.tempFile.c_str());
    if (read.error) {
        if (messages) messages->showText(fileErrorMessage(read.error, request.tempFile, false), MsgIcon::Exclamation);
        return false;
    }
    if (const size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    if (request.utf8) {
        // Characters code page 932 lacks join the target's table; one that
        // finds no code there would be lost, so nothing is appended.
        cp932::PrivateCharTable& table = file.privateChars();
        table.markUsedIn(doc.text().view());
        cp932::PrivateCharTable::FromUnicode in = table.fromUtf8(text);
        if (in.lost > 0) {
            if (messages)
                messages->showText(strings::substitute(kAreaFullAppendWarning, {request.target, std::to_string(in.lost)}),
                                   MsgIcon::Exclamation);
            return false;
        }
        text = std::move(in.text);
    }
    if (!text.empty()) {
        const TextPosition end = doc.text().positionOf(doc.text().length());
        if (doc.insertText(end.row, end.byteColumn, text.data(), static_cast<int32_t>(text.size())) < 0)
            return false;  // too large: reported
        doc.setModified(true);
    }
    bool save = true;
    if (request.targetExisted && !file.options().saveMess && messages)
        save = messages->showId(strings::kSaveChangesTo, MsgIcon::Question, MsgButtons::YesNo, {request.target}) ==
               MsgResult::Yes;
    const bool saved = save && file.saveDocument(request.target, SaveKind::Replace);
    doc.setModified(false);
    return saved;
}

bool runAppendRequest(const Platform& platform, const DocumentFileServices& services, const AppendRequest& request) {
    if (services.openForAppend) return services.openForAppend(request);
    CLuDoc doc(platform);
    DocumentFile file(doc, services);
    if (request.targetExisted) {
        if (!file.open(request.target)) {
            ::unlink(request.tempFile.c_str());
            return false;
        }
    } else {
        file.newDocument();
    }
    return appendTempFileToDocument(file, request);
}

}  // namespace orvex::files
