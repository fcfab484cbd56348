#pragma once
// Texts of the page-layout dialog (UTF-8).
namespace orvex::qt::printtexts {

constexpr const char* kCaption = "印刷ﾚｲｱｳﾄの設定";
constexpr const char* kFormatName = "書式%1";
constexpr const char* kLineCount = "（行数 %1行）";
constexpr const char* kPreview = "ﾌﾟﾚﾋﾞｭｰ";
constexpr const char* kPrint = "印刷";
constexpr const char* kPlacements[] = {"なし", "左", "中央", "右"};
constexpr const char* kColumns[] = {"なし", "2段", "4段"};
constexpr const char* kOrientations[] = {"縦", "横"};
constexpr const char* kOtherPaper = "その他";
constexpr const char* kByExtension = "拡張子で書式を選択する";
constexpr const char* kConfirm = "印刷前に書式を確認する";
constexpr const char* kTwoSided = "両面印刷";
constexpr const char* kOnePage = "1ﾍﾟｰｼﾞ印刷";
constexpr const char* kLineNumbers = "行番号を印刷する";
constexpr const char* kKinsoku = "禁則処理";
constexpr const char* kWordWrap = "ﾜｰﾄﾞﾗｯﾌﾟ";
constexpr const char* kVertical = "縦書き";
constexpr const char* kFormat = "書式";
constexpr const char* kTitle = "ﾀｲﾄﾙ";
constexpr const char* kHeader = "ﾍｯﾀﾞ";
constexpr const char* kFooter = "ﾌｯﾀ";
constexpr const char* kTop = "上";
constexpr const char* kBottom = "下";
constexpr const char* kLeft = "左";
constexpr const char* kRight = "右";
constexpr const char* kHeaderDistance = "ﾍｯﾀﾞ位置";
constexpr const char* kFooterDistance = "ﾌｯﾀ位置";
constexpr const char* kMargins = "余白(mm)";
constexpr const char* kCharSpacing = "文字間(0.1mm)";
constexpr const char* kLineSpacing = "行間(0.1mm)";
constexpr const char* kColumnsLabel = "段組";
constexpr const char* kColumnGap = "段間(mm)";
constexpr const char* kOrientation = "用紙の向き";
constexpr const char* kPaper = "用紙";
constexpr const char* kBodyFont = "本文ﾌｫﾝﾄ";
constexpr const char* kHeaderFont = "ﾍｯﾀﾞﾌｫﾝﾄ";
constexpr const char* kFooterFont = "ﾌｯﾀﾌｫﾝﾄ";
constexpr const char* kExtensions = "拡張子";

}  // namespace orvex::qt::printtexts
