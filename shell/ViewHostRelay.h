#pragma once
// The view host of a view the session made before any widget shows it:
// every request goes to the widget that currently shows the view, and to
// nobody (the defaults: no dialog answers, no keys down) while none does.
#include <functional>

#include "text/ViewHost.h"

namespace orvex::shell {

class ViewHostRelay final : public ViewHost {
public:
    void setTarget(ViewHost* target) { m_target = target; }
    // Told of every scroll of the view after the widget (scrolling all
    // windows together follows it).
    void setScrollObserver(std::function<void(int32_t rows, int32_t columns)> observer) {
        m_scrollObserver = std::move(observer);
    }
    ViewHost* target() const { return m_target; }

    void caretMoved() override {
        if (m_target) m_target->caretMoved();
    }
    void scrolled(int32_t rows, int32_t columns) override {
        if (m_target) m_target->scrolled(rows, columns);
        if (m_scrollObserver) m_scrollObserver(rows, columns);
    }
    void scrollSizesChanged() override {
        if (m_target) m_target->scrollSizesChanged();
    }
    void setMouseCapture(bool on) override {
        if (m_target) m_target->setMouseCapture(on);
    }
    void showContextMenu(int32_t row, int32_t column) override {
        if (m_target) m_target->showContextMenu(row, column);
    }
    void finishComposition() override {
        if (m_target) m_target->finishComposition();
    }
    bool inputMethodOpen() const override { return m_target && m_target->inputMethodOpen(); }
    void setInputMethodOpen(bool open) override {
        if (m_target) m_target->setInputMethodOpen(open);
    }
    void registerWord(std::string_view sjis) override {
        if (m_target) m_target->registerWord(sjis);
    }
    std::optional<int32_t> askLineNumber(int32_t initial) override {
        return m_target ? m_target->askLineNumber(initial) : std::nullopt;
    }
    std::optional<int32_t> askCharacterCode() override {
        return m_target ? m_target->askCharacterCode() : std::nullopt;
    }
    void hideMousePointer() override {
        if (m_target) m_target->hideMousePointer();
    }
    void setWaitCursor(bool on) override {
        if (m_target) m_target->setWaitCursor(on);
    }
    bool isKeyDown(uint16_t virtualKey) const override { return m_target && m_target->isKeyDown(virtualKey); }

private:
    ViewHost* m_target = nullptr;
    std::function<void(int32_t, int32_t)> m_scrollObserver;
};

}  // namespace orvex::shell
