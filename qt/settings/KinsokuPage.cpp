// The line-breaking page: the characters that may not begin or end a line
// and how far punctuation may hang beyond the wrap width.
#include "qt/settings/OptionForm.h"
#include "qt/settings/OptionPages.h"

namespace orvex::qt {

OptionForm* makeKinsokuPage(shell::OptionsDraft& d, QWidget* parent) {
    using namespace settings;
    auto* f = new OptionForm(parent);
    f->group("禁則");
    f->text("行頭禁則文字(&S)", d.options.kinsokuStr1);
    f->text("行末禁則文字(&E)", d.options.kinsokuStr2);
    f->number("ぶら下げる桁数(&H)", d.options.kinsokuWrap, rangeOf(editorOptionsTable(), "KinsokuWrap"));
    f->finish();
    return f;
}

}  // namespace orvex::qt
