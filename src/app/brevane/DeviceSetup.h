#pragma once
// Opening the device the program runs on, and making a demo device.
#include <filesystem>
#include <string>

// Makes the device at `root` the current device. False with `problem` set when there is no
// initialised device there or it cannot be used (the folder is unreadable, the namespace cannot be
// made private).
[[nodiscard]] bool OpenProgramDevice(const std::filesystem::path& root, std::string& problem);

// On a device that hands calls to the host computer, starts brevane-callerid (beside this program)
// for it; one already running keeps watching and the new one ends.
void StartCallerId(const std::filesystem::path& root);

// Creates the device at `root` if it is new and adds the sample contacts it lacks, by running the
// command-line tool beside this program ("brevane-cli --root ROOT init --demo") and waiting for
// it. False with `problem` set when the tool is missing or fails.
[[nodiscard]] bool MakeDemoDevice(const std::filesystem::path& root, std::string& problem);
