// Writes the example designs of data/ with the program's own encoder:
//   make_examples <folder>
// default.dtv is the default engine; long-travel.dtv lets the reverse arm go
// further from mid gear; short-lap.dtv has a valve with less steam lap.
#include <cstdio>
#include <string>

#include "files/DimensionFile.h"
#include "model/Model.h"

namespace {
bool write(const std::string& path, const tevrane::Model& m) {
    const auto bytes = tevrane::encodeDimensions(m);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_examples <folder>\n");
        return 2;
    }
    const std::string dir = argv[1];
    tevrane::Model m;
    tevrane::initModel(m);
    m.dimensionSetName = "Nominal";
    if (!write(dir + "/default.dtv", m)) return 1;

    tevrane::Model travel = m;
    travel.revArmNormal = 1.1f;
    travel.revArmMax = 1.4f;
    tevrane::centreReverseArm(travel);
    if (!write(dir + "/long-travel.dtv", travel)) return 1;

    tevrane::Model lap = m;
    lap.cyl.valveLenFront = lap.cyl.valveLenRear = 0.625f;
    if (!write(dir + "/short-lap.dtv", lap)) return 1;
    return 0;
}
