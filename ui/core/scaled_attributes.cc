#include "ui/core/scaled_attributes.h"

#include <algorithm>

#include "ui/core/control_kinds.h"

namespace ui {
namespace {

unsigned g_scaled_reads = 0;  // UI thread only (RS5)

}  // namespace

void NoteScaledRead() { ++g_scaled_reads; }

void ScaledAttributes::Apply(const std::wstring& name, const std::wstring& value, const AttributeSetter& set) {
  const unsigned before = g_scaled_reads;
  set(name, value);
  if (name == kClassAttribute) return;
  Forget(name);
  if (g_scaled_reads != before) entries_.emplace_back(name, value);
}

void ScaledAttributes::ApplyAgain(const AttributeSetter& set) const {
  // |set| may apply through Apply again, which reorders the list: walk a copy.
  const auto entries = entries_;
  for (const auto& [name, value] : entries) set(name, value);
}

void ScaledAttributes::Forget(const std::wstring& name) {
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == name; }),
                 entries_.end());
}

}  // namespace ui
