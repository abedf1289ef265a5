#include "ui/render/font_fallback.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "support/scoped_gdi.h"

namespace ui {
namespace {

constexpr UINT kEastAsianCodePages[] = {936, 950, 932, 949};
constexpr wchar_t kSystemLinkKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink";
// Enough for every text a window shows; a full cache starts again rather than grow.
constexpr size_t kMaxCachedChoices = 512;

// Face names compare as GDI compares them: without case.
struct LessFace {
  bool operator()(const std::wstring& a, const std::wstring& b) const {
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
  }
};
bool SameFace(const wchar_t* a, const wchar_t* b) {
  return ::CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

// The distinct characters a face must have, sorted (FF1).
std::wstring CheckedCharacters(std::wstring_view text) {
  std::wstring chars;
  for (const wchar_t c : text) {
    if (c >= 0x20 && (c < 0xD800 || c > 0xDFFF)) chars.push_back(c);
  }
  std::sort(chars.begin(), chars.end());
  chars.erase(std::unique(chars.begin(), chars.end()), chars.end());
  return chars;
}

// FF3.
BYTE CharsetForText(const std::wstring& chars) {
  std::vector<UINT> pages = {::GetACP()};
  pages.insert(pages.end(), std::begin(kEastAsianCodePages), std::end(kEastAsianCodePages));
  for (const UINT page : pages) {
    BOOL lossy = FALSE;
    const int bytes = ::WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, chars.data(), static_cast<int>(chars.size()),
                                            nullptr, 0, nullptr, &lossy);
    CHARSETINFO info{};
    if (bytes > 0 && !lossy &&
        ::TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<uintptr_t>(page)), &info, TCI_SRCCODEPAGE)) {
      return static_cast<BYTE>(info.ciCharset);
    }
  }
  return DEFAULT_CHARSET;
}

struct FaceInfo {
  bool installed = false;
  bool drawable = false;  // TrueType or OpenType outlines, which GDI+ draws
  std::set<BYTE> charsets;
  bool Supports(BYTE charset) const { return charset == DEFAULT_CHARSET || charsets.count(charset) != 0; }
};

using FaceMap = std::map<std::wstring, FaceInfo, LessFace>;

struct Enumeration {
  FaceMap* faces;
  std::vector<std::wstring>* order = nullptr;  // null when one face is asked for
  std::set<std::wstring, LessFace> listed = {};
};

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type, LPARAM param) {
  auto* into = reinterpret_cast<Enumeration*>(param);
  const std::wstring name = font->lfFaceName;
  if (name.empty() || name[0] == L'@') return 1;
  FaceInfo& info = (*into->faces)[name];
  if (into->order && into->listed.insert(name).second) into->order->push_back(name);
  info.installed = true;
  // Scalable fonts come with the extended metrics, whose flags name OpenType outlines.
  const DWORD flags = (type & RASTER_FONTTYPE) ? 0 : reinterpret_cast<const NEWTEXTMETRICW*>(metrics)->ntmFlags;
  if ((type & TRUETYPE_FONTTYPE) || (flags & (NTM_PS_OPENTYPE | NTM_TT_OPENTYPE))) info.drawable = true;
  info.charsets.insert(font->lfCharSet);
  return 1;
}

void Enumerate(HDC dc, const wchar_t* face, Enumeration* into) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  wcsncpy_s(query.lfFaceName, face, _TRUNCATE);
  ::EnumFontFamiliesExW(dc, &query, &CollectFace, reinterpret_cast<LPARAM>(into), 0);
}

// The face GDI actually selects for |font|.
std::wstring ResolvedFace(HDC dc, const LOGFONTW& font) {
  const vireo::ScopedFont handle(::CreateFontIndirectW(&font));
  if (!handle) return {};
  const vireo::ScopedSelectObject select(dc, handle.get());
  wchar_t face[LF_FACESIZE] = {};
  return select.ok() && ::GetTextFaceW(dc, LF_FACESIZE, face) > 0 ? face : std::wstring();
}

// How many of |chars| |face| lacks, drawn as |requested| otherwise; INT_MAX when GDI does not
// select that face at all.
int MissingGlyphs(HDC dc, LOGFONTW font, const std::wstring& face, const std::wstring& chars) {
  wcsncpy_s(font.lfFaceName, face.c_str(), _TRUNCATE);
  const vireo::ScopedFont handle(::CreateFontIndirectW(&font));
  if (!handle) return INT_MAX;
  const vireo::ScopedSelectObject select(dc, handle.get());
  wchar_t actual[LF_FACESIZE] = {};
  if (!select.ok() || ::GetTextFaceW(dc, LF_FACESIZE, actual) == 0 || !SameFace(actual, font.lfFaceName)) {
    return INT_MAX;
  }
  std::vector<WORD> glyphs(chars.size());
  if (::GetGlyphIndicesW(dc, chars.data(), static_cast<int>(chars.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
    return INT_MAX;
  }
  return static_cast<int>(std::count(glyphs.begin(), glyphs.end(), WORD{0xFFFF}));
}

class FontFallback {
 public:
  LOGFONTW Choose(const LOGFONTW& requested, std::wstring_view text);
  void Prepare();
  void EnumerateNow();

 private:
  std::wstring Decide(HDC dc, const LOGFONTW& requested, const std::wstring& chars);
  const FaceInfo& Info(HDC dc, const std::wstring& face);
  void ReadUiFaces(HDC dc);
  void EnumerateAll(HDC dc);

  std::mutex mutex_;
  bool ui_faces_read_ = false;
  std::vector<std::wstring> ui_faces_;
  bool all_enumerated_ = false;
  std::vector<std::wstring> all_faces_;  // in the system's order
  FaceMap faces_;
  std::map<std::wstring, std::wstring> choices_;  // face, '\n', characters -> chosen face
};

LOGFONTW FontFallback::Choose(const LOGFONTW& requested, std::wstring_view text) {
  const std::wstring chars = CheckedCharacters(text);
  if (chars.empty()) return requested;
  const std::wstring key = std::wstring(requested.lfFaceName) + L'\n' + chars;
  LOGFONTW chosen = requested;
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = choices_.find(key);
  if (it == choices_.end()) {
    const vireo::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return requested;
    if (choices_.size() >= kMaxCachedChoices) choices_.clear();
    it = choices_.emplace(key, Decide(dc.get(), requested, chars)).first;
  }
  wcsncpy_s(chosen.lfFaceName, it->second.c_str(), _TRUNCATE);
  return chosen;
}

std::wstring FontFallback::Decide(HDC dc, const LOGFONTW& requested, const std::wstring& chars) {
  std::wstring best = requested.lfFaceName;
  const FaceInfo& own = Info(dc, best);
  int best_missing = own.installed && own.drawable ? MissingGlyphs(dc, requested, best, chars) : INT_MAX;
  if (best_missing == 0) return best;  // FF1

  std::set<std::wstring, LessFace> tried = {best};
  const auto covers = [&](const std::wstring& face) {
    if (!tried.insert(face).second) return false;
    const FaceInfo& info = Info(dc, face);
    if (!info.installed || !info.drawable) return false;
    const int missing = MissingGlyphs(dc, requested, face, chars);
    if (missing < best_missing) {
      best_missing = missing;
      best = face;
    }
    return missing == 0;
  };
  ReadUiFaces(dc);
  const BYTE charset = CharsetForText(chars);
  for (const std::wstring& face : ui_faces_) {
    if (Info(dc, face).Supports(charset) && covers(face)) return face;
  }
  EnumerateAll(dc);
  for (const std::wstring& face : all_faces_) {
    if (faces_[face].Supports(charset) && covers(face)) return face;
  }
  for (const std::wstring& face : ui_faces_) {
    if (covers(face)) return face;
  }
  for (const std::wstring& face : all_faces_) {
    if (covers(face)) return face;
  }
  return best;  // FF4
}

const FaceInfo& FontFallback::Info(HDC dc, const std::wstring& face) {
  auto it = faces_.find(face);
  if (it != faces_.end()) return it->second;
  Enumeration into{&faces_};
  Enumerate(dc, face.c_str(), &into);
  return faces_[face];  // an empty record when nothing was enumerated: not installed
}

void FontFallback::ReadUiFaces(HDC dc) {
  if (ui_faces_read_) return;
  ui_faces_read_ = true;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
  const std::wstring named = metrics.lfMessageFont.lfFaceName;
  const std::wstring resolved = ResolvedFace(dc, metrics.lfMessageFont);
  std::vector<std::wstring> faces = {resolved};
  for (const std::wstring& face : {resolved, named}) {
    const std::vector<std::wstring> linked = LinkedFaces(face.c_str());
    faces.insert(faces.end(), linked.begin(), linked.end());
  }
  for (const std::wstring& face : faces) {
    if (!face.empty()) ui_faces_.push_back(face);
  }
}

void FontFallback::EnumerateAll(HDC dc) {
  if (all_enumerated_) return;
  all_enumerated_ = true;
  Enumeration into{&faces_, &all_faces_};
  Enumerate(dc, L"", &into);
}

FontFallback& TheFallback() {
  static FontFallback fallback;
  return fallback;
}

void FontFallback::Prepare() {
  std::lock_guard<std::mutex> lock(mutex_);
  const vireo::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (dc) ReadUiFaces(dc.get());
}

void FontFallback::EnumerateNow() {
  std::lock_guard<std::mutex> lock(mutex_);
  const vireo::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (dc) EnumerateAll(dc.get());
}

}  // namespace

std::vector<std::wstring> LinkedFaces(const wchar_t* face) {
  DWORD bytes = 0;
  if (::RegGetValueW(HKEY_LOCAL_MACHINE, kSystemLinkKey, face, RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &bytes) !=
          ERROR_SUCCESS ||
      bytes == 0) {
    return {};
  }
  std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 2, L'\0');
  if (::RegGetValueW(HKEY_LOCAL_MACHINE, kSystemLinkKey, face, RRF_RT_REG_MULTI_SZ, nullptr, data.data(), &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  std::vector<std::wstring> faces;
  for (const wchar_t* entry = data.data(); *entry != L'\0'; entry += std::wcslen(entry) + 1) {
    const std::wstring_view text(entry);
    const size_t comma = text.find(L',');
    if (comma == std::wstring_view::npos) continue;
    faces.emplace_back(text.substr(comma + 1, text.find(L',', comma + 1) - comma - 1));
  }
  return faces;
}

LOGFONTW FontForText(const LOGFONTW& requested, std::wstring_view text) {
  return TheFallback().Choose(requested, text);
}

void PrepareFontFallback() { TheFallback().Prepare(); }

void EnumerateInstalledFaces() { TheFallback().EnumerateNow(); }

}  // namespace ui
