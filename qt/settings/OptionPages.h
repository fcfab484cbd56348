#pragma once
// The pages of the options sheet, each over the one draft the sheet edits.
// Every page is an OptionForm: the sheet loads and stores them all.
#include "shell/OptionsDraft.h"

class QWidget;

namespace orvex::qt {

class OptionForm;

OptionForm* makeFilePage(shell::OptionsDraft& d, QWidget* parent);        // "ﾌｧｲﾙ"
OptionForm* makeDisplayPage(shell::OptionsDraft& d, QWidget* parent);     // "表示"
OptionForm* makeColourPage(shell::OptionsDraft& d, QWidget* parent);      // "色"
OptionForm* makeModePage(shell::OptionsDraft& d, QWidget* parent);        // "ﾌｧｲﾙﾀｲﾌﾟ別"
OptionForm* makeKeywordPage(shell::OptionsDraft& d, QWidget* parent);     // "ｷｰﾜｰﾄﾞ"
OptionForm* makeKinsokuPage(shell::OptionsDraft& d, QWidget* parent);     // "禁則"
OptionForm* makeEditPage(shell::OptionsDraft& d, QWidget* parent);        // "編集"
OptionForm* makeSearchPage(shell::OptionsDraft& d, QWidget* parent);      // "検索"
OptionForm* makeStartupPage(shell::OptionsDraft& d, QWidget* parent);     // "起動"
OptionForm* makeWindowPage(shell::OptionsDraft& d, QWidget* parent);      // "ｳｨﾝﾄﾞｳ"
OptionForm* makeStatusBarPage(shell::OptionsDraft& d, QWidget* parent);   // "ｽﾃｰﾀｽﾊﾞｰ"
OptionForm* makeUrlPage(shell::OptionsDraft& d, QWidget* parent);         // "URL"

}  // namespace orvex::qt
