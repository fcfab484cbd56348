#include "qt/platform/ActiveTextTable.h"

namespace orvex::qt {

namespace {
std::function<cp932::PrivateCharTable*()>& provider() {
    static std::function<cp932::PrivateCharTable*()> p;
    return p;
}
}  // namespace

void setActiveTextTable(std::function<cp932::PrivateCharTable*()> p) { provider() = std::move(p); }

cp932::PrivateCharTable* activeTextTable() { return provider() ? provider()() : nullptr; }

}  // namespace orvex::qt
