// Pinning links to the taskbar through the shell's pin-list object. The object has no public
// declaration; its two methods are reached by their vtable slot. Every failure is quiet:
// pinning is a courtesy and never decides whether a link counts as created.
#pragma once

namespace vireo {

// Builds on which pinning this way works: Windows 10 1809 (17763) up to, not including,
// build 26100.
bool IsPinSupportedOnBuild(unsigned long build);

// Pins |link_path| unless it is pinned already. True only when a pin request succeeded.
// Needs COM initialised on the calling thread.
bool PinToTaskbar(const wchar_t* link_path);

// Asks the shell to unpin |link_path|; nothing for an empty path. Needs COM initialised.
void UnpinFromTaskbar(const wchar_t* link_path);

}  // namespace vireo
