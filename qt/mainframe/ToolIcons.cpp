#include "qt/mainframe/ToolIcons.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

#include "qt/mainframe/MenuLayout.h"
#include "qt/platform/QtText.h"

namespace orvex::qt {

namespace {

struct IconSpec {
    CommandId id;
    const char* theme;  // freedesktop icon name
    const char* glyph;  // drawn when the theme has none (UTF-8)
};

constexpr IconSpec kIcons[] = {
    {57600, "document-new", "新"},       {57601, "document-open", "開"},    {57603, "document-save", "保"},
    {32800, "document-save-all", "全"},  {57607, "document-print", "印"},   {57635, "edit-cut", "切"},
    {57634, "edit-copy", "写"},          {57637, "edit-paste", "貼"},       {57643, "edit-undo", "戻"},
    {57644, "edit-redo", "進"},          {57636, "edit-find", "検"},        {32773, "go-down", "↓"},
    {32774, "go-up", "↑"},               {32778, "go-top", "⤒"},            {32779, "go-bottom", "⤓"},
    {32777, "go-jump", "行"},            {32782, "bookmark-new", "印"},     {32783, "go-next", "▶"},
    {32785, "edit-clear", "消"},         {57650, "window-new", "重"},       {57651, "view-split-top-bottom", "上"},
    {57652, "view-split-left-right", "左"}, {57664, "help-about", "？"},   {57669, "help-contextual", "？"},
    {32864, "edit-find-replace", "検"},  {32970, "folder", "覧"},
};

QIcon drawnIcon(const QString& glyph) {
    QPixmap pm(22, 22);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(90, 110, 140));
    p.setBrush(QColor(225, 232, 245));
    p.drawRoundedRect(QRectF(1.5, 1.5, 19, 19), 3, 3);
    QFont f = p.font();
    f.setPixelSize(14);
    p.setFont(f);
    p.setPen(QColor(30, 40, 60));
    p.drawText(QRect(0, 0, 22, 22), Qt::AlignCenter, glyph);
    p.end();
    return QIcon(pm);
}

}  // namespace

QIcon toolIcon(CommandId id) {
    for (const IconSpec& s : kIcons) {
        if (s.id != id) continue;
        const QIcon themed = QIcon::fromTheme(QString::fromLatin1(s.theme));
        return themed.isNull() ? drawnIcon(QString::fromUtf8(s.glyph)) : themed;
    }
    // Commands without an entry: the first character of their menu text.
    const QString text = fromUtf8(menuTextOf(id));
    return drawnIcon(text.isEmpty() ? QStringLiteral("?") : text.left(1));
}

}  // namespace orvex::qt
