#include "orxmac/bridge/EditorBridge.h"

namespace orvex::orxmac {

void EditorBridge::frameRequest(win::FrameRequest code, win::LParam argument) {
    const win::LResult answer = win::sendMessage(m_main, win::kMsgFrameRequest, code, argument);
    m_view = reinterpret_cast<win::Handle>(answer);
}

int32_t EditorBridge::viewRequest(win::ViewRequest code, win::LParam argument) {
    return static_cast<int32_t>(win::sendMessage(m_view, win::kMsgViewRequest, code, argument));
}

void EditorBridge::viewCommand(uint32_t id) { win::sendMessage(m_view, win::kMsgCommand, win::commandWParam(id)); }

void EditorBridge::mainCommand(uint32_t id) { win::sendMessage(m_main, win::kMsgCommand, win::commandWParam(id)); }

void EditorBridge::postMainCommand(uint32_t id) {
    win::postMessage(m_main, win::kMsgCommand, win::commandWParam(id));
}

std::string EditorBridge::copyText(int32_t offset, int32_t length) {
    win::TextCopy copy;
    copy.offset = offset;
    copy.length = length;
    win::sendMessage(m_view, win::kMsgViewRequest, win::kViewCopyText, reinterpret_cast<win::LParam>(&copy));
    return std::move(copy.out);
}

std::string EditorBridge::copyRow(int32_t row) {
    win::RowCopy copy;
    copy.row = row;
    win::sendMessage(m_view, win::kMsgViewRequest, win::kViewCopyRow, reinterpret_cast<win::LParam>(&copy));
    return std::move(copy.out);
}

std::string EditorBridge::copyPath() {
    std::string path;
    win::sendMessage(m_view, win::kMsgViewRequest, win::kViewCopyPath, reinterpret_cast<win::LParam>(&path));
    return path;
}

int32_t EditorBridge::offsetAt(win::ViewRequest rowCode, win::ViewRequest byteColumnCode) {
    const int32_t row = viewRequest(rowCode);
    return viewRequest(win::kViewRowOffset, row) + viewRequest(byteColumnCode);
}

}  // namespace orvex::orxmac
