#pragma once
// The Windows paths the program was written with ("Z:\VORIRADIRIV\MIGRAR\", "C:\PROVLOCAL.TXT") on this
// machine: backslashes become slashes, a drive letter X: becomes the folder "x" under the drives root
// (MIGRA_DRIVES, default "drives" in the program folder), and every part of the path that exists is found
// without regard to case, as Windows would find it. A path without a drive letter is used as it is, with
// the same case-insensitive lookup.

#include <filesystem>
#include <string_view>

namespace os {

std::filesystem::path drivesRoot();

std::filesystem::path mapWindowsPath(std::string_view windowsPath);

// The entry of `folder` named `name` without regard to case: an exact match first, else the first
// case-insensitive one; `folder / name` when there is none.
std::filesystem::path findIgnoringCase(const std::filesystem::path& folder, std::string_view name);

}  // namespace os
