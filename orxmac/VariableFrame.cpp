#include "orxmac/VariableFrame.h"

namespace orvex::orxmac {

namespace {

inline uint32_t hashId(uint32_t id) { return id * 2654435761u; }

}  // namespace

void VariableFrame::reset(VariableFrame* enclosing, uint8_t returnType) {
    m_variables.clear();
    m_strings.clear();
    std::fill(m_slotValues.begin(), m_slotValues.end(), 0u);
    m_enclosing = enclosing;
    m_returnType = returnType;
    labels = nullptr;
    blockDepth = 0;
    currentBlock = 0;
    gotoBlock = 0;
    operatorCount = 0;
    operandCount = 0;
}

int32_t VariableFrame::find(uint32_t nameId) const {
    if (m_slotKeys.empty()) return -1;
    const uint32_t mask = static_cast<uint32_t>(m_slotKeys.size()) - 1;
    for (uint32_t i = hashId(nameId) & mask;; i = (i + 1) & mask) {
        const uint32_t v = m_slotValues[i];
        if (v == 0) return -1;
        if (m_slotKeys[i] == nameId) return static_cast<int32_t>(v - 1);
    }
}

void VariableFrame::rehash(uint32_t capacity) {
    m_slotKeys.assign(capacity, 0u);
    m_slotValues.assign(capacity, 0u);
    const uint32_t mask = capacity - 1;
    for (uint32_t index = 0; index < m_variables.size(); ++index) {
        uint32_t i = hashId(m_variables[index].nameId) & mask;
        while (m_slotValues[i] != 0) i = (i + 1) & mask;
        m_slotKeys[i] = m_variables[index].nameId;
        m_slotValues[i] = index + 1;
    }
}

uint32_t VariableFrame::add(uint32_t nameId, std::string_view name, uint32_t declPos, uint8_t type) {
    const uint32_t index = static_cast<uint32_t>(m_variables.size());
    Variable v;
    v.name.assign(name);
    v.nameId = nameId;
    v.declPos = declPos;
    v.type = type;
    if (type == kTypeStr) {
        v.value = static_cast<int32_t>(m_strings.size());
        m_strings.emplace_back();
    }
    m_variables.push_back(std::move(v));
    // Keep the map at most half full.
    if (m_slotKeys.size() < 2 * m_variables.size()) {
        rehash(m_slotKeys.empty() ? 16u : static_cast<uint32_t>(m_slotKeys.size()) * 2);
    } else {
        const uint32_t mask = static_cast<uint32_t>(m_slotKeys.size()) - 1;
        uint32_t i = hashId(nameId) & mask;
        while (m_slotValues[i] != 0) i = (i + 1) & mask;
        m_slotKeys[i] = nameId;
        m_slotValues[i] = index + 1;
    }
    return index;
}

void VariableFrame::clearValue(uint32_t index) {
    if (m_variables[index].type == kTypeStr) {
        stringValue(index).clear();
    } else {
        m_variables[index].value = 0;
    }
}

}  // namespace orvex::orxmac
