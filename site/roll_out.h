#pragma once

#include "site/plan_check.h"

#include <ostream>
#include <string>

struct RollOutOptions {
    std::string program;    // the velkor-ipconfig-cmd to run
    std::string runFolder;  // a new folder for the record
    bool keepGoing = false; // go on after a row that is not changed
    unsigned fromLine = 0;  // start at the row on this plan line (0: the first)
    bool progressInPlace = false;
};

// `velkor-site apply` once its plan passed check: each row by the program,
// in a folder of its own, the record kept up to date after every row.
class RollOut {
public:
    RollOut(const PlanCheck& check, RollOutOptions options, std::ostream& out, std::ostream& err);

    // 0 when every row from the first one run on is changed, else 1.
    int Run();

private:
    const PlanCheck& check_;
    RollOutOptions options_;
    std::ostream& out_;
    std::ostream& err_;
};
