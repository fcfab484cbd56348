#pragma once
// A document window: two panes of one document, one above the other in a
// splitter. The second pane starts collapsed; dragging the splitter handle
// or the split command (57653) opens it. Both panes share the document's
// rows, mirror each other's selection and scroll together with the wheel.
//
// The frame owns its document; closing the window asks to save it first.
#include <QWidget>
#include <memory>

#include "common/commands/CommandTable.h"

class QSplitter;

namespace orvex::qt {

class CLuViewWidget;
class EditorDocument;

namespace cmdid {
constexpr CommandId kWindowSplit = 57653;
}

class CChildFrame final : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    explicit CChildFrame(std::unique_ptr<EditorDocument> document, QWidget* parent = nullptr);
    ~CChildFrame() override;

    EditorDocument& document() { return *m_document; }
    CLuViewWidget& pane(int index) { return index == 0 ? *m_panes[0] : *m_panes[1]; }
    // The pane that had the focus last.
    CLuViewWidget& activePane() { return *m_active; }
    bool isSplit() const;
    void setSplit(bool split);
    // The window title follows the document's name and modified state.
    void refreshTitle();

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<CChildFrame>& commandTable();

signals:
    void paneActivated(CLuViewWidget* pane);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void cmdSplit(CommandId id);
    void updateSplit(CommandId id, CommandState& state);

    std::unique_ptr<EditorDocument> m_document;
    QSplitter* m_splitter = nullptr;
    CLuViewWidget* m_panes[2] = {nullptr, nullptr};
    CLuViewWidget* m_active = nullptr;
};

}  // namespace orvex::qt
