#pragma once
// The core's repaint, title and status requests, delivered to the windows
// that show the views and documents. Views are known by their CLuView
// address, documents by their CLuDoc address; a request for something no
// window shows (a view being built, a document without a window) is
// dropped.
#include <QCoreApplication>
#include <QEventLoop>
#include <functional>
#include <unordered_map>

#include "common/platform/UiRequests.h"

namespace orvex::qt {

// What a view widget does for a repaint request.
class RepaintTarget {
public:
    virtual ~RepaintTarget() = default;
    virtual void repaintRows(int first, int last) = 0;
    virtual void repaintAll() = 0;
};

class QtUiRequests final : public UiRequests {
public:
    void addView(const void* view, RepaintTarget* target) { m_views[view] = target; }
    void removeView(const void* view) { m_views.erase(view); }
    void setTitleHandler(std::function<void(const void*)> handler) { m_title = std::move(handler); }
    void setStatusHandler(std::function<void()> handler) { m_status = std::move(handler); }

    void invalidateRows(const void* view, int first, int last) override {
        if (auto it = m_views.find(view); it != m_views.end()) it->second->repaintRows(first, last);
    }
    void invalidateAll(const void* view) override {
        if (auto it = m_views.find(view); it != m_views.end()) it->second->repaintAll();
    }
    void updateTitle(const void* document) override {
        if (m_title) m_title(document);
    }
    void updateStatus() override {
        if (m_status) m_status();
    }
    // Input that waits (a click on the menu that stops a find in files, a
    // repaint) is handled now; commands it starts run nested.
    void processPendingInput() override { QCoreApplication::processEvents(QEventLoop::AllEvents, 50); }

private:
    std::unordered_map<const void*, RepaintTarget*> m_views;
    std::function<void(const void*)> m_title;
    std::function<void()> m_status;
};

}  // namespace orvex::qt
