#pragma once

#include <string>
#include <vector>

namespace lumenpoll {

// Starts argv[0] (an absolute path) with argv as a process of its own: a new session,
// stdin, stdout and stderr on /dev/null, no other descriptor of ours, default signal
// handling, in working_folder (ours when empty). Returns 0 once the program is running,
// or the errno of the step that failed (fork, chdir, exec, ...). Never waits for the
// program and leaves no child behind: the process is a grandchild, orphaned at once.
int start_detached(const std::vector<std::string>& argv, const std::string& working_folder);

}  // namespace lumenpoll
