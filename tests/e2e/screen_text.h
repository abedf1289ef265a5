// Reading text back from a saved screenshot with the machine's OCR (tesseract, a Linux
// program the test starts through Wine): whether a window shows words or missing-glyph boxes.
#pragma once

#include <string>

namespace vireo::test {

// The text tesseract reads as one line of |language| ("chi_sim") in the image at
// |image_path|, with every space and line break removed. Empty, with |error| saying why,
// when tesseract is missing or fails; its output files are removed again.
std::wstring ReadTextLine(const std::wstring& image_path, const char* language, std::string* error);

}  // namespace vireo::test
