#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace tarvek::test {

// Sets an environment variable (or unsets it, for nullopt) for one scope and
// puts the old value back afterwards.
class ScopedEnv {
public:
  ScopedEnv(const char* name, std::optional<std::string> value) : m_name(name)
  {
    if (const char* old = std::getenv(name))
      m_old = old;
    if (value)
      ::setenv(name, value->c_str(), 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnv()
  {
    if (m_old)
      ::setenv(m_name.c_str(), m_old->c_str(), 1);
    else
      ::unsetenv(m_name.c_str());
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
  std::string m_name;
  std::optional<std::string> m_old;
};

} // namespace tarvek::test
