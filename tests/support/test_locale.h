#pragma once

namespace tarvek::test {

// Applies the environment's locale as a Qt program would at start-up. When
// the run asks for a locale (TARVEK_TEST_LOCALE) that this machine lacks, the
// process ends: with failure under CI=true, otherwise as skipped (code 77).
void applyTestLocale();

} // namespace tarvek::test
