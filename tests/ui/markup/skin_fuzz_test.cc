#include "tests/ui/markup/skin_fuzz.h"

#include <gtest/gtest.h>

namespace ui::fuzz {
namespace {

// A short seeded run of each kind; tools/fuzz_skin.sh runs the long one. Some inputs of
// each kind must still be accepted, or the run would only be testing the first check.
TEST(SkinFuzzTest, SeededRunsEndWithoutFaults) {
  for (InputKind kind : {InputKind::kZip, InputKind::kXml, InputKind::kValues, InputKind::kPng}) {
    const RunStats stats = fuzz::Run(kind, 20261209, 3000);
    EXPECT_EQ(stats.cases, 3000u);
    EXPECT_GT(stats.accepted, 30u) << static_cast<int>(kind);
  }
}

}  // namespace
}  // namespace ui::fuzz
