// Paying GDI+'s one-time text start-up on a thread of its own.
//
// The first GDI+ font a process makes is slow where the system builds GDI+'s table of
// installed fonts on first use (100-200 ms under Wine, once per process; later fonts take
// well under a millisecond). Started with the toolkit, the warm-up pays that while the UI
// thread creates and shows its first window, instead of inside its first paint.
//
//  TW1. StartTextWarmUp(font) starts one thread that, inside a GDI+ session of its own, makes
//      a GDI+ font from |font| and measures a short string in it. At most one warm-up exists:
//      starting while one exists does nothing and answers false, as does a thread the system
//      refuses. The thread never loads a library nor registers a window class: under Wine,
//      class registration on a second thread while the UI thread creates its first window
//      can deadlock both (the loader lock against the window system's one-time set-up).
//  TW2. WaitForTextWarmUp() returns once the text part of a running warm-up is done (at once
//      without one). Measuring and drawing text (gdiplus_text.h) wait before they make a
//      font, so the UI thread never builds GDI+'s font tables a second time beside the
//      warm-up; once the text part is done a wait costs one atomic read.
//  TW3. FinishTextWarmUp() waits for the whole thread and joins it; nothing
//      happens without one. It must run before the GDI+ session the caller's text depends
//      on ends (ui::Shutdown calls it); a warm-up still running when the process's static
//      objects are destroyed is joined then.
//  TW4. A font GDI+ cannot use, or a GDI+ that does not start, only ends the text part
//      sooner: text then behaves as it would without a warm-up. Nothing the UI thread reads
//      is changed except GDI+'s own caches.
//  TW5. Start and Finish are called from the UI thread; Wait from any thread.
//  TW6. The text part also enumerates the installed faces for the font fallback
//      (font_fallback.h, FF7), so a text that needs another face does not pay for that
//      inside the first paint.
#pragma once

#include <windows.h>

namespace ui {

bool StartTextWarmUp(const LOGFONTW& font);
void WaitForTextWarmUp();
void FinishTextWarmUp();

}  // namespace ui
