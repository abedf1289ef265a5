#include "tests/ui/markup/skin_fuzz.h"

#include <windows.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "support/scoped_handle.h"
#include "tests/test_support/zip_writer.h"
#include "tests/ui/markup/markup_fixtures.h"
#include "ui/markup/attribute_list.h"
#include "ui/markup/image_descriptor.h"
#include "ui/markup/png_decoder.h"
#include "ui/markup/skin_path.h"
#include "ui/markup/string_table.h"
#include "ui/markup/text_encoding.h"
#include "ui/markup/value_syntax.h"
#include "ui/markup/xml_document.h"
#include "ui/markup/zip_archive.h"

namespace ui::fuzz {
namespace {

constexpr size_t kMaxInput = 256 * 1024;

// Committed pages with a PAGE_NOACCESS page right behind them.
class GuardedBuffer {
 public:
  GuardedBuffer() {
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    const size_t page = info.dwPageSize;
    usable_ = (kMaxInput + page - 1) / page * page;
    memory_.reset(::VirtualAlloc(nullptr, usable_ + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    if (!memory_ || !::VirtualProtect(static_cast<uint8_t*>(memory_.get()) + usable_, page, PAGE_NOACCESS, &old)) {
      ::RaiseException(STATUS_NO_MEMORY, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    }
  }
  // A copy of |size| bytes ending right at the guard page (|size| <= kMaxInput).
  const uint8_t* Place(const void* data, size_t size) {
    uint8_t* at = static_cast<uint8_t*>(memory_.get()) + usable_ - size;
    if (size > 0) std::memcpy(at, data, size);
    return at;
  }
  std::wstring_view PlaceText(std::wstring_view text) {
    const auto* at = reinterpret_cast<const wchar_t*>(Place(text.data(), text.size() * sizeof(wchar_t)));
    return std::wstring_view(at, text.size());
  }

 private:
  vireo::ScopedVirtualMemory memory_;
  size_t usable_ = 0;
};

class Mutator {
 public:
  explicit Mutator(uint32_t seed) : rng_(seed) {}
  size_t Below(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }
  bool OneIn(size_t n) { return Below(n) == 0; }

  // A few random edits: flipped bits, bytes from |alphabet|, interesting 16/32-bit values,
  // cuts, repeats and inserts.
  std::string Mutate(std::string s, std::string_view alphabet) {
    const size_t edits = 1 + Below(8);
    for (size_t i = 0; i < edits; ++i) {
      const size_t at = Below(s.size() + 1);
      switch (Below(7)) {
        case 0: if (at < s.size()) s[at] = static_cast<char>(s[at] ^ (1 << Below(8))); break;
        case 1: if (at < s.size()) s[at] = alphabet[Below(alphabet.size())]; break;
        case 2: s.insert(at, 1, alphabet[Below(alphabet.size())]); break;
        case 3: s.erase(at, Below(16)); break;
        case 4: s.resize(at); break;
        case 5: s.insert(at, s.substr(Below(s.size() + 1), Below(64))); break;
        default: PutInteresting(&s, at); break;
      }
    }
    if (s.size() > kMaxInput) s.resize(kMaxInput);
    return s;
  }

 private:
  void PutInteresting(std::string* s, size_t at) {
    static const uint32_t kValues[] = {0, 1, 0x7F, 0xFF, 0xFFFF, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 46, 22};
    const uint32_t v = kValues[Below(std::size(kValues))] + static_cast<uint32_t>(Below(3)) - 1;
    for (size_t i = 0; i < (OneIn(2) ? 2u : 4u) && at + i < s->size(); ++i) (*s)[at + i] = static_cast<char>(v >> (8 * i));
  }

  std::mt19937 rng_;
};

std::vector<std::string> ZipSeeds() {
  const std::string text = "<Global><Font id=\"a\" name=\"system\"/></Global>" + std::string(200, 'x');
  const std::string png = test::MakePng(3, 3, std::vector<uint32_t>(9, 0x80FF0000));
  return {
      vireo::test::MakeZip({{"global.xml", text}, {"frame/a.xml", "<Window/>"}}),
      vireo::test::MakeZip({{"global.xml", text, test::DeflateRaw(text)}, {"button/b.png", png, test::DeflateRaw(png)}}),
      vireo::test::MakeZip({{"s.xml", text, "", "pw"}, {"d.xml", text, test::DeflateRaw(text), "pw"}}),
      vireo::test::MakeZip({{"../../up", "u"}, {"/root", "r"}, {"dir/", ""}}),
      // Synthetic: an end record alone, and one pointing at a lone central header.
      std::string("PK\x05\x06\0\0\0\0\x01\0\x01\0\x2E\0\0\0\0\0\0\0\0\0", 22),
      std::string("PK\x01\x02", 4) + std::string(42, '\0') + std::string("PK\x05\x06\0\0\0\0\x01\0\x01\0\x2E\0\0\0\0\0\0\0\0\0", 22),
  };
}

void RunZip(Mutator& m, GuardedBuffer& buffer, RunStats* stats) {
  static const std::vector<std::string> seeds = ZipSeeds();
  const std::string input = m.Mutate(seeds[m.Below(seeds.size())], "PK\x01\x02\x03\x04\x05\x06\x08\xFF");
  ZipArchive archive;
  if (!archive.Open(buffer.Place(input.data(), input.size()), input.size(), m.OneIn(2) ? "pw" : "")) return;
  ++stats->accepted;
  for (const ZipEntry& entry : archive.entries()) {
    archive.Find(entry.name);
    archive.Extract(entry);
  }
}

void RunXml(Mutator& m, GuardedBuffer& buffer, RunStats* stats) {
  static const std::string seed =
      "\xEF\xBB\xBF<?xml version=\"1.0\"?><!-- c --><Window size=\"660,512\" caption=\"0,0,0,32\">"
      "<VBox><Label text=\"&lt;a&amp;b&quot;\" class=\"x y\"/><Button name=\"b\">t&apos;</Button></VBox>"
      "<Class name=\"c\" _value=\"v\"/></Window>";
  const std::string input = m.Mutate(seed, "<>/=\"'&;!?- \n\t:_ab\xE5\xAE\x89\xFF\xFE");
  XmlDocument doc;
  const uint8_t* bytes = buffer.Place(input.data(), input.size());
  if (!doc.LoadBytes(bytes, input.size(), m.OneIn(4) ? TextEncoding::kAnsi : TextEncoding::kUtf8)) return;
  ++stats->accepted;
  // Visit every element without recursion.
  XmlNode node = doc.root();
  while (node) {
    for (size_t i = 0; i < node.attribute_count(); ++i) node.attribute_value(i);
    if (XmlNode child = node.first_child()) {
      node = child;
      continue;
    }
    while (node && !node.next_sibling()) node = node.parent();
    if (node) node = node.next_sibling();
  }
}

void RunValues(Mutator& m, GuardedBuffer& buffer, RunStats* stats) {
  static const std::string seeds[] = {
      "file='../button/btn.png' source='0,0,46,32' dest='0,4,12,16' corner='1,2,3,4' fade='128' xtiled='true'",
      "width=\"14\" normalimage=\"file='a.png' dest='0,0,12,12'\" font=\"system_12\"",
      "-2147483648,99999999999,+12,-",
      "#ff006DD9",
      "ID=text\\r\\n\n[s]\n;c\nX = y\\n",
      "frame\\../button/..\\../x.png",
  };
  const std::string narrow = m.Mutate(seeds[m.Below(std::size(seeds))], "'\"=, #-+0123456789\\/.\n\r");
  const std::wstring wide = Utf8ToWide(narrow);
  const std::wstring_view text = buffer.PlaceText(wide);
  const DpiScale scale(static_cast<int>(100 + 25 * m.Below(5)), true);
  const ImageAttribute attribute = ParseImageDescriptor(text, scale);
  if (!attribute.file.empty()) ++stats->accepted;
  WithModifier(attribute, text, scale);
  scale.ScaleRect(ParseRect(text));
  ParseSize(text);
  ParseInt(text);
  ParseColorValue(text);
  ForEachListedAttribute(text, [](std::wstring_view, std::wstring_view) {});
  StringTable strings;
  strings.Load(text);
  NormalizeArchivePath(text);
  ToDiskPath(text);
  HighDpiVariant(text);
  const uint8_t* bytes = buffer.Place(narrow.data(), narrow.size());
  StripArchiveEntryName(std::string_view(reinterpret_cast<const char*>(bytes), narrow.size()));
  DecodeText(bytes, narrow.size(), TextEncoding::kUtf8);
}

// Chunks with the right CRCs around mutated contents, so most inputs get past the chunk walk
// into the header checks, the inflate and the row filters; one in eight is mutated whole.
void RunPng(Mutator& m, GuardedBuffer& buffer, RunStats* stats) {
  const int width = 1 + static_cast<int>(m.Below(6));
  const int height = 1 + static_cast<int>(m.Below(5));
  const uint8_t colour = m.OneIn(2) ? 6 : 2;
  std::string rows;
  for (int y = 0; y < height; ++y) {
    rows += static_cast<char>(y % 5);  // every filter type
    for (int i = 0; i < width * (colour == 6 ? 4 : 3); ++i) rows += static_cast<char>(m.Below(256));
  }
  if (!m.OneIn(3)) rows = m.Mutate(rows, std::string_view("\0\1\2\3\4\5\x7F\x80\xFF", 9));
  uLongf size = compressBound(static_cast<uLong>(rows.size()));
  std::string packed(size, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(rows.data()),
           static_cast<uLong>(rows.size()));
  packed.resize(size);
  if (m.OneIn(6)) packed = m.Mutate(packed, "\x78\x9C\x01\xFF");
  std::string header = test::PngHeader(width, height, colour);
  if (m.OneIn(4)) header = m.Mutate(header, std::string_view("\0\1\2\3\4\6\x08\x10\x20\xFF", 10));

  std::string png(test::kPngSignature);
  test::PutChunk(png, "IHDR", header);
  const size_t split = m.Below(packed.size() + 1);  // data may span two chunks
  test::PutChunk(png, "IDAT", packed.substr(0, split));
  if (m.OneIn(5)) test::PutChunk(png, m.OneIn(2) ? "tEXt" : "gAMA", "x");
  test::PutChunk(png, "IDAT", packed.substr(split));
  test::PutChunk(png, "IEND", "");
  if (m.OneIn(8)) png = m.Mutate(png, std::string_view("IDATEND\x89PNG\0\xFF", 13));
  if (DecodePlainPng(buffer.Place(png.data(), png.size()), png.size(), L"fuzz.png")) ++stats->accepted;
}

}  // namespace

RunStats Run(InputKind kind, uint32_t seed, size_t cases) {
  GuardedBuffer buffer;
  Mutator mutator(seed);
  RunStats stats;
  for (; stats.cases < cases; ++stats.cases) {
    switch (kind) {
      case InputKind::kZip: RunZip(mutator, buffer, &stats); break;
      case InputKind::kXml: RunXml(mutator, buffer, &stats); break;
      case InputKind::kValues: RunValues(mutator, buffer, &stats); break;
      case InputKind::kPng: RunPng(mutator, buffer, &stats); break;
    }
  }
  return stats;
}

}  // namespace ui::fuzz
