#pragma once
// What the running program learns from the machine and the session it runs in.

#include <filesystem>
#include <string>

namespace os {

// The arguments after the program's name joined by one blank: the connection parameter string that a
// starting program passes as one argument comes back as it was passed.
std::string joinArguments(int argc, const char* const argv[]);

// main() remembers its arguments once; commandLine() gives them joined as above ("" before that).
void rememberCommandLine(int argc, const char* const argv[]);
std::string commandLine();

// The machine's host name; "" when the system does not tell.
std::string computerName();

// The name the session's user logged in with (the account of the process, else USER or LOGNAME).
std::string userName();

// The folder for temporary files: TEMP when set and not empty, else TMPDIR, else /tmp.
std::filesystem::path temporaryFolder();

}  // namespace os
