#pragma once
// What the command line asks of this start: "min" (a hidden start, as at
// log-on), one verb for the running copy ("/next", "-Pause", ...), or
// nothing. A flag that names no verb (or a second verb) is a mistake,
// answered with the usage text; other plain words are passed over, as they
// always were.

#include "engine/AtHandVerb.h"

#include <optional>
#include <string>
#include <vector>

struct CommandLineRequest {
    bool valid = true;
    bool startMinimised = false;
    std::optional<AtHandVerb> verb;
};

CommandLineRequest ParseCommandLineRequest(const std::vector<std::string>& arguments);
