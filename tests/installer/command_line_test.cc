#include "installer/command_line.h"

#include <gtest/gtest.h>

namespace vireo {
namespace {

// The switch s is found with any prefix.
TEST(CommandLineTest, ShortSilentWithEveryPrefix) {
  for (const wchar_t* text : {L"--s", L"-s", L"/s"}) {
    CCommandLine cl;
    cl.Init(text);
    EXPECT_TRUE(cl.HasSwitch(L"s")) << text;
  }
}

}  // namespace
}  // namespace vireo
