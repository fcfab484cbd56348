#include "files/FileError.h"

#include <cerrno>

#include "common/strings/StringTable.h"

namespace orvex::files {

FileError fileErrorFromErrno(int err) {
    FileErrorKind kind;
    switch (err) {
        case 0: kind = FileErrorKind::Other; break;
        case ENOENT: kind = FileErrorKind::NotFound; break;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EINVAL: kind = FileErrorKind::BadPath; break;
        case EISDIR: kind = FileErrorKind::IsFolder; break;
        case EACCES:
        case EPERM: kind = FileErrorKind::AccessDenied; break;
        case EWOULDBLOCK:
        case ETXTBSY:
        case EBUSY: kind = FileErrorKind::SharingViolation; break;
        case EROFS: kind = FileErrorKind::ReadOnly; break;
        case ENOSPC:
        case EDQUOT: kind = FileErrorKind::DiskFull; break;
        case EFBIG:
        case EOVERFLOW: kind = FileErrorKind::TooLarge; break;
        case EIO: kind = FileErrorKind::IoError; break;
        case ENOMEM: kind = FileErrorKind::OutOfMemory; break;
        default: kind = FileErrorKind::Other; break;
    }
    return FileError{kind, err};
}

std::string fileErrorMessage(const FileError& error, std::string_view path, bool writing) {
    using strings::substitute;
    switch (error.kind) {
        case FileErrorKind::None: return {};
        case FileErrorKind::SharingViolation: return strings::format(strings::kAccessDenied, {path});
        case FileErrorKind::ReadOnly: return strings::format(strings::kReadOnlyFile, {path});
        case FileErrorKind::NotFound: return substitute("%1 が見つかりません。", {path});
        // A device error gets the bad-path message.
        case FileErrorKind::BadPath:
        case FileErrorKind::IoError: return substitute("%1 のﾊﾟｽが正しくありません。", {path});
        case FileErrorKind::IsFolder: return substitute("%1 はﾌｫﾙﾀﾞです。", {path});
        case FileErrorKind::AccessDenied: return substitute("%1 にｱｸｾｽできません。", {path});
        case FileErrorKind::TooLarge:
            return writing ? substitute("%1 を保存できません。ﾌｧｲﾙが大きすぎます。", {path})
                           : std::string(kFileTooLargeText);
        case FileErrorKind::DiskFull: return substitute("ﾃﾞｨｽｸの空き容量が足りないため %1 を保存できません。", {path});
        case FileErrorKind::ShortRead: return substitute("%1 の読み込み中にﾌｧｲﾙの終わりに達しました。", {path});
        case FileErrorKind::OutOfMemory: return "ﾒﾓﾘが足りません。";
        case FileErrorKind::Other: break;
    }
    return writing ? substitute("%1 を保存できません。", {path}) : substitute("%1 を開けません。", {path});
}

}  // namespace orvex::files
