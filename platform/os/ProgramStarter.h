#pragma once
// Starting other programs and opening documents, without a shell and without waiting for them.

#include <filesystem>
#include <string_view>

namespace os {

// Starts `program` with the parameter text as its one argument (no argument when the text is empty), so
// blanks and ";" in a connection parameter string reach it untouched. A relative `program` is taken from
// the program folder. Returns the process id, or 0 when the program could not be started (missing, not
// executable). The process is reaped when it ends; nobody waits for it.
long startProgram(const std::filesystem::path& program, std::string_view parameters);

// Opens the document with the desktop's program for it (xdg-open, found on PATH). False when xdg-open could
// not be started; whether the document opened is xdg-open's affair.
bool openDocument(const std::filesystem::path& document);

}  // namespace os
