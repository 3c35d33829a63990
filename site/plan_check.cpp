#include "site/plan_check.h"

#include "site/plan_file_mode.h"

#include <algorithm>
#include <nlohmann/json.hpp>

bool PlanCheck::Passed() const {
    return problems.empty() && std::all_of(rows.begin(), rows.end(), [](const RowCheck& row) {
               return row.problems.empty();
           });
}

PlanCheck CheckPlan(const Plan& plan) {
    PlanCheck check;
    check.plan = plan;
    for (const PlanRow& row : plan.rows) {
        check.rows.push_back(CheckRow(row));
    }
    CheckRowsAgainstEachOther(plan.rows, check.rows);
    const bool passwords = std::any_of(plan.rows.begin(), plan.rows.end(),
                                       [](const PlanRow& row) { return !row.newPassword.empty(); });
    if (passwords) {
        const std::string problem = PasswordFileProblem(plan.path);
        if (!problem.empty()) {
            check.problems.push_back(problem);
        }
    }
    return check;
}

std::string RowName(const PlanRow& row) {
    return "line " + std::to_string(row.line) + (row.label.empty() ? "" : " (" + row.label + ")");
}

void PrintPlanCheck(std::ostream& out, const PlanCheck& check, bool json) {
    const std::size_t failed =
        std::count_if(check.rows.begin(), check.rows.end(),
                      [](const RowCheck& row) { return !row.problems.empty(); });
    if (json) {
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (std::size_t i = 0; i < check.rows.size(); ++i) {
            const PlanRow& row = check.plan.rows[i];
            const RowCheck& result = check.rows[i];
            rows.push_back({{"line", row.line},
                            {"label", row.label},
                            {"type", row.type},
                            {"road", ViaModule(row) ? "module" : "network"},
                            {"requests", result.requests},
                            {"ok", result.problems.empty()},
                            {"problems", result.problems},
                            {"left_for_run", result.leftForRun}});
        }
        const nlohmann::ordered_json report = {{"plan", check.plan.path},
                                               {"ok", check.Passed()},
                                               {"problems", check.problems},
                                               {"rows", rows},
                                               {"rows_ok", check.rows.size() - failed},
                                               {"rows_with_problems", failed}};
        out << report.dump(2) << "\n";
        return;
    }
    for (std::size_t i = 0; i < check.rows.size(); ++i) {
        const RowCheck& result = check.rows[i];
        out << RowName(check.plan.rows[i]) << ": " << (result.problems.empty() ? "ok" : "not ok")
            << "\n";
        for (const std::string& problem : result.problems) {
            out << "  " << problem << "\n";
        }
        for (const std::string& left : result.leftForRun) {
            out << "  left for the run: " << left << "\n";
        }
    }
    for (const std::string& problem : check.problems) {
        out << check.plan.path << ": " << problem << "\n";
    }
    out << check.rows.size() << (check.rows.size() == 1 ? " row: " : " rows: ")
        << check.rows.size() - failed << " ok, " << failed << " with problems\n";
}
