// The shell's folder picker, as the install window's folder button shows it.
#pragma once

#include <windows.h>

#include <string>

namespace vireo {

// Shows the picker owned by |owner| with |title|, file-system folders only and the new
// dialog style, preselecting |initial| (nothing preselected when empty). Answers the chosen
// folder, or empty when the user cancels or the choice has no file-system path. Runs a modal
// loop on the calling (UI) thread; initialises COM for the call when the thread has not.
std::wstring PickFolder(HWND owner, const wchar_t* title, const std::wstring& initial);

}  // namespace vireo
