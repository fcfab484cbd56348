#pragma once
// Command ids the editor view handles itself (cursor, selection, editing,
// clipboard, input modes).
// Every id is defined once, in the command list: see
// common/commands/CommandIds.h.
#include "common/commands/CommandIds.h"
