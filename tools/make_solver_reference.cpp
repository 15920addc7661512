// Writes the solver's reference table: the fingerprint of one full solve for
// every case of tests/core/SolverReference.h, as little-endian 64-bit words.
// Run it only when the solver's results are meant to change, and say so.
//   make_solver_reference tests/data/solver_reference.bin
#include <cstdio>

#include "../tests/core/SolverReference.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_solver_reference <file>\n");
        return 2;
    }
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) return 1;
    for (int k = 0; k < tevrane::reference::kCaseCount; ++k) {
        tevrane::Model m;
        tevrane::reference::makeCase(k, m);
        tevrane::solveAll(m);
        std::uint64_t h = tevrane::reference::fingerprint(m);
        unsigned char b[8];
        for (int i = 0; i < 8; ++i) b[i] = static_cast<unsigned char>(h >> (8 * i));
        if (std::fwrite(b, 1, 8, f) != 8) return 1;
    }
    return std::fclose(f) == 0 ? 0 : 1;
}
