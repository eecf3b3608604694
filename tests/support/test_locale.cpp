#include "support/test_locale.h"

#include "support/require_tool.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace tarvek::test {

void applyTestLocale()
{
  const char* wanted = std::getenv("TARVEK_TEST_LOCALE");
  if (std::setlocale(LC_ALL, "") == nullptr && wanted != nullptr) {
    std::fprintf(stderr,
                 "locale %s is missing: run scripts/deps (package locales) to generate it\n",
                 wanted);
    std::exit(ciMode() ? 1 : 77);
  }
}

} // namespace tarvek::test
