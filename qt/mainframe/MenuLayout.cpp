#include "qt/mainframe/MenuLayout.h"

#include <algorithm>
#include <map>

#include "common/commands/CommandRegistry.h"
#include "keymacro/KeyMacroRecords.h"

namespace orvex::qt {

namespace {

MenuNode item(CommandId id) { return MenuNode{nullptr, id, {}}; }
MenuNode sep() { return MenuNode{}; }
MenuNode sub(const char* title, std::vector<MenuNode> children) { return MenuNode{title, 0, std::move(children)}; }

// Slot 1's record and play commands, the file and title commands, then
// the record and play commands of slots 2 to 20.
std::vector<MenuNode> keyMacroItems() {
    std::vector<MenuNode> record, play;
    for (int slot = 1; slot < keymacro::kSlotCount; ++slot) {
        record.push_back(item(keymacro::recordCommandOf(slot)));
        play.push_back(item(keymacro::playCommandOf(slot)));
    }
    return {item(cmd::kKeyMacroRecord), item(cmd::kKeyMacroPlay), sep(), item(cmd::kKeyMacroLoad), item(cmd::kKeyMacroSave),
            item(cmd::kKeyMacroTitles), sep(), sub("記録開始/終了(&R)", std::move(record)), sub("再生(&P)", std::move(play))};
}

}  // namespace

std::string promptOf(CommandId id) { return commands::statusPrompt(id); }

std::string menuTextOf(CommandId id) {
    // Menu items whose text is not their prompt.
    if (id == cmd::kKeyMacroTitles) return "ｷｰﾏｸﾛﾀｲﾄﾙ(&V)..";
    std::string text = promptOf(id);
    if (const size_t nl = text.find('\n'); nl != std::string::npos) text.resize(nl);
    return text;
}

// The twenty fixed strings, then their sheet.
static std::vector<MenuNode> fixedStringItems() {
    std::vector<MenuNode> items;
    for (int i = 0; i < 10; ++i) items.push_back(item(CommandId(cmd::kFixedString + i)));
    for (int i = 0; i < 10; ++i) items.push_back(item(CommandId(cmd::kFixedString11 + i)));
    items.push_back(sep());
    items.push_back(item(cmd::kFixedStringsEdit));
    return items;
}

// The ten registered programs.
static std::vector<MenuNode> externalProgramItems() {
    std::vector<MenuNode> items;
    for (int i = 0; i < 10; ++i) items.push_back(item(CommandId(cmd::kExternalProgramRun + i)));
    items.push_back(sep());
    items.push_back(item(cmd::kExternalProgramSheet));
    return items;
}

// The ten macro slots, the sheet, stop and the guide.
static std::vector<MenuNode> macroItems() {
    std::vector<MenuNode> items;
    for (int i = 0; i < 5; ++i) items.push_back(item(CommandId(cmd::kMacroRun + i)));
    for (int i = 0; i < 5; ++i) items.push_back(item(CommandId(cmd::kMacroRun6 + i)));
    items.push_back(sep());
    items.push_back(item(cmd::kMacroSheet));
    items.push_back(item(cmd::kMacroStop));
    items.push_back(item(cmd::kMacroHelp));
    return items;
}

const std::vector<MenuNode>& mainMenuLayout() {
    static const std::vector<MenuNode> menu = {
        sub("ﾌｧｲﾙ(&F)",
            {item(cmd::kFileNew), item(cmd::kFileOpen), item(cmd::kFileClose), item(cmd::kCloseAll), sep(), item(cmd::kFileSave), item(cmd::kFileSaveAs), item(cmd::kFileSaveCopyAs), item(cmd::kSaveAll), sep(),
             item(cmd::kInsertFile), item(cmd::kRevert), item(cmd::kAppendSelectionToFile), sep(), item(cmd::kConvertToShiftJis), item(cmd::kConvertToJis), item(cmd::kConvertToEuc), item(cmd::kConvertToUnicode), item(cmd::kConvertToUtf8), item(cmd::kConvertToUtf8Bom),
             item(cmd::kConvertToCrLf), item(cmd::kConvertToLf), sep(), item(cmd::kPageLayout), item(cmd::kFilePrintSetup), item(cmd::kFilePrint), item(cmd::kFilePrintPreview), item(cmd::kClipboardPrint), sep(), item(cmd::kRecentFilesMenu), item(cmd::kFavouriteFilesMenu), sep(), item(cmd::kSaveAllExit), item(cmd::kDiscardAllExit), item(cmd::kAppExit)}),
        sub("編集(&E)",
            {item(cmd::kUndo), item(cmd::kRedo), sep(), item(cmd::kCut), item(cmd::kCopy), item(cmd::kPaste), item(cmd::kAppendCopy), item(cmd::kAppendCut),
             item(cmd::kExtendedPaste), item(cmd::kCopyAll), sep(), item(cmd::kSelectAll), item(cmd::kClearSelection), item(cmd::kSelectionMode),
             sub("選択(&S)", {item(cmd::kSelectToFileStart), item(cmd::kSelectToFileEnd), item(cmd::kSelectLine), item(cmd::kSelectToLineStart), item(cmd::kSelectToLineEnd), item(cmd::kSelectWord),
                              item(cmd::kSelectToWordStart), item(cmd::kSelectToWordEnd), sep(), item(cmd::kSelectCharLeft), item(cmd::kSelectCharRight), item(cmd::kSelectLineUp), item(cmd::kSelectLineDown),
                              item(cmd::kSelectToNextLine), item(cmd::kSelectWordRight), item(cmd::kSelectPageUp), item(cmd::kSelectPageDown)}),
             sub("削除(&D)", {item(cmd::kDeleteAt), item(cmd::kDeleteBefore), sep(), item(cmd::kDeleteToFileStart), item(cmd::kDeleteToFileEnd), item(cmd::kDeleteLine), item(cmd::kDeleteToLineStart),
                              item(cmd::kDeleteToLineEnd), item(cmd::kDeleteWord), item(cmd::kDeleteToWordStart), item(cmd::kDeleteToWordEnd), sep(), item(cmd::kClearAll)}),
             sub("挿入(&I)", {item(cmd::kEnter), item(cmd::kTab), item(cmd::kBlankLine), item(cmd::kDuplicateLine), item(cmd::kPageBreak), item(cmd::kCodeInput),
                              item(cmd::kInsertDate), item(cmd::kInsertTime), sep(), item(cmd::kInsertBrackets), item(cmd::kInsertUnderline)}),
             sub("変換(&V)", {item(cmd::kToUpperCase), item(cmd::kToLowerCase), item(cmd::kCapitaliseWords), item(cmd::kCapitaliseSentences), sep(),
                              item(cmd::kToFullWidth), item(cmd::kKatakanaToHiragana), item(cmd::kHalfKanaToFullKana), item(cmd::kHalfBlankToFull), sep(),
                              item(cmd::kToHalfWidth), item(cmd::kToHalfWidthAlnum), item(cmd::kFullKanaToHalfKana), item(cmd::kFullBlankToHalf), sep(),
                              item(cmd::kTabsToBlanks), item(cmd::kBlanksToTabs), item(cmd::kIndent), item(cmd::kUnindent), item(cmd::kAlignLeft), item(cmd::kAlignCentre),
                              item(cmd::kAlignRight), sep(), item(cmd::kRemoveLineEnds), item(cmd::kRemoveBlankLines), item(cmd::kSqueezeBlankLines), item(cmd::kBreakAtWrap), sep(),
                              item(cmd::kHtmlToText), item(cmd::kInsertHtmlBr), item(cmd::kInsertHtmlParagraph), item(cmd::kWesternFontRepair), sep(), item(cmd::kSort)}),
             sub("整形(&O)", {item(cmd::kFormat), item(32974), item(32975), item(32980), item(32981), item(33047), item(33048), item(33049), item(33050), item(33051), sep(),
                              item(cmd::kFormattedPaste), item(33112), item(33113), item(33114), sep(), item(cmd::kClipboardFormat), item(cmd::kFormatSheet)}),
             sep(), item(cmd::kCopyToScrap), item(cmd::kCutToScrap), item(cmd::kPasteFromScrap), item(cmd::kScrapList), item(cmd::kClipboardHistory),
             sub("定型文字列(&T)", fixedStringItems())}),
        sub("検索(&S)",
            {item(cmd::kFind), item(cmd::kFindNext), item(cmd::kFindPrevious), item(cmd::kFindSelectedForward), item(cmd::kFindSelectedBackward), item(cmd::kCopyToFindBox), item(cmd::kSearchAndMark), item(cmd::kResetHighlight),
             sep(), item(cmd::kReplace), item(cmd::kReplaceForward), item(cmd::kReplaceBackward), item(cmd::kReplaceAll), item(cmd::kBatchReplace), sep(), item(cmd::kFindInFilesKey), item(cmd::kTagJump), item(cmd::kTagJumpBack), item(cmd::kUrlJump),
             sub("一覧(&L)", {item(cmd::kFunctionSearch), item(cmd::kTitleRowList), item(cmd::kMarkedRowList), item(cmd::kModifiedRowList)}),
             item(cmd::kMatchBracket), sep(), item(cmd::kGoToLine), item(cmd::kJumpAgain),
             item(cmd::kFileTop), item(cmd::kFileBottom), item(cmd::kScreenTop), item(cmd::kScreenBottom), sep(), item(cmd::kMarkToggle), item(cmd::kMarkNext), item(cmd::kMarkPrevious),
             item(cmd::kMarkClearAll), sep(), item(cmd::kTitleNext), item(cmd::kTitlePrevious), item(cmd::kModifiedNext), item(cmd::kModifiedPrevious), item(cmd::kModifiedLast)}),
        sub("ｶｰｿﾙ(&C)",
            {item(cmd::kCharLeft), item(cmd::kCharRight), item(cmd::kLineUp), item(cmd::kLineDown), item(cmd::kWordLeft), item(cmd::kWordRight), item(cmd::kHome), item(cmd::kEnd),
             item(cmd::kNextLine), sep(), item(cmd::kPageUp), item(cmd::kPageDown), item(cmd::kHalfPageUp), item(cmd::kHalfPageDown), item(cmd::kQuarterPageUp), item(cmd::kQuarterPageDown),
             item(cmd::kEighthPageUp), item(cmd::kEighthPageDown), item(cmd::kRowScrollUp), item(cmd::kRowScrollDown)}),
        sub("ﾓｰﾄﾞ(&M)",
            {item(cmd::kInsertOverwrite), item(cmd::kBoxMode), item(cmd::kFreeCursor), item(cmd::kIndentedInsertion), item(cmd::kRuledLineMode), sep(), item(cmd::kAutoIndent), item(cmd::kAutoLineBreak), item(cmd::kAutoWrap),
             item(cmd::kLineLength), item(cmd::kTabStops), sep(), item(cmd::kImeOnOff), item(cmd::kRegisterWord)}),
        sub("ﾂｰﾙ(&T)", {sub("ｷｰﾏｸﾛ(&K)", keyMacroItems()), sub("ﾏｸﾛ(&M)", macroItems()), sub("外部ﾌﾟﾛｸﾞﾗﾑ(&P)", externalProgramItems()), sep(), item(cmd::kCommandTablesSheet), item(cmd::kOptionsSheet), item(cmd::kUrlJumpSettings), sep(),
                       item(cmd::kSettingsImport), item(cmd::kSettingsExport), sep(), item(cmd::kFileAssociation)}),
        sub("表示(&V)", {item(cmd::kToolbar1), item(cmd::kToolBar2Toggle), item(cmd::kStatusBar), item(cmd::kWindowBarToggle), item(cmd::kFileView)}),
        sub("ｳｨﾝﾄﾞｳ(&W)", {item(cmd::kCascade), item(cmd::kTileHorizontal), item(cmd::kTileVertical), item(cmd::kWindowSplit), sep(), item(cmd::kNextWindow), item(cmd::kPreviousWindow),
                           item(cmd::kScrollAllWindows), sep(), item(cmd::kArrangeInstancesStacked), item(cmd::kArrangeInstancesSideBySide)}),
        sub("ﾍﾙﾌﾟ(&H)", {item(cmd::kAbout)}),
    };
    return menu;
}

const std::vector<MenuNode>& contextSubmenu(CommandId id) {
    static const std::map<CommandId, std::vector<MenuNode>> menus = {
        {32893, {item(cmd::kSelectAll), item(cmd::kSelectLine), item(cmd::kSelectWord), item(cmd::kSelectToLineStart), item(cmd::kSelectToLineEnd), item(cmd::kSelectToFileStart), item(cmd::kSelectToFileEnd), sep(),
                 item(cmd::kSelectionMode), item(cmd::kClearSelection)}},
        {32894, {item(cmd::kDeleteLine), item(cmd::kDeleteToLineStart), item(cmd::kDeleteToLineEnd), item(cmd::kDeleteWord), item(cmd::kDeleteToFileStart), item(cmd::kDeleteToFileEnd), sep(), item(cmd::kClearAll)}},
        {32895, {item(cmd::kToUpperCase), item(cmd::kToLowerCase), item(cmd::kToFullWidth), item(cmd::kToHalfWidth), item(cmd::kTabsToBlanks), item(cmd::kBlanksToTabs),
                 sep(), item(cmd::kIndent), item(cmd::kUnindent), sep(), item(cmd::kFormatMenu), item(cmd::kFormattedPasteMenu)}},
        {32896, {item(cmd::kBlankLine), item(cmd::kDuplicateLine), item(cmd::kPageBreak), item(cmd::kCodeInput), item(cmd::kInsertDate), item(cmd::kInsertTime)}},
        {32897, {item(cmd::kInsertOverwrite), item(cmd::kBoxMode), item(cmd::kFreeCursor), item(cmd::kIndentedInsertion), sep(), item(cmd::kAutoIndent), item(cmd::kAutoLineBreak), item(cmd::kAutoWrap),
                 sep(), item(cmd::kImeOnOff)}},
    };
    static const std::vector<MenuNode> none;
    auto it = menus.find(id);
    return it != menus.end() ? it->second : none;
}

}  // namespace orvex::qt
