// glint-tool: packs, reads and checks the game's files from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    int status = glint::tool::run(args, std::cout, std::cerr);
    std::cout.flush();
    return std::cout ? status : glint::tool::kExitFailed;
}
