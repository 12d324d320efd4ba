// glint-tool sim: a whole game played without a window, one JSON line per game tick.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace glint::tool {

// The command's arguments (after "sim"); returns the exit status.
int runSimulation(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// glint-tool replay: a replay file played through the same code, printing the same lines;
// exit 0 exactly when its game ends with the score it claims.
int runReplay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace glint::tool
