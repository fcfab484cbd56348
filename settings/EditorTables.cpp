// The key tables of the editor option set.
#include "common/codepage/Cp932.h"
#include "settings/EditorOptions.h"
#include "settings/FormatPreset.h"

namespace orvex::settings {

namespace {

// Built-in texts (UTF-8 here, Shift JIS in the options).
constexpr const char* kKinsokuStr1 =
    "!%),.:;?]}｡｣､･ﾞﾟ、。，．・：；？！゛゜ヽヾゝゞ々’”）〕］｝〉》」』】°′″℃￠％‰";
constexpr const char* kKinsokuStr2 = "$([\\{｢‘“（〔［｛〈《「『【￥＄￡";
// Full-width pairs, then the half-width pairs with a blank inside each.
constexpr const char* kBrakets =
    "（）,〔〕,［］,｛｝,〈〉,《》,「」,『』,【】,＜＞,≪≫,“”,‘’,〝〟,( ),< >,[ ],{ },\" \",' '";
constexpr const char* kDblSpc = "□";
constexpr const char* kProhibitCnctChr = "([{｢・（〔［｛〈《「『【";
constexpr const char* kProhibitCnctChrL = ".。．";

}  // namespace

EditorOptions::EditorOptions()
    : dblSpc(cp932::fromUtf8(kDblSpc)),
      brakets(cp932::fromUtf8(kBrakets)),
      kinsokuStr1(cp932::fromUtf8(kKinsokuStr1)),
      kinsokuStr2(cp932::fromUtf8(kKinsokuStr2)) {}

FormatPreset::FormatPreset()
    : prohibitCnctChr(cp932::fromUtf8(kProhibitCnctChr)), prohibitCnctChrL(cp932::fromUtf8(kProhibitCnctChrL)) {}

const SettingsTable<ModeOptions>& modeOptionsTable() {
    using M = ModeOptions;
    static const SettingsTable<M> table("Settings", Numbering::PlainThenNext, kModeCount, {
        strKey<&M::extSel>("ExtSel", ""),
        // Quarter columns; the tab dialog offers 1 to 16 columns. Below 4 the
        // tab width would be 0 columns.
        intKey<&M::tabStops>("TabStops", 16).clamp(4, 64),
        intKey<&M::lineMax>("LineMax", 80).clamp(10, 2000),
        intKey<&M::adjCol>("AdjCol", 0),
        intKey<&M::freeCurs>("FreeCurs", 0),
        intKey<&M::freeCursHome>("FreeCursHome", 0).with(kDigits),
        intKey<&M::autoIndent>("AutoIndent", 0),
        intKey<&M::autoIndentF>("AutoIndentF", 1),
        intKey<&M::tabCode>("TabCode", 0),
        intKey<&M::freeTab>("FreeTab", 0),
        intKey<&M::wrapCr>("WrapCr", 0),
        intKey<&M::wrapNum>("WrapNum", 0).clamp(0, 2000),
        intKey<&M::kinsoku>("Kinsoku", 0),
        intKey<&M::wordWrap>("WordWrap", 0),
        intKey<&M::stopEof>("StopEof", 0),
        intKey<&M::cmntSel>("CmntSel", -1).with(kDigits).clamp(-1, 8),
        strKey<&M::usrCmnt>("UsrCmnt", "").with(kDigits),
        intKey<&M::keywdSel>("KeywdSel%d", -1).numbered(1, 2).with(kDigits),
        intKey<&M::keywdSel>("KeywdSel%d", 0).numbered(3, 6, 2).with(kDigits),
        intKey<&M::ttwdSel>("TTwdSel%d", -1).numbered(1, 2).with(kDigits),
        intKey<&M::ttwdSel>("TTwdSel%d", 0).numbered(3, 2, 2).with(kDigits),
    });
    return table;
}

const SettingsTable<EditorOptions>& editorOptionsTable() {
    using E = EditorOptions;
    static const SettingsTable<E> table("Settings", Numbering::Single, 1, {
        intKey<&E::lineNoDisp>("LineNoDisp", 1),
        intKey<&E::crDisp>("CRDisp", 1),
        intKey<&E::eofDisp>("EOFDisp", 0).from("CRDisp"),
        intKey<&E::rulaDisp>("RulaDisp", 1),
        intKey<&E::rulaPitch>("RulaPitch", 1).clamp(1, 2000),
        intKey<&E::rulaType>("RulaType", 1),
        intKey<&E::underLine>("UnderLine", 1),
        intKey<&E::keepUnderLine>("KeepUnderLine", 1),
        intKey<&E::scrlHalf>("ScrlHalf", 0),
        intKey<&E::scrlMrgn>("ScrlMrgn", 1).clamp(0, 100),
        intKey<&E::tabDisp>("TabDisp", 0),
        strKey<&E::tabDispCode>("TabDispCode", "^"),
        intKey<&E::dspcDisp>("DspcDisp", 0),
        strKey<&E::dblSpc>("DblSpc", kDblSpc),
        intKey<&E::colorSpChar>("ColorSpChar", 1),
        intKey<&E::leftSpace>("LeftSpace", 0).clamp(0, 400),
        intKey<&E::rightSpace>("RightSpace", 0).clamp(0, 400),
        intKey<&E::upperSpace>("UpperSpace", 0).clamp(0, 200),
        intKey<&E::modifyWinWidth>("ModifyWinWidth", 0),
        intKey<&E::numByWchar>("NumByWchar", 0),
        intKey<&E::rcDispMode>("RCDispMode", 0),
        intKey<&E::dispGyoukan>("DispGyoukan", 0).clamp(0, 5),
        intKey<&E::caretWidth>("CaretWidth", 0).clamp(0, 16),
        intKey<&E::caretBlink>("CaretBlink", 0),
        intKey<&E::caretWidth2>("CaretWidth2", 0).from("CaretWidth").clamp(0, 16),
        intKey<&E::drawInCaret>("DrawInCaret", 0),

        intKey<&E::insOver>("InsOver", 0),
        intKey<&E::homeEndMode>("HomeEndMode", 0),
        intKey<&E::keySpdUp>("KeySpdUp", 0),
        intKey<&E::insOverCR>("InsOverCR", 0),
        intKey<&E::insOverBS>("InsOverBS", 0),
        intKey<&E::pageUpDown2>("PageUpDown2", 0),
        intKey<&E::insDateYoubi>("InsDateYoubi", 0),
        intKey<&E::insTimeType>("InsTimeType", 0),
        intKey<&E::oasysIns>("OasysIns", 0),
        intKey<&E::boxSel>("BoxSel", 0),
        intKey<&E::eKeisen>("EKeisen", 0),
        intKey<&E::adjChWidth>("AdjChWidth", 0).clamp(0, 32),
        intKey<&E::replacesSel>("ReplacesSel", 0),
        intKey<&E::cancelSel>("CancelSel", 1),
        intKey<&E::delCopy>("DelCopy", 0),
        intKey<&E::keepSelI>("KeepSelI", 1),
        intKey<&E::scrollCaret>("ScrollCaret", 1),
        intKey<&E::hideMouseCursor>("HideMouseCursor", 0),
        intKey<&E::autoScroll>("AutoScroll", 0),
        intKey<&E::indentByTab>("IndentByTab", 1),
        intKey<&E::imeFlush>("ImeFlush", 1),
        intKey<&E::rBtnUpDown>("RBtnUpDown", 0),
        strKey<&E::brakets>("Brakets", kBrakets),
        strKey<&E::uLineChar>("ULineChar", "~"),
        intKey<&E::sortType>("SortType", 0),
        intKey<&E::sortField>("SortField", 1),
        intKey<&E::sortColumn>("SortColumn", 1),
        strKey<&E::sortPunct>("SortPunct", ","),
        strKey<&E::sortQuot>("SortQuot", "\""),
        intKey<&E::sortFlags>("SortFlags", 0),
        intKey<&E::macroBK>("MacroBK", 1),
        strKey<&E::macroName>("MacroName%d", "").numbered(1, 10),
        strKey<&E::macroTT>("MacroTT%d", "").numbered(1, 10),
        strKey<&E::keyMacroTT>("KeyMacroTT%d", "").numbered(1, 20),

        strKey<&E::kinsokuStr1>("KinsokuStr1", kKinsokuStr1),
        strKey<&E::kinsokuStr2>("KinsokuStr2", kKinsokuStr2),
        intKey<&E::kinsokuWrap>("KinsokuWrap", 1).clamp(0, 20),
    });
    return table;
}

const SettingsTable<SearchOptions>& searchOptionsTable() {
    using S = SearchOptions;
    static const SettingsTable<S> table("Settings", Numbering::Single, 1, {
        intKey<&S::findCase>("FindCase", 0),
        intKey<&S::findNrm>("FindNrm", 0),
        intKey<&S::findSel>("FindSel", 0),
        intKey<&S::findWord>("FindWord", 0),
        intKey<&S::findMsg>("FindMsg", 0),
        intKey<&S::findCase1>("FindCase1", 0).from("FindCase"),
        intKey<&S::findNrm1>("FindNrm1", 0).from("FindNrm"),
        intKey<&S::findSel1>("FindSel1", 0).from("FindSel"),
        intKey<&S::findWord1>("FindWord1", 0).from("FindWord"),
        intKey<&S::findMsg1>("FindMsg1", 0).from("FindMsg"),
        intKey<&S::findCase2>("FindCase2", 0),
        intKey<&S::findNrm2>("FindNrm2", 0),
        intKey<&S::findSel2>("FindSel2", 0),
        intKey<&S::findWord2>("FindWord2", 0),
        intKey<&S::findSubDir>("FindSubDir", 0),
        intKey<&S::findCurFile>("FindCurFile", 0),
        intKey<&S::repSpChr>("RepSpChr", 0),
        intKey<&S::findOnlyOne>("FindOnlyOne", 0),
    });
    return table;
}

const SettingsTable<SearchHistory>& searchHistoryTable() {
    using H = SearchHistory;
    static const SettingsTable<H> table("FindStrings", Numbering::Single, 1, {
        strKey<&H::findStr>("FindStr%d", "").numbered(0, 30),
        strKey<&H::repStr>("RepStr%d", "").numbered(0, 10),
        strKey<&H::findPath>("FindPath0").defaultFromFolder(DefaultSource::HomeFolder),
        strKey<&H::findPath>("FindPath%d", "").numbered(1, 9, 1),
        strKey<&H::findFilter>("FindFilter0", "*.c;*.cpp"),
        strKey<&H::findFilter>("FindFilter%d", "").numbered(1, 9, 1),
    });
    return table;
}

const SettingsTable<BatchPairs>& batchPairsTable() {
    using B = BatchPairs;
    static const SettingsTable<B> table("Settings", Numbering::Single, 1, {
        strKey<&B::find>("Gaiji%d", "").numbered(1, kBatchPairCount),
        strKey<&B::replace>("GaijiTo%d", "").numbered(1, kBatchPairCount),
    });
    return table;
}

const SettingsTable<FormatPreset>& formatPresetTable() {
    using F = FormatPreset;
    static const SettingsTable<F> table("Settings", Numbering::PlainThenNext, kFormatPresetCount, {
        strKey<&F::seikeiTT>("SeikeiTT", ""),
        intKey<&F::seikei>("Seikei", 70).with(kInherit).clamp(1, 250),
        intKey<&F::seikeiCH>("SeikeiCH", 1).with(kInherit),
        intKey<&F::seikeiCR>("SeikeiCR", 0).with(kInherit),
        intKey<&F::seikeiKinsoku>("SeikeiKinsoku", 0),
        intKey<&F::seikeiKinsokuWrap>("SeikeiKinsokuWrap", 0).clamp(0, 20),
        intKey<&F::seikeiWordWrap>("SeikeiWordWrap", 0),
        intKey<&F::commentIns>("CommentIns", 0),
        strKey<&F::commentStr>("CommentStr", "> "),
        intKey<&F::danraku>("Danraku", 0),
        intKey<&F::seikeiTab>("SeikeiTab", 0),
        intKey<&F::seikeiDelSpc>("SeikeiDelSpc", 0),
        intKey<&F::seikeiSpc>("SeikeiSpc", 0),
        intKey<&F::wrapInf>("WrapInf", 0),
        intKey<&F::modifyAutoCR>("ModifyAutoCR", 0),
        strKey<&F::prohibitCnctChr>("ProhibitCnctChr", kProhibitCnctChr),
        strKey<&F::prohibitCnctChrL>("ProhibitCnctChrL", kProhibitCnctChrL),
        intKey<&F::seikeiParagraph>("SeikeiParagraph", 0),
    });
    return table;
}

}  // namespace orvex::settings
