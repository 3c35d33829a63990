#pragma once

#include "app/detector_type.h"
#include "site/plan.h"

#include <string>
#include <vector>

// What velkor-ipconfig-cmd would say of a row before it contacts the detector.
struct RowCheck {
    // The program's "Error - " lines (and the rule checker's "--> " lines),
    // then velkor-site's own; empty when the row passes.
    std::vector<std::string> problems;
    // What only the run itself can check.
    std::vector<std::string> leftForRun;
    // The requests the rules accepted ("IP configuration"), in the order the
    // program carries them out.
    std::vector<std::string> requests;
    DetectorType type = InvalidDetectorType;
};

// Parses the row's program arguments with the program's own command line and
// runs the program's checks on them, in its order, up to where it would
// contact the detector: the type, the request set and the rule table of the
// road; on the network road the current addresses, then the new ones (the
// program checks them after it has opened the detector and looked at its
// link, but with these same values). On the module road the current
// addresses are read from the detector during the run, so the address checks
// are left for it.
RowCheck CheckRow(const PlanRow& row);

// Each row against the others: the same detector twice, the same new
// detector address twice, a new detector address that is another row's new
// peer address, two 7180/7380 taking the same address pair. Adds the
// problems to the rows' checks (`checks` in the order of `rows`).
void CheckRowsAgainstEachOther(const std::vector<PlanRow>& rows, std::vector<RowCheck>& checks);
