// The URL launch page: the programs started for web, file-transfer and
// mail addresses, whether each starts in a new window, and how URLs in
// the text are found and launched.
#include "qt/settings/OptionForm.h"
#include "qt/settings/OptionPages.h"

namespace orvex::qt {

OptionForm* makeUrlPage(shell::OptionsDraft& d, QWidget* parent) {
    auto* f = new OptionForm(parent);
    settings::FrameOptions& o = d.frame;
    f->group("http://, https://");
    f->text("ﾌﾞﾗｳｻﾞ(&B)", o.httpPath);
    f->check("新しいｳｨﾝﾄﾞｳで起動(&N)", o.httpExecType);
    f->group("ftp://");
    f->text("FTPｸﾗｲｱﾝﾄ(&F)", o.ftpPath);
    f->check("新しいｳｨﾝﾄﾞｳで起動(&N)", o.ftpExecType);
    f->group("mailto:");
    f->text("ﾒｰﾗｰ(&M)", o.mailPath);
    f->check("新しいｳｨﾝﾄﾞｳで起動(&N)", o.mailExecType);
    f->group("URL");
    f->check("ﾀﾞﾌﾞﾙｸﾘｯｸで起動(&W)", o.clikUrlJmp);
    f->check("URLに漢字を許可(&K)", o.urlKanji);
    f->finish();
    return f;
}

}  // namespace orvex::qt
