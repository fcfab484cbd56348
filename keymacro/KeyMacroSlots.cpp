#include "keymacro/KeyMacroSlots.h"

#include <sys/stat.h>

#include "common/platform/MessageBoxes.h"
#include "common/strings/StringTable.h"

namespace orvex::keymacro {

std::string KeyMacroSlots::slotFilePath(int slot) const {
    if (m_folder.empty()) return {};
    std::string path = m_folder;
    if (path.back() != '/') path += '/';
    return path + slotFileName(slot);
}

void KeyMacroSlots::record(uint16_t code, uint16_t parameter, int32_t) {
    if (m_recording == 0) return;
    m_slots[size_t(m_recording - 1)].words.push_back(makeRecord(code, parameter));
}

void KeyMacroSlots::recordText(uint16_t code, std::string_view sjis) {
    if (m_recording == 0) return;
    std::vector<std::string_view> pieces;
    if (sjis.size() <= kMaxTextBytes) pieces.push_back(sjis);
    else if (code == kText) pieces = splitForRecords(sjis);
    else return;
    for (std::string_view piece : pieces) {
        const std::vector<uint32_t> words = packText(piece);
        record(code, uint16_t(words.size()));
        for (uint32_t w : words) record(codeOf(w), parameterOf(w));
    }
}

bool KeyMacroSlots::toggleRecording(int slot) {
    if (slot < 0 || slot >= kSlotCount) return false;
    Slot& s = m_slots[size_t(slot)];
    if (m_recording == 0) {
        m_recording = slot + 1;
        s.words.clear();
        s.valid = false;
    } else if (m_recording == slot + 1) {
        m_recording = 0;
        s.valid = true;
        const std::string path = slotFilePath(slot);
        if (!path.empty()) {
            ::mkdir(m_folder.c_str(), 0700);  // the data folder is made on demand
            saveSlot(slot, path, false);
        }
    } else {
        return false;
    }
    if (m_recordingChanged) m_recordingChanged();
    return true;
}

void KeyMacroSlots::setSlot(int i, std::vector<uint32_t> words) {
    Slot& s = m_slots[index(i)];
    s.words = std::move(words);
    s.valid = true;
}

void KeyMacroSlots::showFailure(int textId, const std::string& path) const {
    if (!m_messages) return;
    MessageRequest r;
    r.text = path.empty() ? std::string() : path + "\r\n";
    r.text += strings::text(textId);
    r.icon = MsgIcon::Exclamation;
    r.textId = textId;
    m_messages->show(r);
}

bool KeyMacroSlots::loadSlot(int i, const std::string& path, bool report) {
    KmContent c = readKeyMacroFile(path);
    Slot& s = m_slots[index(i)];
    switch (c.status) {
    case KmStatus::Ok:
        s.words = std::move(c.words);
        s.valid = true;
        return true;
    case KmStatus::CannotOpen:
        if (report) showFailure(strings::kCannotOpenFile, path);
        return false;
    case KmStatus::NotKeyMacro:
        showFailure(strings::kNotKeyMacroFile, path);
        return false;
    case KmStatus::CountUnreadable:
        showFailure(strings::kKeyMacroIoFailed, {});
        return false;
    case KmStatus::RecordsShort:
        s.words.clear();
        s.valid = false;
        showFailure(strings::kKeyMacroIoFailed, {});
        return false;
    }
    return false;
}

bool KeyMacroSlots::saveSlot(int i, const std::string& path, bool report) const {
    if (writeKeyMacroFile(path, m_slots[index(i)].words)) return true;
    if (report) showFailure(strings::kCannotOpenFile, path);
    return false;
}

void KeyMacroSlots::reloadFromSlotFile(int i) {
    const std::string path = slotFilePath(i);
    if (!path.empty()) loadSlot(i, path, false);
}

CommandState KeyMacroSlots::recordState(int slot) const {
    CommandState s;
    s.enabled = m_recording == 0 || m_recording == slot + 1;
    s.checked = m_recording == slot + 1;
    return s;
}

CommandState KeyMacroSlots::playState(int slot) const {
    CommandState s;
    s.enabled = m_recording != slot + 1;
    return s;
}

}  // namespace orvex::keymacro
