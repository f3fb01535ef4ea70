#include "app/brevane/DeviceSetup.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <memory>
#include <vector>

#include "platform/device/Device.h"
#include "platform/programs/Desktop.h"
#include "platform/programs/Spawn.h"
#include "platform/registry/Registry.h"

extern char** environ;

namespace {

std::filesystem::path BesideProgram(const char* name) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path() / name;
}

// Runs the program and waits; its exit status, or -1 when it could not run or died of a signal.
int RunAndWait(const std::filesystem::path& program, std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

bool OpenProgramDevice(const std::filesystem::path& root, std::string& problem) {
    const std::string missing = "no device at " + root.string() + " (make one with: brevane --demo, or brevane-cli init)";
    std::error_code error;
    if (!std::filesystem::is_directory(root, error)) {
        problem = missing;
        return false;
    }
    try {
        auto device = std::make_unique<plat::Device>(root);
        if (!std::filesystem::exists(plat::DeviceRegistryFile(*device), error)) {
            problem = missing;
            return false;
        }
        device->NamespaceDir();
        plat::SetCurrentDevice(std::move(device));
        return true;
    } catch (const std::exception& failure) {
        problem = "the device at " + root.string() + " cannot be used: " + failure.what();
        return false;
    }
}

void StartCallerId(const std::filesystem::path& root) {
    if (!plat::UsesDesktop()) return;
    const std::string program = BesideProgram("brevane-callerid").string();
    // Without it incoming calls are not named; the program itself works as before.
    (void)plat::SpawnDetached(program, {program, "--root", root.string()});
}

bool MakeDemoDevice(const std::filesystem::path& root, std::string& problem) {
    const std::filesystem::path tool = BesideProgram("brevane-cli");
    if (tool.empty() || access(tool.c_str(), X_OK) != 0) {
        problem = "brevane-cli is not installed beside the program";
        return false;
    }
    const int status = RunAndWait(tool, {tool.string(), "--root", root.string(), "init", "--demo"});
    if (status == 0) return true;
    problem = "the demo device at " + root.string() + " could not be made";
    return false;
}
