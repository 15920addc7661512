// One of the example designs of data/, opened as the window opens a design:
// the defaults first, then the file, then the recomputations after a load.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files/DimensionFile.h"
#include "model/Model.h"

namespace tevrane {

inline Model exampleDesign(const char* name) {
    std::ifstream in(std::string(TEVRANE_TEST_DATA_DIR "/../../data/") + name + ".dtv", std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Model m;
    initModel(m);
    EXPECT_TRUE(decodeDimensions(m, bytes).ok) << name;
    afterDimensionsLoaded(m);
    return m;
}

}  // namespace tevrane
