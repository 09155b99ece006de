#pragma once

// Files of an installation are found without regard to case: a folder copied
// from another system has TNK.txt where the code asks for tnk.txt.

#include <filesystem>
#include <string_view>

// The path of the entry of dir whose name equals name ignoring ASCII case;
// an exact match wins. Empty when there is none or dir cannot be read.
std::filesystem::path FindFileNoCase(const std::filesystem::path& dir, std::string_view name);
