// Reading the committed picture fixtures and their reference pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> ReadFixture(const std::string& name);
std::string FixturePath(const std::string& name);
