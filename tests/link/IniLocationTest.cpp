#include "link/IniLocation.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace tillora {
namespace {

namespace fs = std::filesystem;

TEST(IniPathForExecutableTest, ExtensionReplacedOrAppended) {
    EXPECT_EQ(IniPathForExecutable("/x/prog.exe"), "/x/prog.ini");
    EXPECT_EQ(IniPathForExecutable("/x/a.b/prog"), "/x/a.b/prog.ini");
    EXPECT_EQ(IniPathForExecutable("/x/prog"), "/x/prog.ini");
    EXPECT_EQ(IniPathForExecutable("/x/prog.tar.gz"), "/x/prog.tar.ini");
    EXPECT_EQ(IniPathForExecutable("prog.exe"), "prog.ini");
    EXPECT_EQ(IniPathForExecutable("prog"), "prog.ini");
#ifdef _WIN32
    EXPECT_EQ(IniPathForExecutable("C:\\a.b\\prog"), "C:\\a.b\\prog.ini");
    EXPECT_EQ(IniPathForExecutable("C:\\x\\Tillora.EXE"), "C:\\x\\Tillora.ini");
    EXPECT_EQ(IniPathForExecutable("C:\\a.b/prog"), "C:\\a.b/prog.ini");
    EXPECT_EQ(IniPathForExecutable("/x/a.b\\c"), "/x/a.b\\c.ini");
#else
    // A backslash is an ordinary character in a POSIX name.
    EXPECT_EQ(IniPathForExecutable("/x/a.b\\c"), "/x/a.ini");
#endif
}

TEST(ExecutablePathTest, NamesThisTestProgram) {
    const fs::path path = ExecutablePath();
    EXPECT_TRUE(path.is_absolute());
    EXPECT_TRUE(fs::is_regular_file(path));
    EXPECT_EQ(path.stem(), "link_IniLocationTest");
}

#ifndef _WIN32

// Sets an environment variable for as long as it lives and puts the old value back after.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnvironment() {
        if (m_old) {
            setenv(m_name, m_old->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class IniLocationTest : public ::testing::Test {
protected:
    test::TempFolder m_temp{"tillora-location"};
    fs::path m_folder = m_temp.Path();
};

TEST_F(IniLocationTest, EnvironmentNamesTheFile) {
    const std::string named = (m_folder / "portable.ini").string();
    ScopedEnvironment ini("TILLORA_INI", named.c_str());
    EXPECT_EQ(LocateIniFile("tillora"), named);
    EXPECT_EQ(LocateIniFile("tillora", "/nowhere/tillora"), named);
}

TEST_F(IniLocationTest, BesideTheProgramWhenItsFolderCanBeWritten) {
    ScopedEnvironment ini("TILLORA_INI", nullptr);
    const fs::path program = m_folder / "tillora-cli";
    EXPECT_EQ(LocateIniFile("tillora", program.string()), (m_folder / "tillora.ini").string());
    EXPECT_TRUE(fs::is_empty(m_folder)); // the check leaves nothing behind

    const std::string running = ExecutablePath();
    EXPECT_EQ(LocateIniFile("tillora"), (fs::path(running).parent_path() / "tillora.ini").string());
}

TEST_F(IniLocationTest, UserConfigFolderWhenTheProgramFolderCannotBeWritten) {
    ScopedEnvironment ini("TILLORA_INI", nullptr);
    // A regular file where the program's folder should be: nobody can create files in it.
    std::ofstream(m_folder / "notafolder") << "x";
    const std::string program = (m_folder / "notafolder" / "tillora").string();

    const fs::path config = m_folder / "config";
    {
        ScopedEnvironment xdg("XDG_CONFIG_HOME", config.string().c_str());
        EXPECT_EQ(LocateIniFile("tillora", program), (config / "tillora" / "tillora.ini").string());
        EXPECT_TRUE(fs::is_directory(config / "tillora"));
    }
    {
        ScopedEnvironment xdg("XDG_CONFIG_HOME", "relative/folder");
        ScopedEnvironment home("HOME", m_folder.string().c_str());
        EXPECT_EQ(LocateIniFile("tillora", program),
                  (m_folder / ".config" / "tillora" / "tillora.ini").string());
        EXPECT_TRUE(fs::is_directory(m_folder / ".config" / "tillora"));
    }
}

TEST_F(IniLocationTest, AnInstalledProgramUsesTheUserConfigFolderThoughItsFolderCanBeWritten) {
    ScopedEnvironment ini("TILLORA_INI", nullptr);
    fs::create_directories(m_folder / "usr" / "bin");
    fs::create_directories(m_folder / "usr" / "share" / "tillora");
    const fs::path config = m_folder / "config";
    ScopedEnvironment xdg("XDG_CONFIG_HOME", config.string().c_str());

    const std::string program = (m_folder / "usr" / "bin" / "tillora").string();
    EXPECT_EQ(LocateIniFile("tillora", program), (config / "tillora" / "tillora.ini").string());
    EXPECT_TRUE(fs::is_empty(m_folder / "usr" / "bin"));
}

#endif

} // namespace
} // namespace tillora
