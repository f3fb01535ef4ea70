// A program for the start tests: writes what it received to <BREVANE_ROOT>/argv.out (the number of
// arguments, a NUL, then each argument followed by a NUL), under a draft name renamed into place so
// that a reader sees the whole record or none.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* root = std::getenv("BREVANE_ROOT");
    if (root == nullptr) return 2;
    std::string record = std::to_string(argc);
    record.push_back('\0');
    for (int i = 0; i < argc; ++i) record.append(argv[i]).push_back('\0');
    const std::string file = std::string(root) + "/argv.out";
    FILE* out = std::fopen((file + ".draft").c_str(), "wb");
    if (out == nullptr) return 3;
    const bool written = std::fwrite(record.data(), 1, record.size(), out) == record.size();
    if (std::fclose(out) != 0 || !written) return 4;
    return std::rename((file + ".draft").c_str(), file.c_str()) == 0 ? 0 : 5;
}
