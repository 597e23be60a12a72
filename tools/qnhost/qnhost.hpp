// The command-line host: lists packages and describes classes.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qnhost {

// Runs one command; `args` are the arguments after the program name.
// Returns the exit status: 0 success, 1 failure, 2 bad usage.
int qnhostMain(std::vector<std::string> args, std::ostream& out, std::ostream& err);

}  // namespace qnhost
