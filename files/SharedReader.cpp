#include "files/SharedReader.h"

#include "files/FileReader.h"
#include "files/FileTexts.h"

namespace orvex::files {

ChoiceRequest notTextQuestion() {
    ChoiceRequest q;
    q.title = "開く";
    q.text = "このﾌｧｲﾙの一部または全部がﾃｷｽﾄ形式ではありません";
    q.buttons = {"強制的に開く", "ｲﾒｰｼﾞ表示", "閉じる", "ﾍﾙﾌﾟ"};
    q.icon = MsgIcon::Question;
    q.defaultButton = 0;
    q.cancelButton = 2;
    return q;
}

int askNotText(MessageBoxes& messages) {
    switch (messages.choose(notTextQuestion())) {
        case 0: return kNotTextOpen;
        case 1: return kNotTextView;
        default: return kNotTextClose;
    }
}

void reportUnreadable(const Platform& platform, const std::string& path, const ConvertResult& converted) {
    if (converted.unreadable == 0 || !platform.messages) return;
    platform.messages->showText(strings::substitute(kUnreadableWarning, {path, std::to_string(converted.unreadable)}),
                                MsgIcon::Exclamation);
}

SharedReadResult readTextFile(const Platform& platform, const std::string& path, size_t maxBytes, int readSetting,
                              ReadTarget& target, cp932::PrivateCharTable* table) {
    SharedReadResult result;
    result.path = path;
    if (result.path.empty()) {
        if (!platform.fileDialogs) return result;
        FileDialogRequest request;
        request.save = false;
        const std::optional<FileDialogResult> chosen = platform.fileDialogs->ask(request);
        if (!chosen || chosen->paths.empty()) return result;
        result.path = chosen->paths.front();
    }

    const ReadFileResult read = readWholeFile(result.path, maxBytes, target);
    if (read.error) {
        result.error = read.error;
        if (platform.messages) {
            if (read.error.kind == FileErrorKind::SharingViolation)
                platform.messages->showId(strings::kAccessDenied, MsgIcon::Exclamation, MsgButtons::Ok, {result.path});
            else
                platform.messages->showText(fileErrorMessage(read.error, result.path, false), MsgIcon::Exclamation);
        }
        return result;
    }
    result.time = read.time;
    // The read left room for one byte after the file's.
    char* data = target.resize(read.size);
    size_t length = read.size;
    result.prepared = prepareFileText(reinterpret_cast<uint8_t*>(data), length, readSetting, table);
    if (result.prepared.hasNul) {
        result.notTextAnswer = platform.messages ? askNotText(*platform.messages) : kNotTextClose;
        if (result.notTextAnswer != kNotTextOpen) return result;
        replaceNuls(data, length);
    }
    result.length = length;
    result.ok = true;
    return result;
}

SharedReadResult readTextFile(const Platform& platform, const std::string& path, size_t maxBytes, int readSetting,
                              std::string& text, cp932::PrivateCharTable* table) {
    StringReadTarget target(text);
    text.clear();
    SharedReadResult result = readTextFile(platform, path, maxBytes, readSetting, target, table);
    text.resize(result.ok ? result.length : 0);
    return result;
}

}  // namespace orvex::files
