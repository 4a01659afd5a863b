// The registry file: its text form and the operations on it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "TestSupport.h"
#include "ole/Errors.h"
#include "ole/Registry.h"

using namespace ole;
using dioctl_test::ScopedEnv;
using dioctl_test::TempRegistry;

namespace {
std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
}  // namespace

TEST(DioRegistryFile, KeepsWhatItDoesNotUnderstand) {
    const std::string text =
        "# comment=with equals\r\n"
        "\n"
        "junk line\n"
        "=no key\n"
        "CLSID\\{A}\\InprocServer32=/opt/x=y.so\n";
    RegistryFile f = RegistryFile::Parse(text);
    EXPECT_EQ(f.Get("clsid\\{a}\\inprocserver32"), "/opt/x=y.so");
    EXPECT_EQ(
        f.Serialize(),
        "# comment=with equals\n\njunk line\n=no key\nCLSID\\{A}\\InprocServer32=/opt/x=y.so\n");
    EXPECT_EQ(RegistryFile::Parse(f.Serialize()).Entries(), f.Entries());
}

TEST(DioRegistryFile, SetReplacesAndDeleteTreeStopsAtTheKey) {
    RegistryFile f = RegistryFile::Parse("A\\B=1\na\\b=2\nA\\B\\C=3\nA\\BC=4\nZ=5\n");
    EXPECT_EQ(f.Get("A\\B"), "1");
    EXPECT_TRUE(f.Set("a\\B", "9"));
    EXPECT_EQ(f.Entries().size(), 4u);  // the duplicate went
    EXPECT_EQ(f.Get("A\\B"), "9");
    EXPECT_EQ(f.DeleteTree("a\\b"), 2u);
    EXPECT_EQ(f.Get("A\\BC"), "4");  // a sibling, not a child
    EXPECT_EQ(f.Get("Z"), "5");
    EXPECT_FALSE(f.Get("A\\B\\C"));

    for (const char* key : {"", "#x", "a=b", "a\nb", "a\r"}) EXPECT_FALSE(f.Set(key, "v")) << key;
    EXPECT_FALSE(f.Set("k", "two\nlines"));
}

TEST(DioRegistry, FileOperationsMakeTheFolderAndKeepOtherEntries) {
    TempRegistry reg;
    std::string value;
    EXPECT_EQ(RegQueryValue("x.Y\\CLSID", value), REGDB_E_KEYMISSING);  // no file yet

    ASSERT_EQ(RegSetValues({{"x.Y", "Y"}, {"x.Y\\CLSID", "{1}"}, {"Other", "kept"}}), S_OK);
    ASSERT_EQ(RegQueryValue("X.y\\clsid", value), S_OK);
    EXPECT_EQ(value, "{1}");
    EXPECT_EQ(RegSetValues({{"bad=key", "v"}}), E_INVALIDARG);

    ASSERT_EQ(RegDeleteTrees({"x.y"}), S_OK);
    EXPECT_EQ(RegQueryValue("x.Y\\CLSID", value), REGDB_E_KEYMISSING);
    EXPECT_EQ(RegQueryValue("Other", value), S_OK);
    EXPECT_EQ(ReadAll(reg.File()), "# dioctl registry: one KEY=VALUE a line\nOther=kept\n");
}

TEST(DioRegistry, AnUnwritablePlaceIsReported) {
    TempRegistry reg;
    std::filesystem::create_directories(reg.Dir());
    // A file where the registry's folder should be.
    std::ofstream(reg.Dir() / "reg") << "not a folder";
    GetErrorInfo();
    EXPECT_EQ(RegSetValues({{"k", "v"}}), E_FAIL);
    std::optional<RuntimeError> why = GetErrorInfo();
    ASSERT_TRUE(why);
    EXPECT_NE(why->Description().find((reg.Dir() / "reg").string()), std::string::npos)
        << why->Description();
}

TEST(DioRegistry, PlaceFollowsTheEnvironment) {
    {
        ScopedEnv env(kRegistryEnv, "/somewhere/reg");
        EXPECT_EQ(RegistryPath(), "/somewhere/reg");
    }
    ScopedEnv none(kRegistryEnv, "");
    ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(RegistryPath(), "/cfg/dioctl/registry");
}
