#pragma once
// quellist-convert's run as main() calls it: the run mode the options ask for, and its
// failures turned into an exit status and one line on standard error.

#include "cli/ConvertOptions.h"

class ConvertCommand {
public:
    explicit ConvertCommand(const ConvertOptions& options);
    int run();

private:
    const ConvertOptions& options_;
};
