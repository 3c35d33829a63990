#pragma once

#include "site/plan.h"
#include "site/row_check.h"

#include <ostream>
#include <string>
#include <vector>

// A whole plan checked without touching any detector: each row as the
// program would check it, the rows against each other, the plan file itself.
struct PlanCheck {
    Plan plan;
    std::vector<RowCheck> rows; // in the order of plan.rows
    // About the plan as a whole (who may read its passwords).
    std::vector<std::string> problems;

    bool Passed() const;
};

PlanCheck CheckPlan(const Plan& plan);

// One line a row, its problems or what is left for the run under it, and a
// summary; or the same as one JSON object.
void PrintPlanCheck(std::ostream& out, const PlanCheck& check, bool json);

// "line 2 (Bay 1)": how velkor-site names a row to people.
std::string RowName(const PlanRow& row);
