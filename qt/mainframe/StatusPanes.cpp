#include "qt/mainframe/StatusPanes.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

#include "common/codepage/ShiftJis.h"
#include "common/codepage/SjisWalk.h"
#include "common/strings/StringTable.h"
#include "files/CharCode.h"
#include "shell/EditorDocument.h"
#include "qt/platform/QtText.h"
#include "qt/view/CLuViewWidget.h"
#include "text/EditorState.h"

namespace orvex::qt {

namespace {

// Pane codes and their sample texts, which set their widths.
const char* sampleOf(int code) {
    switch (code) {
    case 1: return "00000:0000";
    case 2: return "XXXX";
    case 3: return "上書";
    case 4: return "新規";
    case 5: return "SJIS";
    case 6: return "記録";
    case 7: return "CAP";
    case 8: return "NUM";
    case 9: return "00:00";
    case 10: return "0000";
    case 11: return "0000K";
    case 12: return "CR/LF";
    default: return "";
    }
}

// "%" and a decimal number: the pane code, else -1 (a text pane).
int paneCode(const std::string& s) {
    if (s.size() < 2 || s[0] != '%') return -1;
    int v = 0;
    for (size_t i = 1; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9' || v > 1000) return -1;
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

// The form the next save writes.
QString codeName(const files::FileForm& form) {
    switch (form.code) {
    case files::kCodeJis: return QStringLiteral("JIS");
    case files::kCodeEuc: return QStringLiteral("EUC");
    case files::kCodeUtf16: return form.bigEndian ? QStringLiteral("UNI (BE)") : QStringLiteral("UNI");
    case files::kCodeUtf8: return form.bom ? QStringLiteral("UTF-8 (BOM)") : QStringLiteral("UTF-8");
    default: return QStringLiteral("SJIS");
    }
}

QString lineEndName(int type) {
    switch (type) {
    case files::kLineEndCr: return QStringLiteral("CR");
    case files::kLineEndLf: return QStringLiteral("LF");
    default: return QStringLiteral("CR/LF");
    }
}

}  // namespace

StatusPanes::StatusPanes(QStatusBar* bar) : QObject(bar), m_bar(bar) {
    m_clock.setInterval(10000);
    connect(&m_clock, &QTimer::timeout, this, [this] {
        for (const Pane& p : m_panes)
            if (p.code == 9) p.label->setText(QTime::currentTime().toString(QStringLiteral("HH:mm")));
    });
}

void StatusPanes::build(const std::array<std::string, 16>& layout) {
    for (Pane& p : m_panes) {
        m_bar->removeWidget(p.label);
        delete p.label;
    }
    m_panes.clear();
    bool clock = false;
    for (size_t i = 0; i < layout.size(); ++i) {
        const std::string s = cp932::toUtf8(layout[i]);
        if (s.empty()) continue;
        const int code = paneCode(s);
        // The message pane: Qt's own message area, when first.
        if (code == 0 && i == 0) continue;
        auto* label = new QLabel(m_bar);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        const QString sample = code >= 0 ? QString::fromUtf8(sampleOf(code)) : fromUtf8(s);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(sample) + 10);
        if (code < 0) label->setText(fromUtf8(s));
        m_bar->addPermanentWidget(label);
        m_panes.push_back({code, label});
        clock = clock || code == 9;
    }
    if (clock) m_clock.start();
    else m_clock.stop();
}

QString StatusPanes::paneText(int code, CLuViewWidget* active, const EditorState& state) {
    switch (code) {
    case 3: return state.insOver ? QStringLiteral("上書") : QStringLiteral("挿入");
    case 9: return QTime::currentTime().toString(QStringLiteral("HH:mm"));
    default: break;
    }
    if (!active) return {};
    const CLuView& v = active->view();
    const shell::EditorDocument& d = active->document();
    const TextStore& t = d.doc().text();
    const TextPosition c = v.cursor();
    switch (code) {
    case 1: {
        const int line = v.globalOptions().lineNoDisp == 2 ? c.row + 1 : t.row(c.row).line + 1;
        return QStringLiteral("%1:%2").arg(line, 5).arg(c.displayColumn + 1, -4);
    }
    case 2: {
        if (c.byteColumn >= t.endColumn(c.row)) return {};
        const auto* p = reinterpret_cast<const uint8_t*>(t.pointer(c.row, c.byteColumn));
        const bool pair = sjis::step(p) == 2;
        const int value = pair ? (p[0] << 8 | p[1]) : p[0];
        return QStringLiteral("%1").arg(value, pair ? 4 : 2, 16, QLatin1Char('0')).toUpper();
    }
    case 4: return d.untitled() ? fromUtf8(strings::text(strings::kNewFile)) : QString();
    case 5: return codeName(d.file().nextSaveForm());
    case 10: return QString::number(t.lineCount());
    case 11: return QStringLiteral("%1K").arg((t.length() + 1023) / 1024);
    case 12: return lineEndName(d.file().nextSaveLineEnd());
    default: return {};
    }
}

void StatusPanes::update(CLuViewWidget* active, const EditorState& state) {
    for (const Pane& p : m_panes)
        if (p.code >= 0) p.label->setText(paneText(p.code, active, state));
}

QString StatusPanes::lineColumnText() const {
    for (const Pane& p : m_panes)
        if (p.code == 1) return p.label->text();
    return {};
}

}  // namespace orvex::qt
