#include "shell/CommandCategories.h"

#include <algorithm>

#include "common/commands/CommandRegistry.h"
#include "shell/CommandTableDefaults.h"
#include "shell/KeyLookup.h"
#include "shell/KeyNames.h"

namespace orvex::shell {

namespace {

using namespace cmd;

constexpr CommandId kFileCommands[] = {
    kFileNew, kFileOpen, kFileClose, kCloseAll, kFileSave, kFileSaveAs, kFileSaveCopyAs, kSaveAll, kInsertFile, kRevert,
    kAppendSelectionToFile, kConvertToShiftJis, kConvertToJis, kConvertToEuc, kConvertToUnicode, kConvertToUtf8,
    kConvertToUtf8Bom, kConvertToCrLf, kConvertToLf, kPageLayout, kFilePrintSetup, kFilePrint, kFilePrintDirect,
    kFilePrintPreview, kClipboardPrint, kFileView,
    kAddFavouriteFile, kSaveAllExit, kDiscardAllExit, kAppExit};
constexpr CommandId kEdit1Commands[] = {
    kUndo, kRedo, kCut, kCopy, kPaste, kAppendCopy, kAppendCut, kExtendedPaste, kCopyAll, kSelectAll, kClearSelection,
    kSelectionMode, kSelectToFileStart, kSelectToFileEnd, kSelectLine, kSelectToLineStart, kSelectToLineEnd, kSelectWord,
    kSelectToWordStart, kSelectToWordEnd, kSelectCharLeft, kSelectCharRight, kSelectLineUp, kSelectLineDown,
    kSelectToNextLine, kSelectWordRight, kSelectPageUp, kSelectPageDown, kDeleteAt, kDeleteBefore, kDeleteToFileStart,
    kDeleteToFileEnd, kDeleteLine, kDeleteToLineStart, kDeleteToLineEnd, kDeleteWord, kDeleteToWordStart,
    kDeleteToWordEnd, kClearAll, kEnter, kTab, kBlankLine, kDuplicateLine, kPageBreak, kCodeInput, kInsertDate,
    kInsertTime, kCopyToScrap, kCutToScrap, kPasteFromScrap, kClipboardHistory};
constexpr CommandId kEdit2Commands[] = {
    kInsertOverwrite, kBoxMode, kFreeCursor, kIndentedInsertion, kAutoIndent, kAutoLineBreak, kAutoWrap, kLineLength,
    kTabStops, kImeOnOff, kRegisterWord, kRuledLineMode, kIndent, kUnindent, kToUpperCase, kToLowerCase, kToFullWidth,
    kToHalfWidth, kTabsToBlanks, kBlanksToTabs, kSort, kFormat, kFormatSheet, kAlignLeft, kAlignCentre, kAlignRight};
constexpr CommandId kCursorCommands[] = {
    kCharLeft, kCharRight, kLineUp, kLineDown, kWordLeft, kWordRight, kHome, kEnd, kNextLine, kPageUp, kPageDown,
    kHalfPageUp, kHalfPageDown, kQuarterPageUp, kQuarterPageDown, kEighthPageUp, kEighthPageDown, kRowScrollUp,
    kRowScrollDown, kScreenTop, kScreenBottom, kFileTop, kFileBottom, kGoToLine, kJumpAgain};
constexpr CommandId kSearchCommands[] = {
    kFind, kFindNext, kFindPrevious, kFindSelectedForward, kFindSelectedBackward, kCopyToFindBox, kSearchAndMark,
    kResetHighlight, kReplace, kReplaceForward, kReplaceBackward, kReplaceAll, kBatchReplace, kMarkToggle, kMarkNext,
    kMarkPrevious, kMarkClearAll, kTitleNext, kTitlePrevious, kModifiedNext, kModifiedPrevious, kModifiedLast,
    kMatchBracket, kFindInFilesKey, kFindInFiles, kTagJump, kFunctionSearch, kTitleRowList, kMarkedRowList};
constexpr CommandId kWindowCommands[] = {kCascade, kTileHorizontal, kTileVertical, kWindowSplit, kNextWindow,
                                         kPreviousWindow, kToolbar1, kStatusBar, kFitWindowSize};
constexpr CommandId kToolCommands[] = {
    kKeyMacroRecord, kKeyMacroPlay, kKeyMacroLoad, kKeyMacroSave, kKeyMacroTitles, kMacroSheet, kExternalProgram,
    kFixedStringsEdit, kCommandTablesSheet,
    // Slots 2 to 20.
    kKeyMacroRecord2, kKeyMacroRecord2 + 1, kKeyMacroRecord2 + 2, kKeyMacroRecord2 + 3, kKeyMacroRecord6,
    kKeyMacroRecord6 + 1, kKeyMacroRecord6 + 2, kKeyMacroRecord6 + 3, kKeyMacroRecord6 + 4, kKeyMacroRecord11,
    kKeyMacroRecord11 + 1, kKeyMacroRecord11 + 2, kKeyMacroRecord11 + 3, kKeyMacroRecord11 + 4, kKeyMacroRecord11 + 5,
    kKeyMacroRecord11 + 6, kKeyMacroRecord11 + 7, kKeyMacroRecord11 + 8, kKeyMacroRecord11 + 9, kKeyMacroPlay2,
    kKeyMacroPlay2 + 1, kKeyMacroPlay2 + 2, kKeyMacroPlay2 + 3, kKeyMacroPlay6, kKeyMacroPlay6 + 1, kKeyMacroPlay6 + 2,
    kKeyMacroPlay6 + 3, kKeyMacroPlay6 + 4, kKeyMacroPlay11, kKeyMacroPlay11 + 1, kKeyMacroPlay11 + 2,
    kKeyMacroPlay11 + 3, kKeyMacroPlay11 + 4, kKeyMacroPlay11 + 5, kKeyMacroPlay11 + 6, kKeyMacroPlay11 + 7,
    kKeyMacroPlay11 + 8, kKeyMacroPlay11 + 9};
constexpr CommandId kOtherCommands[] = {kAbout, kHelpIndex, kHelpContext, kUrlJump, kViewInBrowser, kFindBox};
constexpr CommandId kSubmenuCommands[] = {kSelectMenu,  kEraseMenu,      kConvertMenu, kInsertMenu,        kInputModeMenu,
                                          kFormatMenu, kFixedStringMenu, kScrapMenu,   kFormattedPasteMenu};

// The toolbar page's "編集": both editing categories.
const std::vector<CommandId>& toolbarEditCommands() {
    static const std::vector<CommandId> ids = [] {
        std::vector<CommandId> v(std::begin(kEdit1Commands), std::end(kEdit1Commands));
        v.insert(v.end(), std::begin(kEdit2Commands), std::end(kEdit2Commands));
        v.insert(v.end(), std::begin(kCursorCommands), std::end(kCursorCommands));
        return v;
    }();
    return ids;
}

}  // namespace

std::span<const CommandCategory> keyPageCategories() {
    static const CommandCategory c[] = {{"ファイル", kFileCommands},   {"編集１", kEdit1Commands},
                                        {"編集２", kEdit2Commands},     {"ｶｰｿﾙ移動", kCursorCommands},
                                        {"検索", kSearchCommands},      {"ウィンドウ", kWindowCommands},
                                        {"ツール", kToolCommands},      {"その他", kOtherCommands}};
    return c;
}

std::span<const CommandCategory> menuPageCategories() {
    static const CommandCategory c[] = {{"ファイル", kFileCommands},         {"編集１", kEdit1Commands},
                                        {"編集２", kEdit2Commands},           {"編集ﾎﾟｯﾌﾟｱｯﾌﾟ", kSubmenuCommands},
                                        {"ｶｰｿﾙ移動", kCursorCommands},        {"検索", kSearchCommands},
                                        {"ウィンドウ", kWindowCommands},      {"ツール", kToolCommands},
                                        {"その他", kOtherCommands}};
    return c;
}

std::span<const CommandCategory> toolbarPageCategories() {
    static const CommandCategory c[] = {{"ファイル", kFileCommands},    {"編集", toolbarEditCommands()},
                                        {"検索", kSearchCommands},      {"ウィンドウ", kWindowCommands},
                                        {"ツール", kToolCommands},      {"その他", kOtherCommands}};
    return c;
}

int categoryOf(std::span<const CommandCategory> categories, CommandId id) {
    for (size_t i = 0; i < categories.size(); ++i)
        if (std::find(categories[i].commands.begin(), categories[i].commands.end(), id) != categories[i].commands.end())
            return int(i);
    return -1;
}

std::vector<ListedKey> keysOfKind(KeyKind kind, bool alt, bool ctrl, bool shift) {
    const uint8_t flags = (alt ? kKeyAlt : 0) | (ctrl ? kKeyCtrl : 0) | (shift ? kKeyShift : 0);
    std::vector<uint16_t> keys;
    switch (kind) {
    case KeyKind::AlphaNumeric:
        if (!alt && !ctrl) break;
        for (uint16_t k = '0'; k <= '9'; ++k) keys.push_back(k);
        for (uint16_t k = 'A'; k <= 'Z'; ++k) keys.push_back(k);
        for (const NamedKey& n : punctuationKeys()) keys.push_back(n.key);
        break;
    case KeyKind::Special:
        for (const NamedKey& n : specialKeys()) keys.push_back(n.key);
        break;
    case KeyKind::Keypad:
        for (const NamedKey& n : keypadKeys()) keys.push_back(n.key);
        break;
    }
    std::vector<ListedKey> out;
    for (uint16_t k : keys) out.push_back({keyNameWithModifiers(flags, k), k});
    return out;
}

std::string commandDescription(CommandId id) {
    std::string text = commands::statusPrompt(id);
    if (const size_t nl = text.find('\n'); nl != std::string::npos) text.resize(nl);
    return text;
}

std::string commandShortName(CommandId id) {
    const std::string text = commands::statusPrompt(id);
    const size_t nl = text.find('\n');
    return nl == std::string::npos ? text : text.substr(nl + 1);
}

settings::KeyTable linuxKeyTable() {
    settings::KeyTable t;
    applyKeyDefaults(t);
    struct Key {
        uint8_t modifiers;
        uint16_t key;
        CommandId command;
    };
    constexpr uint16_t kF3 = 0x72;
    const Key keys[] = {
        {kKeyCtrl, 'A', kSelectAll},         {kKeyCtrl, 'Z', kUndo},        {kKeyCtrl | kKeyShift, 'Z', kRedo},
        {kKeyCtrl, 'F', kFind},              {0, kF3, kFindNext},           {kKeyShift, kF3, kFindPrevious},
        {kKeyCtrl, 'H', kReplace},           {kKeyCtrl, 'N', kFileNew},     {kKeyCtrl, 'O', kFileOpen},
        {kKeyCtrl, 'S', kFileSave},          {kKeyCtrl, 'P', kFilePrint},   {kKeyCtrl, 'G', kGoToLine},
        {kKeyCtrl, 'W', kFileClose},
    };
    for (const Key& k : keys) assignKey(t, k.modifiers, k.key, k.command);
    t.changed = true;
    return t;
}

}  // namespace orvex::shell
