#include "Fixtures.h"

#include <fstream>
#include <iterator>

std::string FixturePath(const std::string& name) {
    return std::string(ZR_AVATAR_FIXTURES) + "/" + name;
}

std::vector<uint8_t> ReadFixture(const std::string& name) {
    std::ifstream in(FixturePath(name), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
