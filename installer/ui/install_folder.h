// The folder rules of the install window's folder button, apart from the picker itself so
// they can be checked without a window.
//
//  - TrimToExistingFolder: while the text does not name an existing directory, it is cut at
//    its last "\" or "/" (the separator goes too); with no separator left it becomes empty.
//    The picker opens on what remains.
//  - MapChosenFolder, for a folder the user picked:
//    - below the default root ("<local app data>\Vireo\", compared with A-Z folded over
//        the root's length, trailing backslash included): the default root without its
//        trailing backslash, so the product folder is never nested in itself;
//      - a drive or share root: the product name appended ("D:\" -> "D:\Vireo");
//      - any other folder: product_en appended unless it is empty or already the folder's
//        last component (A-Z folded).
//      Empty when the result would not fit a 260-character path: the caller then keeps the
//      text it had.
#pragma once

#include <string>

namespace vireo {

std::wstring TrimToExistingFolder(std::wstring text);

std::wstring MapChosenFolder(const std::wstring& chosen, const std::wstring& default_root,
                             const std::wstring& product_name, const std::wstring& product_en);

}  // namespace vireo
