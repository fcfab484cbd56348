#pragma once
// Command ids of the file side (save, close, insert file, revert, append,
// code and line-end conversions).
// Every id is defined once, in the command list: see
// common/commands/CommandIds.h.
#include "common/commands/CommandIds.h"
