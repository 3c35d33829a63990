#pragma once

#include "site/plan.h"

#include <string>
#include <vector>

// The words velkor-ipconfig-cmd is run with for a row, its own name left
// out: every cell but the label and the road under the program's option of
// the column's name (its short form, the cell as the next word; or
// --name=cell for a cell that begins with "-", which the option library
// would take for an option), and -m on the module road. An empty cell gives
// no word. `check` reads these very words, `apply` runs the program with them.
std::vector<std::string> ProgramArguments(const PlanRow& row);
