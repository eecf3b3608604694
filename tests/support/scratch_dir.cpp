#include "support/scratch_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace tarvek::test {

ScratchDir::ScratchDir()
{
  std::string pattern = (std::filesystem::temp_directory_path() / "tarvek-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot create a scratch folder");
  m_path = pattern;
}

ScratchDir::~ScratchDir()
{
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

std::filesystem::path ScratchDir::write(const std::string& name, const std::string& bytes) const
{
  auto p = m_path / name;
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write " + p.string());
  return p;
}

std::string readBytes(const std::filesystem::path& path)
{
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace tarvek::test
