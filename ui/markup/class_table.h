// Classes: named attribute lists declared by Class elements, in the global table (from
// "global.xml") or in a window's own table (from its skin file).
//
//  - A Class element's list holds each attribute but "name" in document order as
//    " name=\"value\""; an attribute called "_value" is written as " value=\"...\"" (so a
//    class can set an attribute named "value"); an attribute called "value" is taken as a
//    ready-made list and appended as it is (after one separating space). Leading spaces
//    are trimmed. A Class without a name, or with an empty one, is ignored.
//  - A later class of the same name replaces the earlier one.
//  - A "class" attribute value names classes separated by spaces; they apply in order,
//    each looked up in the global table first and in the window's table only when the
//    global table has no such class; unknown names are skipped.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "ui/markup/attribute_list.h"
#include "ui/markup/xml_document.h"

namespace ui {

class ClassTable {
 public:
  void Set(std::wstring_view name, std::wstring list) { lists_[std::wstring(name)] = std::move(list); }
  // The attribute list of |name|, or null.
  const std::wstring* Find(std::wstring_view name) const;
  size_t size() const { return lists_.size(); }

  // Adds |element| (a Class element) by the rules above; false when it was ignored.
  bool AddClassElement(XmlNode element);

 private:
  std::map<std::wstring, std::wstring, std::less<>> lists_;
};

// The attribute list of a Class element.
std::wstring BuildClassList(XmlNode element);

// Applies the classes named in |class_value| through |sink|; |window| may be null.
void ApplyClasses(std::wstring_view class_value, const ClassTable& global, const ClassTable* window,
                  const AttributeSink& sink);

}  // namespace ui
