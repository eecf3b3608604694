#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tarvek::test {

// Runs body in a forked child whose files cannot grow beyond limitBytes.
// RLIMIT_FSIZE binds root as well, so this makes a write fail where a
// read-only folder would not. SIGXFSZ is ignored: the write fails with EFBIG
// instead of killing the child. Returns the text body returned, or nothing
// when the child did not end normally.
std::optional<std::string> runWithFileSizeLimit(long limitBytes,
                                                const std::function<std::string()>& body);

} // namespace tarvek::test
