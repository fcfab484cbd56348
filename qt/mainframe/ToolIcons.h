#pragma once
// Toolbar button images: the desktop theme's icon for a command where the
// theme has one, otherwise a small drawn one (a character on a tile), so
// that every button shows something on any desktop.
#include <QIcon>

#include "common/commands/CommandTable.h"

namespace orvex::qt {

QIcon toolIcon(CommandId id);

}  // namespace orvex::qt
