// The skin readers' robustness run: `skin_fuzz [cases] [seed]` feeds |cases| (default
// 100,000) randomized inputs of each kind (ZIP bytes, XML text, descriptor and attribute
// values, PNG files) to the markup layer, each placed right before an inaccessible page. It prints
// one line per kind and exits 0; any fault or out-of-bounds read crashes it instead.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "tests/ui/markup/skin_fuzz.h"

int wmain(int argc, wchar_t** argv) {
  const size_t cases = argc > 1 ? std::wcstoul(argv[1], nullptr, 10) : 100000;
  const uint32_t seed = argc > 2 ? std::wcstoul(argv[2], nullptr, 10) : ::GetTickCount();
  struct Kind {
    ui::fuzz::InputKind kind;
    const char* name;
  };
  const Kind kinds[] = {{ui::fuzz::InputKind::kZip, "zip"},
                        {ui::fuzz::InputKind::kXml, "xml"},
                        {ui::fuzz::InputKind::kValues, "values"},
                    {ui::fuzz::InputKind::kPng, "png"}};
  for (const Kind& k : kinds) {
    const ui::fuzz::RunStats stats = ui::fuzz::Run(k.kind, seed, cases);
    std::printf("%-6s seed %u: %zu cases, %zu accepted, no faults\n", k.name, seed, stats.cases, stats.accepted);
    std::fflush(stdout);
  }
  return 0;
}
