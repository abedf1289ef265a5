// The process-wide skin state: the open skin archive, the global resource path, the DPI
// scale, the global definitions, the string table and the image cache.
//
//  GM1. UI thread only; nothing here is locked (the image cache's prefetch worker only
//      decodes what it was handed, GM6).
//  GM2. At most one archive is open; opening another (or failing to) closes the previous one.
//      The archive's bytes are used in place and must stay alive while it is open (a
//      module's resource does while the module stays loaded).
//  GM3. A skin file is found by its path relative to the resource path: in the archive first
//      (archive form of skin_path.h, so "frame\../x" is "x"; a path that climbs above the
//      root is not in the archive), else on disk as resource path + path. A skin document
//      whose "path" starts with "<" is the XML text itself.
//  GM4. Image files resolve against the resource path and the window's resource path; their
//      disk form takes the "@2x" variant when the process is DPI-aware above 150 % and that
//      file exists. The cache is keyed by the disk form; a miss decodes the archive member
//      (no variant inside the archive), else the file.
//  GM5. A missing string table file leaves the table empty; that is no error.
//  GM6. PrefetchImage resolves and reads an image file as GetImage would, here on the UI
//      thread, and hands only the decoding (in a GDI+ session of its own) to the image
//      cache's prefetch worker (image_cache.h IC4-IC6); the next GetImage of that file takes
//      the result over. An image that is cached already, or prefetched, is left alone.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ui/markup/byte_block.h"
#include "ui/markup/decoded_image.h"
#include "ui/markup/dpi_scale.h"
#include "ui/markup/global_definitions.h"
#include "ui/markup/image_cache.h"
#include "ui/markup/string_table.h"
#include "ui/markup/xml_document.h"
#include "ui/markup/zip_archive.h"

namespace ui {

class GlobalManager {
 public:
  GlobalManager() = default;
  GlobalManager(const GlobalManager&) = delete;
  GlobalManager& operator=(const GlobalManager&) = delete;

  // The process's instance.
  static GlobalManager& Get();

  // GM2. The resource |name| of |type| in |module|, opened in place.
  bool OpenArchiveFromResource(HMODULE module, const wchar_t* name, const wchar_t* type, std::string_view password);
  bool OpenArchive(const uint8_t* data, size_t size, std::string_view password);
  bool archive_mode() const { return archive_.is_open(); }
  const ZipArchive& archive() const { return archive_; }

  // Stored with a trailing backslash unless empty (skin_path.h WithTrailingSlash).
  void SetResourcePath(std::wstring_view path);
  const std::wstring& resource_path() const { return resource_path_; }

  DpiScale& dpi() { return dpi_; }
  const DpiScale& dpi() const { return dpi_; }
  GlobalDefinitions& definitions() { return definitions_; }
  const GlobalDefinitions& definitions() const { return definitions_; }
  const StringTable& strings() const { return strings_; }
  ImageCache& image_cache() { return images_; }

  // GM3. The bytes of a skin file; an invalid block when neither the archive nor the disk
  // has it.
  ByteBlock ReadSkinFile(std::wstring_view path) const;
  // GM3. Loads a skin file (or XML text) into |doc|; false with the reader's error.
  bool LoadSkinDocument(std::wstring_view path, XmlDocument* doc) const;
  // Builds the Global document at |path| ("global.xml") into the definitions.
  bool BuildGlobalFile(std::wstring_view path);
  // GM5. "gdstrings.ini" in |language_path| (relative to the resource path).
  void LoadStringTable(std::wstring_view language_path);

  // GM4. The cache key of an image file named by a control of a window whose resource path
  // is |window_path|.
  std::wstring ResolveImagePath(std::wstring_view file, std::wstring_view window_path) const;
  // GM4. The decoded image, or null when neither source decodes. GDI+ must be started.
  std::shared_ptr<DecodedImage> GetImage(std::wstring_view file, std::wstring_view window_path);
  // GM6; false when nothing was handed to the worker.
  bool PrefetchImage(std::wstring_view file, std::wstring_view window_path);

 private:
  ByteBlock ReadArchiveFile(std::wstring_view path) const;

  ZipArchive archive_;
  std::wstring resource_path_;
  DpiScale dpi_;
  GlobalDefinitions definitions_;
  StringTable strings_;
  ImageCache images_;
};

}  // namespace ui
