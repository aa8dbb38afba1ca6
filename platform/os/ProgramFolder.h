#pragma once

#include <filesystem>
#include <string>

namespace os {

// The folder of the running program, where its own files live; MIGRA_HOME overrides it so tests and the
// demo can work in a folder of their own.
std::filesystem::path programFolder();

// The running program's file name without folder or extension ("migrador").
std::string programName();

}  // namespace os
