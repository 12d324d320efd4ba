// The program's entry: everything else lives in the game library.
#include "app/App.h"

int main(int argc, char** argv) {
    return glint::runProgram(argc, argv);
}
