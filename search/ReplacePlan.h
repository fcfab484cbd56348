#pragma once
// The replacements a replace-all will make, found on the unchanged text.
// Internal to replaceAll (ReplaceAll.cpp, BulkReplace.cpp).
#include <cstdint>
#include <string>
#include <vector>

#include "search/ReplaceAll.h"

namespace orvex {
class TextStore;
}

namespace orvex::search {

// Bytes of unchanged text per slice when the touched lines are replaced at
// once: small enough that the scratch text and rows of a slice stay in the
// caches, large enough that moving the text after each slice costs little
// (measured best on 64 MiB of prose).
constexpr int32_t kDefaultSliceBytes = 2 << 20;

struct PlannedEdit {
    int32_t offset;      // in the unchanged text
    int32_t length;      // bytes the match covers
    int32_t timeOffset;  // where the edit is made, in the text as it is at that time
};

struct ReplacePlan {
    std::vector<PlannedEdit> edits;  // in the order they are made
    // The last edit's insertion is refused by the size limit: its deletion
    // still happens, it is not counted, and the loop ends there.
    bool lastRefused = false;
    bool stalled = false;
    int32_t count = 0;
    int32_t delta = 0;  // change of the text length
};

// The replacement as the text store will hold it (NUL bytes become blanks).
std::string storedReplacement(const std::string& replacement);

ReplacePlan planReplacements(const TextStore& text, const ReplaceAllRequest& request, const std::string& stored);

// Makes the planned replacements in one edit of the touched lines. False
// (with nothing changed) when it cannot; the caller then applies the plan
// one edit at a time.
bool applyBulk(CLuDoc& doc, const ReplaceAllRequest& request, const ReplacePlan& plan, const std::string& stored);

}  // namespace orvex::search
