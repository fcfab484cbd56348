#pragma once
// Command ids of the document-level text operations (undo, marks and the
// row searches); the view's command table routes them to CLuDoc.
// Every id is defined once, in the command list: see
// common/commands/CommandIds.h.
#include "common/commands/CommandIds.h"
