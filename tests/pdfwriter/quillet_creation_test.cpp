#include "pdfwriter/quillet_test_support.h"
#include "platform/object_factory.h"
#include "support/run_tool.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace quillet {
namespace {

using tarvek::createObject;
using tarvek::test::readBytes;
using tarvek::test::runTool;
using tarvek::test::ScopedEnv;
using tarvek::test::ScratchDir;

const std::string kLibraryDir = QUILLET_LIBRARY_DIR;
const std::string kLibrary = kLibraryDir + "/libquillet.so";

// The export table is the whole public surface, and the library runs
// without Qt.
TEST(QuilletLibraryTest, exportsOnlyTheInterfaceAndNeedsNoQt)
{
  const auto symbols = runTool("nm", {"-D", "--defined-only", kLibrary});
  ASSERT_EQ(symbols.exitCode, 0) << symbols.err;
  std::vector<std::string> names;
  std::istringstream lines(symbols.out);
  for (std::string line; std::getline(lines, line);)
    if (!line.empty())
      names.push_back(line.substr(line.rfind(' ') + 1));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"DllCanUnloadNow", "DllGetClassObject",
                                             "DllRegisterServer", "DllUnregisterServer",
                                             "QuilletFreeString", "QuilletGetErrorDescription"}))
      << symbols.out;

  const auto dynamic = runTool("readelf", {"-d", kLibrary});
  ASSERT_EQ(dynamic.exitCode, 0) << dynamic.err;
  EXPECT_NE(dynamic.out.find("NEEDED"), std::string::npos);
  EXPECT_EQ(dynamic.out.find("libQt"), std::string::npos) << dynamic.out;
}

void expectUsable(void* object, const std::string& progId)
{
  ASSERT_TRUE(object) << progId;
  auto* unknown = static_cast<IUnknown*>(object);
  void* q = nullptr;
  const bool isFactory = progId.find("Factory") != std::string::npos;
  EXPECT_EQ(unknown->QueryInterface(isFactory ? &IID_IQuilletFactory : &IID_IQuillet, &q), S_OK)
      << progId;
  if (q)
    static_cast<IUnknown*>(q)->Release();
  if (!isFactory) {
    float width = 0;
    EXPECT_EQ(static_cast<IQuillet*>(object)->get_PaperWidth(&width), S_OK);
    EXPECT_EQ(width, 595) << progId;
  }
  unknown->Release();
}

TEST(ObjectFactoryTest, builtInProgIdsCreateObjects)
{
  ScratchDir config;
  ScopedEnv env("XDG_CONFIG_HOME", config.path().string());
  for (const char* progId :
       {"QuilletLib.Quillet", "QuilletLib.Quillet.1", "QuilletLib.QuilletFactory",
        "QuilletLib.QuilletFactory.1", "quilletlib.quillet"}) {
    const GUID& iid = std::string(progId).find("Factory") != std::string::npos ? IID_IQuilletFactory
                                                                               : IID_IQuillet;
    const auto created = createObject(progId, iid, {kLibraryDir});
    EXPECT_EQ(created.message, "") << progId;
    expectUsable(created.object, progId);
  }
}

// A failed call's description comes from the server of the ProgID, read
// case-blind; a ProgID that made no object has none.
TEST(ObjectFactoryTest, lastObjectErrorReadsTheServersDescription)
{
  EXPECT_EQ(tarvek::lastObjectError("No.Such.Class"), "");
  const auto created = createObject("QuilletLib.Quillet", IID_IQuillet, {kLibraryDir});
  ASSERT_NE(created.object, nullptr) << created.message;
  auto* q = static_cast<IQuillet*>(created.object);
  EXPECT_LT(q->Encrypt(0, "owner", "user"), 0);
  EXPECT_NE(tarvek::lastObjectError("quilletlib.quillet"), "");
  q->Release();
}

TEST(ObjectFactoryTest, failuresNameTheProgIdAndTheReason)
{
  ScratchDir config;
  ScopedEnv env("XDG_CONFIG_HOME", config.path().string());
  const std::string missing = (config.path() / "nowhere" / "libgone.so").string();
  const std::string noExport = QUILLET_NO_EXPORT_LIBRARY;
  std::filesystem::create_directory(config.file("progid"));
  config.write("progid/classes.ini",
               "[Gone.Thing\\CLSID]\n@={11111111-2222-3333-4444-555555555555}\n"
               "[CLSID\\{11111111-2222-3333-4444-555555555555}\\InprocServer32]\n@=" +
                   missing +
                   "\n"
                   "[Empty.Thing\\CLSID]\n@={11111111-2222-3333-4444-666666666666}\n"
                   "[CLSID\\{11111111-2222-3333-4444-666666666666}\\InprocServer32]\n@=" +
                   noExport + "\n");
  const struct {
    const char* progId;
    std::string mentions;
  } cases[] = {
      {"QuilletLib.Nothing", "QuilletLib.Nothing"},
      {"Gone.Thing", missing},
      {"Empty.Thing", "DllGetClassObject"},
  };
  for (const auto& c : cases) {
    const auto created = createObject(c.progId, IID_IUnknown, {kLibraryDir});
    EXPECT_EQ(created.object, nullptr) << c.progId;
    EXPECT_NE(created.message.find(c.progId), std::string::npos) << created.message;
    EXPECT_NE(created.message.find(c.mentions), std::string::npos) << created.message;
  }
  // A built-in whose library is in none of the folders.
  const auto absent = createObject("QuilletLib.Quillet", IID_IQuillet, {config.path().string()});
  EXPECT_EQ(absent.object, nullptr);
  EXPECT_NE(absent.message.find("libquillet.so"), std::string::npos) << absent.message;
}

// Registration writes the class file beside other servers' sections and
// takes only its own out again.
TEST(ObjectFactoryTest, registrationWritesAndRemovesOnlyItsSections)
{
  ScratchDir config;
  ScopedEnv env("XDG_CONFIG_HOME", config.path().string());
  std::filesystem::create_directory(config.file("progid"));
  const std::string other = "[Other.Server\\CLSID]\n@={AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}\n";
  const auto classFile = config.write("progid/classes.ini", other);

  std::string message;
  ASSERT_TRUE(tarvek::registerServer(kLibrary, &message)) << message;
  const std::string absolute = std::filesystem::canonical(kLibrary).string();
  auto sections = [&](const std::string& description, const std::string& progId,
                      const std::string& clsid, const std::string& typeLib) {
    const std::string c = "CLSID\\" + clsid;
    return "[" + progId + ".1]\n@=" + description + "\n[" + progId + ".1\\CLSID]\n@=" + clsid +
           "\n[" + progId + "]\n@=" + description + "\n[" + progId + "\\CLSID]\n@=" + clsid +
           "\n[" + progId + "\\CurVer]\n@=" + progId + ".1\n[" + c + "]\n@=" + description + "\n[" +
           c + "\\ProgID]\n@=" + progId + ".1\n[" + c + "\\VersionIndependentProgID]\n@=" + progId +
           "\n[" + c + "\\Programmable]\n[" + c + "\\InprocServer32]\n@=" + absolute +
           "\nThreadingModel=Apartment\n[" + c + "\\TypeLib]\n@=" + typeLib + "\n";
  };
  const std::string expected =
      other +
      sections("Quillet Class", "QuilletLib.Quillet", "{473A37FD-7824-4459-87D9-7329BB7BF929}",
               "{0BBBF62F-D287-4647-BF96-749661D4BEE4}") +
      sections("QuilletFactory Class", "QuilletLib.QuilletFactory",
               "{CDA7C534-2AB0-4F90-BE5C-8D1656F60700}", "{278223E4-16BE-46EE-93D3-0281561108EC}");
  EXPECT_EQ(readBytes(classFile), expected);

  // Through the class file alone: no search folder holds the library.
  const auto created = createObject("QuilletLib.Quillet.1", IID_IQuillet, {config.path().string()});
  EXPECT_EQ(created.message, "");
  expectUsable(created.object, "QuilletLib.Quillet.1");

  // Registering again replaces, never duplicates.
  ASSERT_TRUE(tarvek::registerServer(kLibrary, &message)) << message;
  EXPECT_EQ(readBytes(classFile), expected);

  ASSERT_TRUE(tarvek::unregisterServer(kLibrary, &message)) << message;
  EXPECT_EQ(readBytes(classFile), other);

  // A class file that cannot be written is a failed registration.
  {
    ScopedEnv blocked("XDG_CONFIG_HOME", config.write("not-a-folder", "x").string());
    EXPECT_FALSE(tarvek::registerServer(kLibrary, &message));
    EXPECT_NE(message.find("0x80040201"), std::string::npos) << message;
  }

  EXPECT_FALSE(tarvek::registerServer(QUILLET_NO_EXPORT_LIBRARY, &message));
  EXPECT_NE(message.find("DllRegisterServer"), std::string::npos) << message;
}

} // namespace
} // namespace quillet
