#pragma once
// Opening a file for the operator with the desktop's program for it, as the legacy "start" command did.

#include <string_view>

// Opens the file (or starts the program) at `Path`, a Windows path or this machine's, without a shell: a
// path with blanks or quotes reaches the desktop's opener whole. `ConFoco` (start minimised, with or without
// focus) has no meaning on this desktop and is taken as given. Nothing is reported: an opener that cannot be
// started leaves the file unopened.
void EjecutaStart(std::string_view Path, bool ConFoco = false);
