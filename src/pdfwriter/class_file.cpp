#include "pdfwriter/class_file.h"

#include "runtime/pending_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

namespace {

struct Section {
  std::string key;
  std::vector<std::string> lines;
};

// Lines before the first section are kept under an empty key.
bool readSections(const std::string& path, std::vector<Section>& sections)
{
  sections.assign(1, Section{});
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file)
    return errno == ENOENT;
  std::string text;
  char chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    text.append(chunk, n);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
      sections.push_back({line.substr(1, line.size() - 2), {}});
    else if (!line.empty())
      sections.back().lines.push_back(line);
    start = end + 1;
  }
  return ok;
}

bool makeFolders(const std::string& path)
{
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
      return false;
  }
  return true;
}

bool writeSections(const std::string& path, const std::vector<Section>& sections)
{
  std::string text;
  for (const Section& section : sections) {
    if (!section.key.empty() || !section.lines.empty()) {
      if (!section.key.empty())
        text += "[" + section.key + "]\n";
      for (const std::string& line : section.lines)
        text += line + "\n";
    }
  }
  if (!makeFolders(path))
    return false;
  tarvek::PendingFile pending;
  if (pending.open(path) != 0)
    return false;
  const int fd = pending.fd();
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      break;
    done += static_cast<std::size_t>(n);
  }
  return done == text.size() && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0 &&
         pending.commitTo(path) == 0;
}

bool equalBlind(const std::string& a, const std::string& b)
{
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z')
      x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z')
      y = static_cast<char>(y - 32);
    if (x != y)
      return false;
  }
  return true;
}

// The key itself or one below it.
bool within(const std::string& key, const std::string& root)
{
  return equalBlind(key.substr(0, root.size()), root) &&
         (key.size() == root.size() || key[root.size()] == '\\');
}

std::vector<std::string> rootsOf(const ServerClass& c)
{
  return {c.progId + ".1", c.progId, "CLSID\\" + guidText(c.clsid)};
}

void removeClasses(std::vector<Section>& sections, const std::vector<ServerClass>& classes)
{
  std::vector<Section> kept;
  for (Section& section : sections) {
    bool ours = false;
    for (const ServerClass& c : classes)
      for (const std::string& root : rootsOf(c))
        ours = ours || (!section.key.empty() && within(section.key, root));
    if (!ours)
      kept.push_back(std::move(section));
  }
  sections = std::move(kept);
}

} // namespace

std::string guidText(const GUID& g)
{
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  return text;
}

std::string classFilePath()
{
  std::string base;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    base = config;
  else if (const char* home = std::getenv("HOME"); home && *home)
    base = std::string(home) + "/.config";
  else
    return {};
  return base + "/progid/classes.ini";
}

bool registerClasses(const std::string& path, const std::vector<ServerClass>& classes,
                     const std::string& libraryPath)
{
  std::vector<Section> sections;
  if (path.empty() || !readSections(path, sections))
    return false;
  removeClasses(sections, classes);
  for (const ServerClass& c : classes) {
    const std::string id = guidText(c.clsid);
    const std::string versioned = c.progId + ".1";
    const std::string name = "@=" + c.description;
    const std::string clsid = "CLSID\\" + id;
    sections.push_back({versioned, {name}});
    sections.push_back({versioned + "\\CLSID", {"@=" + id}});
    sections.push_back({c.progId, {name}});
    sections.push_back({c.progId + "\\CLSID", {"@=" + id}});
    sections.push_back({c.progId + "\\CurVer", {"@=" + versioned}});
    sections.push_back({clsid, {name}});
    sections.push_back({clsid + "\\ProgID", {"@=" + versioned}});
    sections.push_back({clsid + "\\VersionIndependentProgID", {"@=" + c.progId}});
    sections.push_back({clsid + "\\Programmable", {}});
    sections.push_back(
        {clsid + "\\InprocServer32", {"@=" + libraryPath, "ThreadingModel=Apartment"}});
    sections.push_back({clsid + "\\TypeLib", {"@=" + guidText(c.typeLib)}});
  }
  return writeSections(path, sections);
}

bool unregisterClasses(const std::string& path, const std::vector<ServerClass>& classes)
{
  std::vector<Section> sections;
  if (path.empty() || !readSections(path, sections))
    return false;
  removeClasses(sections, classes);
  return writeSections(path, sections);
}

} // namespace quillet
