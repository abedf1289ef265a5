// Image descriptors: how an image-valued attribute names its file and how to draw it.
//
// A descriptor is a bare file name or key='value' pairs separated by single spaces:
//  - Parsing starts from the defaults below (the file name is the whole descriptor) and
//    reads pairs from the start; whitespace before a key is skipped; a key ends at
//    whitespace or "=".
//  - It stops silently at the first thing that does not fit: no "=", no opening single
//    quote, no closing quote, or a closing quote followed by anything but a space. So a
//    value in double quotes stops it and the file name stays the whole text.
//  - Keys: "file"/"res" (file name), "source", "dest", "corner" (left,top,right,bottom),
//    "destscale", "xtiled", "ytiled" (boolean), "fade" (clamped to 0-255), "playcount"
//    (integer). Unknown keys are skipped.
//  - "dest" is multiplied by the DPI scale when destination scaling is on at the moment
//    it is read ("destscale" before it can turn that off). "source" is in image pixels and
//    never scaled; "corner" is scaled by the painter.
//  - Painters that draw part of an image append a modifier (FormatDestModifier) and apply
//    it to a copy (WithModifier); the stored attribute is never changed.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "ui/markup/decoded_image.h"
#include "ui/markup/dpi_scale.h"

namespace ui {

struct ImageAttribute {
  std::wstring descriptor;  // as written
  std::wstring file;
  RECT dest{-1, -1, -1, -1};    // all -1: the whole control
  RECT source{-1, -1, -1, -1};  // all -1: the whole image
  RECT corner{0, 0, 0, 0};
  int fade = 255;
  bool xtiled = false;
  bool ytiled = false;
  int play_count = -1;
  bool dest_scale = true;
  std::shared_ptr<DecodedImage> image;  // once loaded
};

ImageAttribute ParseImageDescriptor(std::wstring_view descriptor, const DpiScale& scale);

// Reads key='value' pairs into |attribute| without resetting it first.
void ApplyImagePairs(std::wstring_view pairs, const DpiScale& scale, ImageAttribute* attribute);

// "destscale='false' dest='%d,%d,%d,%d'", plus " source='%d,%d,%d,%d'" when |source| is given.
std::wstring FormatDestModifier(const RECT& dest, const RECT* source = nullptr);

// A copy of |stored| with |modifier| applied.
ImageAttribute WithModifier(const ImageAttribute& stored, std::wstring_view modifier, const DpiScale& scale);

}  // namespace ui
