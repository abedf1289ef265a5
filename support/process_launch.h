// Starting a program and forgetting about it.
#pragma once

namespace vireo {

// Starts |command_line| (CreateProcessW may write into it, so it must be writable) with
// |show_command| (callers pass 5, SW_SHOW), no inherited handles, the current folder and
// environment, and no busy cursor. Nothing is waited for; failure is silent.
void LaunchProcess(wchar_t* command_line, int show_command);

}  // namespace vireo
