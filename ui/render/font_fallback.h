// Choosing a face that can show a text, so that no text is drawn as missing-glyph boxes when
// the skin names a face the system lacks, or one without the text's script.
//
//  FF1. FontForText(requested, text) answers |requested| unchanged when its face is installed,
//      drawable by GDI+ (TrueType or OpenType outlines) and has a glyph for every character
//      of |text| (GetGlyphIndicesW with GGI_MARK_NONEXISTING_GLYPHS). Control characters and
//      surrogates are not checked.
//  FF2. Otherwise only the face name changes, to the first installed face that has them all,
//      asked in this order: the system's UI faces (the message font of the non-client
//      metrics as GDI resolves it, then the faces the system links to it and to its name
//      under FontLink\SystemLink) that support the text's character set; every installed
//      face enumerated for that character set; the remaining UI faces; every installed face.
//      Vertical ("@") faces and faces GDI+ cannot draw are never chosen.
//  FF3. The text's character set is that of the first code page, among the system's ANSI code
//      page and the East Asian ones (936, 950, 932, 949), that encodes the whole text; none
//      does: every face counts as supporting it.
//  FF4. When no face has every glyph, the face missing the fewest is chosen, the requested
//      one on a tie.
//  FF5. Answers are cached per face and set of characters, and the installed faces are
//      enumerated once, so a text painted again costs one lookup. Thread-safe.
//  FF6. PrepareFontFallback() reads the system's UI faces. The toolkit calls it on the UI
//      thread at start-up, before a helper thread measures text: reading them asks the window
//      system, which a helper thread must never be the first to touch. Without it, the
//      first FontForText reads them on its own thread.
//  FF7. EnumerateInstalledFaces() enumerates the installed faces now rather than at the
//       first text that needs them (tens of milliseconds under Wine); the toolkit's text
//       warm-up calls it on its own thread. Any thread may call it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace ui {

LOGFONTW FontForText(const LOGFONTW& requested, std::wstring_view text);

void PrepareFontFallback();
void EnumerateInstalledFaces();

// The faces the system's font links name for |face| ("file,face[,scaling]" entries of the
// SystemLink key), in their order; empty when it has none.
std::vector<std::wstring> LinkedFaces(const wchar_t* face);

}  // namespace ui
