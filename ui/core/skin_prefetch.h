// Finding, before a window's control tree is built, the images its skin shows at once, so
// the image cache can decode them while the native window is being created and the first
// paint decodes nothing itself.
//
//  SP1. VisibleImages(root, classes) lists the files named by the image attributes (those
//      whose name ends in "image": backgrounds and state images) of the controls below
//      |root| (the root element itself is the file's frame, as for the builder), in
//      document order; an element's "class" counts where it stands, its classes looked up
//      in |classes|. An element whose own "visible" is anything but "true" is skipped with
//      its subtree (the last "visible" of an element counts), and so are definition,
//      Include and event elements. A descriptor's file is read as the builder reads it
//      (image_descriptor.h); an empty file is skipped, a file already listed is not listed
//      again.
//  SP2. Images set through a window's own classes, an included file or code are not seen:
//      the list is a guess that only decides what is decoded early, never what is drawn.
//  SP3. The walk goes no deeper than kMaxBuildDepth, like the builder (control_builder.h CB7).
//  SP4. PrefetchSkinImages(skin_file, window_path) loads |skin_file| as the builder does
//      (archive, disk, or XML text) and asks the global manager to prefetch each file listed
//      with the global classes as an image of a window whose resource path is |window_path|
//      (GlobalManager::PrefetchImage). A file that does not load prefetches nothing. It
//      answers how many decodes were handed to the worker. UI thread only.
#pragma once

#include <string>
#include <vector>

#include "ui/markup/xml_document.h"

namespace ui {

class ClassTable;

std::vector<std::wstring> VisibleImages(XmlNode root, const ClassTable& classes);        // SP1-SP3
size_t PrefetchSkinImages(const std::wstring& skin_file, const std::wstring& window_path);  // SP4

}  // namespace ui
