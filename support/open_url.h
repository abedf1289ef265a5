// Opening a web address in the user's browser.
#pragma once

namespace vireo {

// Runs the executable associated with the address's scheme ("https" for "https:" addresses,
// else "http") with the address as its parameter; when no executable is associated or it
// cannot be started (and for an empty address), hands the address to the shell's plain
// "open". Reports nothing.
void OpenUrl(const wchar_t* address);

}  // namespace vireo
