#pragma once

// The programs' console: what a run owes it and what it may not cost the run.
namespace standard_streams {

// Called first in main. A closed or broken standard output or error (a reader
// that went away, as `| grep -q` does) must never end a run half-way: writing
// to it fails quietly instead of raising SIGPIPE. A standard stream that is
// missing altogether is opened on the null device, so that no file the run
// opens (its log, a detector's record) takes its number and receives console
// lines.
void Guard();

} // namespace standard_streams
