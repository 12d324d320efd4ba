// The program's entry: everything else lives in the game library.
#include "app/App.h"

int main() {
    return glint::runProgram();
}
