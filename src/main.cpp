// The program's entry: everything else lives in the game library.
#include <cstdio>

int main() {
    std::puts(
        "Glint Seeker: there is nothing to play yet.\n"
        "This build holds the data pack, the text tables, the scrambled user files and the\n"
        "high-score tables, and the glint-tool that works on them; the window and the game\n"
        "itself are still to come.");
    return 0;
}
