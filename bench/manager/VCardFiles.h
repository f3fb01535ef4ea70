#pragma once
// The input of the import benchmarks: a vCard file of the first `count` sample contacts (with
// their categories and pictures), as another address book would export them. Each file is written
// once per run into a temporary folder that is removed at exit.
#include <filesystem>

// The file of `count` cards (made on first request).
const std::filesystem::path& VCardFile(int count);

// A new empty folder under the run's temporary folder.
std::filesystem::path NewFolder();
