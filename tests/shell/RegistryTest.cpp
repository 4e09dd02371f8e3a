#include "shell/Registry.h"

#include "shell/ProgramFolder.h"
#include "shell/Settings.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kestrune::shell;
using kestrune::testing::TestEnvironment;

namespace {

const QString kMachine = "HKEY_LOCAL_MACHINE.ini";

TEST(RegistryTest, MissingValuesReadAsTheirDefaultsAndCreateNothing) {
    TestEnvironment env;
    EXPECT_EQ(ReadRegText("Version", "000", RegistryRoot::LocalMachine, kProductKey), "000");
    EXPECT_EQ(ReadRegInteger("ShowGrid", 1, RegistryRoot::LocalMachine, kProductKey), 1);
    EXPECT_TRUE(QDir(env.settingsFolder()).entryList(QDir::Files).isEmpty());
}

TEST(RegistryTest, ValuesKeepTheirTypesAndKeys) {
    TestEnvironment env;
    WriteRegText("c905", "张三", RegistryRoot::LocalMachine, kDataKey);
    WriteRegInteger("AppLastCity", 110105, RegistryRoot::LocalMachine, kEnvSettingKey);
    WriteRegBool("CheckBox1", true, RegistryRoot::LocalMachine, kDataKey);
    WriteRegText("Personal", "/srv/docs", RegistryRoot::CurrentUser, kShellFoldersKey);
    EXPECT_EQ(ReadRegText("c905", "", RegistryRoot::LocalMachine, kDataKey), "张三");
    EXPECT_EQ(ReadRegInteger("AppLastCity", 0, RegistryRoot::LocalMachine, kEnvSettingKey), 110105);
    EXPECT_EQ(ReadRegInteger("CheckBox1", 0, RegistryRoot::LocalMachine, kDataKey), 1);
    // The two roots are separate stores, and keys are separate from each other.
    EXPECT_EQ(ReadRegText("c905", "none", RegistryRoot::CurrentUser, kDataKey), "none");
    EXPECT_EQ(ReadRegText("c905", "none", RegistryRoot::LocalMachine, kEnvSettingKey), "none");
    // Text that is not a number reads as the integer default; empty text as the text default.
    WriteRegText("AppLastCity", "abc", RegistryRoot::LocalMachine, kEnvSettingKey);
    EXPECT_EQ(ReadRegInteger("AppLastCity", 7, RegistryRoot::LocalMachine, kEnvSettingKey), 7);
    WriteRegText("c906", "", RegistryRoot::LocalMachine, kDataKey);
    EXPECT_EQ(ReadRegText("c906", "x", RegistryRoot::LocalMachine, kDataKey), "x");
    EXPECT_EQ(documentsFolder(), "/srv/docs");
}

TEST(InitSettingsTest, TheFirstStartWritesTheDefaultsOnceAndLaterStartsKeepTheOptions) {
    TestEnvironment env;
    WriteRegText("ImePrefer", "拼音", RegistryRoot::LocalMachine, kEnvSettingKey);
    const EnvSettings first = InitSettings("Kestrune");
    EXPECT_EQ(first.imePrefer, "");
    EXPECT_EQ(first.inputWndStyle, 0);
    EXPECT_FALSE(first.importPrinciple);
    EXPECT_EQ(ReadRegText("ServicePack", "", RegistryRoot::LocalMachine, kProductKey), "None");
    EXPECT_EQ(ReadRegText("FilePath", "", RegistryRoot::LocalMachine, kProductKey),
              QDir::toNativeSeparators(env.programFolder()) + QDir::separator());
    EXPECT_EQ(ReadRegInteger("AppTyp", 0, RegistryRoot::LocalMachine, kProductKey), 1);
    EXPECT_EQ(ReadRegText("ImePrefer", "unset", RegistryRoot::LocalMachine, kEnvSettingKey),
              "unset"); // stored as empty text
    EXPECT_EQ(ReadRegInteger("InputWndStyle", 9, RegistryRoot::LocalMachine, kEnvSettingKey), 0);
    EXPECT_EQ(ReadRegText("Version", "000", RegistryRoot::LocalMachine, kProductKey),
              QString(KESTRUNE_VERSION));

    // What the options dialog stores, as it stores it.
    WriteRegText("ImePrefer", "五笔", RegistryRoot::LocalMachine, kEnvSettingKey);
    WriteRegInteger("InputWndStyle", 1, RegistryRoot::LocalMachine, kEnvSettingKey);
    WriteRegInteger("ImportPrinciple", 1, RegistryRoot::LocalMachine, kEnvSettingKey);
    const QByteArray stored = kestrune::testing::readFile(env.settingsFolder() + "/" + kMachine);
    for (int start = 0; start < 2; ++start) {
        const EnvSettings later = InitSettings("Kestrune");
        EXPECT_EQ(later.imePrefer, "五笔");
        EXPECT_EQ(later.inputWndStyle, 1);
        EXPECT_TRUE(later.importPrinciple);
        // Nothing is written again.
        EXPECT_EQ(kestrune::testing::readFile(env.settingsFolder() + "/" + kMachine), stored);
    }
}

TEST(InitSettingsTest, WithAVersionTheStoredChoicesAreRead) {
    TestEnvironment env;
    WriteRegText("Version", "1.0", RegistryRoot::LocalMachine, kProductKey);
    WriteRegText("ImePrefer", "五笔", RegistryRoot::LocalMachine, kEnvSettingKey);
    WriteRegInteger("InputWndStyle", 5, RegistryRoot::LocalMachine, kEnvSettingKey);
    const EnvSettings settings = InitSettings("Kestrune");
    EXPECT_EQ(settings.imePrefer, "五笔");
    EXPECT_EQ(settings.inputWndStyle, 1); // any non-zero style counts as 1
    EXPECT_EQ(ReadRegText("ServicePack", "missing", RegistryRoot::LocalMachine, kProductKey),
              "missing");
}

TEST(ProgramFolderTest, TheEnvironmentNamesTheProgramFolder) {
    TestEnvironment env;
    EXPECT_EQ(programFolder(), env.programFolder());
    EXPECT_EQ(defaultDatabasePath(), env.path("2020NB_jg_20200831.mdb"));
}

} // namespace
