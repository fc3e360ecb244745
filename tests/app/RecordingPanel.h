// The panel's command handlers, each call recorded as "<handler> <id>".
// Test thread.
#pragma once
#include "app/Commands.h"

#include <string>
#include <vector>

class RecordingPanel : public IPanelCommands
{
public:
#define RECORD_HANDLER(name)                                                                      \
    void name(UINT id) override { calls.push_back(std::string(#name) + " " + std::to_string(id)); }
    PANEL_COMMAND_HANDLERS(RECORD_HANDLER)
#undef RECORD_HANDLER
    std::vector<std::string> calls;
};
