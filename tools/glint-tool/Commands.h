// The subcommands of glint-tool, callable without a process.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace glint::tool {

// Exit statuses: 0 done, 1 the work failed (one line on err says why), 2 the command line was
// wrong (usage on err).
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Runs one command line, args without the program name.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace glint::tool
