#pragma once
// The view options read from the editor profile: the global options and
// the per-mode options of each document's file-type mode. Toggle commands
// write into the profile, which saves them with the other settings.
#include <functional>

#include "settings/EditorProfile.h"
#include "text/CLuDoc.h"
#include "text/ViewOptions.h"

namespace orvex {

class ProfileViewOptions final : public ViewOptionsSource {
public:
    // modeOf gives a document's file-type mode (0-4); without it the mode
    // the document carries is used.
    explicit ProfileViewOptions(settings::EditorProfile& profile, std::function<int(const CLuDoc&)> modeOf = {})
        : m_profile(profile), m_modeOf(std::move(modeOf)) {}

    ViewGlobalOptions global() const override;
    ViewModeOptions mode(const CLuDoc& doc) const override;
    void setModeOption(const CLuDoc& doc, ModeOption which, int value) override;

private:
    int modeIndex(const CLuDoc& doc) const { return m_modeOf ? m_modeOf(doc) : doc.fileTypeMode(); }

    settings::EditorProfile& m_profile;
    std::function<int(const CLuDoc&)> m_modeOf;
};

}  // namespace orvex
