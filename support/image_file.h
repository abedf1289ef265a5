// Bytes of the running program's image found again in its file, so a large resource can be
// read through the file instead of through the mapped image: pages read from a file go to the
// system's file cache, while every touched page of the image joins the process's working set
// and stays there for as long as the process runs.
#pragma once

#include <windows.h>

#include <span>

#include "support/scoped_handle.h"

namespace vireo {

// Where |bytes| (a view into the mapped image of |module|) lie in |module|'s file: the
// file's offset of their first byte. False when |module| is not an image the loader mapped
// (a data-file mapping has no sections), or the bytes are not wholly inside the file data of
// one of its sections.
bool FindImageFileOffset(HMODULE module, std::span<const unsigned char> bytes, UINT64* offset);

// The running program's own file opened for reading, when |bytes| (a view into the process's
// main image) are found in it at the offset FindImageFileOffset gives; |offset| receives it.
// The first and last pages of the range are compared with the mapped bytes, so a file
// renamed and replaced since the start is not read in place of the image. Empty when the
// bytes are not in the main image, the file cannot be opened, or the bytes differ; the
// caller then reads the mapped bytes instead.
ScopedFile OpenImageFileAt(std::span<const unsigned char> bytes, UINT64* offset);

}  // namespace vireo
