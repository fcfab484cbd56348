#pragma once
// Command ids of finding and replacing, and the key-macro record codes that
// carry their strings.
// Every id is defined once, in the command list: see
// common/commands/CommandIds.h.
#include "common/commands/CommandIds.h"
