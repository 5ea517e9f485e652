// Registry values in the per-user file, and the places-bar redirection of HKEY_CURRENT_USER.
#include "services/Registry.h"
#include "services/RuntimeError.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace vel;

namespace {

const QString policies =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\ComDlg32");

// Every test works on a registry file of its own in a temporary folder.
class RegistryTest : public testing::Test {
  protected:
    void SetUp() override { Registry::setStorageFile(folder_.filePath("velmor/registry.reg")); }
    void TearDown() override {
        Registry::restoreCurrentUser();
        Registry::setStorageFile(QString());
    }

    QString fileText() const {
        QFile file(Registry::storageFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void writeFile(const QByteArray& text) const {
        QDir().mkpath(folder_.filePath("velmor"));
        QFile file(Registry::storageFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir folder_;
};

// The run-time error number that reading the value raises, or 0 when it reads.
int readError(const Registry& registry, const QString& valueName) {
    try {
        QVariant value;
        registry.QueryValueEx(valueName, value);
        return 0;
    } catch (const RuntimeError& error) {
        return error.number();
    }
}

}  // namespace

TEST_F(RegistryTest, TypedValuesRoundTripThroughAHandEditableFile) {
    Registry registry;
    EXPECT_EQ(registry.Root(), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(registry.KeyName(), QString());
    EXPECT_EQ(static_cast<quint32>(HKEY_CURRENT_USER), 0x80000001u);

    registry.setKeyName(QStringLiteral("\\Software\\Torvane\\Velmor\\"));
    EXPECT_EQ(registry.KeyName(), QStringLiteral("Software\\Torvane\\Velmor"));
    ASSERT_TRUE(registry.SetStringValue(QStringLiteral("Path"), QStringLiteral("C:\\Data \"x\"")));
    ASSERT_TRUE(registry.SetLongValue(QStringLiteral("Count"), -5));
    ASSERT_TRUE(registry.SetLongValue(QStringLiteral("count"), -6));  // names in any case

    EXPECT_EQ(registry.StringValue(QStringLiteral("PATH")), QStringLiteral("C:\\Data \"x\""));
    EXPECT_EQ(registry.LongValue(QStringLiteral("Count")), -6);
    EXPECT_EQ(registry.StringValue(QStringLiteral("Count")), QStringLiteral("-6"));
    QVariant value;
    EXPECT_EQ(registry.QueryValueEx(QStringLiteral("Path"), value), 0);
    EXPECT_EQ(value, QVariant(QStringLiteral("C:\\Data \"x\"")));
    EXPECT_EQ(registry.QueryValueEx(QStringLiteral("Count"), value), 0);
    EXPECT_EQ(value, QVariant(qint32(-6)));

    const QString text = fileText();
    EXPECT_TRUE(
        text.contains(QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Torvane\\Velmor]\n"
                                     "\"Path\"=\"C:\\\\Data \\\"x\\\"\"\n"
                                     "\"Count\"=dword:fffffffa\n")))
        << text.toStdString();

    // The same key under another root is another key.
    const Registry user(HKEY_CURRENT_USER, registry.KeyName());
    EXPECT_EQ(readError(user, QStringLiteral("Path")), 5);
}

TEST_F(RegistryTest, OtherTypesAndUnreadableValuesAreReportedAsTheWindowsCallsDid) {
    writeFile(
        "; edited by hand\n"
        "[HKEY_CURRENT_USER\\Software\\Torvane]\n"
        "\"Binary\"=hex:2a,01\n"
        "\"Long\"=hex:01,02,03,04,05\n"
        "\"Expand\"=hex(2):25,00,00,00\n"
        "\"Multi\"=hex(7):41,00,00,00\n"
        "\"Broken\"=dword:zz\n"
        "\"DwordBytes\"=hex(4):10,00,00,00\n"
        "\"TextBytes\"=hex(1):4f,00,4b,00,00,00\n"
        "\"Open\"=\"no closing quote\n"
        "@=\"default text\"\n");
    Registry registry(HKEY_CURRENT_USER, QStringLiteral("software\\torvane"));

    QVariant value(QStringLiteral("untouched"));
    EXPECT_EQ(registry.QueryValueEx(QStringLiteral("Binary"), value), 0);
    EXPECT_EQ(value, QVariant(qint32(0x012a)));
    EXPECT_EQ(registry.LongValue(QStringLiteral("Binary")), 0x012a);
    value = QStringLiteral("untouched");
    EXPECT_EQ(registry.QueryValueEx(QStringLiteral("Expand"), value), -1);
    EXPECT_EQ(registry.QueryValueEx(QStringLiteral("Multi"), value), -1);
    EXPECT_EQ(value, QVariant(QStringLiteral("untouched")));
    EXPECT_EQ(registry.StringValue(QString()), QStringLiteral("default text"));
    EXPECT_EQ(registry.LongValue(QStringLiteral("DwordBytes")), 16);
    EXPECT_EQ(registry.StringValue(QStringLiteral("TextBytes")), QStringLiteral("OK"));

    EXPECT_EQ(readError(registry, QStringLiteral("Broken")), 5);
    EXPECT_EQ(readError(registry, QStringLiteral("Open")), 5);
    EXPECT_EQ(readError(registry, QStringLiteral("Long")), 5);  // more than 32 bits
    EXPECT_EQ(readError(registry, QStringLiteral("Missing")), 5);
    EXPECT_THROW(registry.StringValue(QStringLiteral("Missing")), RuntimeError);
    EXPECT_THROW(registry.LongValue(QStringLiteral("Expand")), RuntimeError);
    EXPECT_EQ(readError(Registry(HKEY_USERS, QStringLiteral("Nowhere")), "Binary"), 5);

    // A program write keeps the lines written by hand, including the ones it cannot read.
    ASSERT_TRUE(registry.SetLongValue(QStringLiteral("Binary"), 7));
    const QString text = fileText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("; edited by hand\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\"Binary\"=dword:00000007\n\"Long\"=")));
    EXPECT_TRUE(text.contains(QStringLiteral("\"Broken\"=dword:zz\n")));
    EXPECT_EQ(registry.StringValue(QString()), QStringLiteral("default text"));
}

TEST_F(RegistryTest, EnumeratesAndDeletesWholeKeyTrees) {
    Registry registry(HKEY_CURRENT_USER, QStringLiteral("Software\\Site\\B\\C"));
    ASSERT_TRUE(registry.SetStringValue(QStringLiteral("Deep"), QStringLiteral("1")));
    registry.setKeyName(QStringLiteral("Software\\Site\\D"));
    ASSERT_TRUE(registry.SetLongValue(QStringLiteral("Kept"), 1));
    registry.setKeyName(QStringLiteral("Software\\Site\\b\\E"));
    ASSERT_TRUE(registry.SetLongValue(QStringLiteral("AlsoDeep"), 2));
    registry.setKeyName(QStringLiteral("Software\\Site\\Bx"));
    ASSERT_TRUE(registry.SetLongValue(QStringLiteral("Sibling"), 3));

    registry.setKeyName(QStringLiteral("Software\\Site"));
    EXPECT_TRUE(registry.OpenKey()) << "a key exists when a key below it does";
    EXPECT_EQ(registry.EnumKey(), (QStringList{"B", "Bx", "D"}));
    registry.setKeyName(QStringLiteral("Software\\Site\\B"));
    EXPECT_EQ(registry.EnumKey(), (QStringList{"C", "E"}));

    ASSERT_TRUE(registry.DeleteKey());
    EXPECT_FALSE(registry.OpenKey());
    EXPECT_FALSE(registry.DeleteKey()) << "nothing left to delete";
    registry.setKeyName(QStringLiteral("Software\\Site"));
    EXPECT_EQ(registry.EnumKey(), (QStringList{"Bx", "D"}));
    EXPECT_FALSE(fileText().contains(QStringLiteral("Deep")));

    Registry root(HKEY_CURRENT_USER, QString());
    EXPECT_TRUE(root.OpenKey());
    EXPECT_FALSE(root.DeleteKey()) << "a predefined root cannot be deleted";
}

TEST_F(RegistryTest, FileThatCannotBeReadIsNeverOverwritten) {
    ASSERT_TRUE(QDir().mkpath(Registry::storageFile()));  // a folder where the file should be
    Registry registry(HKEY_CURRENT_USER, QStringLiteral("Software\\Site"));
    EXPECT_EQ(readError(registry, QStringLiteral("Value")), 5);
    EXPECT_FALSE(registry.SetStringValue(QStringLiteral("Value"), QStringLiteral("x")));
    EXPECT_FALSE(registry.OpenKey());
    EXPECT_EQ(registry.EnumKey(), QStringList());
    EXPECT_TRUE(QFileInfo(Registry::storageFile()).isDir());
}

TEST_F(RegistryTest, DefaultFileIsUnderTheUsersConfigurationFolder) {
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", folder_.filePath("config").toUtf8());
    Registry::setStorageFile(QString());
    EXPECT_EQ(Registry::storageFile(), folder_.filePath("config/velmor/registry.reg"));
    Registry registry(HKEY_CURRENT_USER, QStringLiteral("Software\\Site"));
    EXPECT_TRUE(registry.SetLongValue(QStringLiteral("Value"), 1));
    EXPECT_TRUE(QFile::exists(folder_.filePath("config/velmor/registry.reg")));
    qputenv("XDG_CONFIG_HOME", previous);
}

TEST_F(RegistryTest, PlacesBarIsSuppressedOnlyBetweenRedirectionAndRestore) {
    Registry userPolicies(HKEY_CURRENT_USER, policies);
    ASSERT_TRUE(userPolicies.SetLongValue(QStringLiteral("NoPlacesBar"), 0));  // the user's own
    EXPECT_FALSE(Registry::placesBarSuppressed());
    EXPECT_FALSE(Registry::suppressPlacesBar()) << "never written into the user's own key";

    ASSERT_TRUE(Registry::redirectCurrentUser());
    EXPECT_TRUE(Registry::currentUserRedirected());
    EXPECT_FALSE(Registry::placesBarSuppressed());
    ASSERT_TRUE(Registry::suppressPlacesBar());
    EXPECT_TRUE(Registry::placesBarSuppressed());
    EXPECT_EQ(userPolicies.LongValue(QStringLiteral("NoPlacesBar")), 1);  // seen redirected
    EXPECT_TRUE(fileText().contains(
        QStringLiteral("[HKEY_CURRENT_USER\\TorvaneSoftware_Velmor\\Software\\Microsoft")));

    ASSERT_TRUE(Registry::restoreCurrentUser());
    EXPECT_FALSE(Registry::currentUserRedirected());
    EXPECT_FALSE(Registry::placesBarSuppressed());
    EXPECT_EQ(userPolicies.LongValue(QStringLiteral("NoPlacesBar")), 0);
    EXPECT_FALSE(Registry(HKEY_CURRENT_USER, QString())
                     .EnumKey()
                     .contains(QStringLiteral("TorvaneSoftware_Velmor"), Qt::CaseInsensitive));
    EXPECT_FALSE(fileText().contains(QStringLiteral("TorvaneSoftware_Velmor")));
    EXPECT_FALSE(Registry::restoreCurrentUser()) << "no redirection left to remove";
}

TEST_F(RegistryTest, KeyLeftBehindByAnEarlierRunIsReusedAndRemoved) {
    writeFile(
        "[HKEY_CURRENT_USER\\TorvaneSoftware_Velmor\\Software\\Microsoft\\Windows\\"
        "CurrentVersion\\Policies\\ComDlg32]\n\"NoPlacesBar\"=dword:00000001\n");
    EXPECT_FALSE(Registry::placesBarSuppressed()) << "not redirected: the user's own settings";
    ASSERT_TRUE(Registry::redirectCurrentUser());
    EXPECT_TRUE(Registry::placesBarSuppressed());
    ASSERT_TRUE(Registry::restoreCurrentUser());
    EXPECT_FALSE(fileText().contains(QStringLiteral("TorvaneSoftware_Velmor")));
}

TEST_F(RegistryTest, FailedRedirectionLeavesTheUsersSettingsAlone) {
    QFile blocker(folder_.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Registry::setStorageFile(folder_.filePath("blocker/registry.reg"));  // cannot be created

    EXPECT_FALSE(Registry::redirectCurrentUser());
    EXPECT_FALSE(Registry::currentUserRedirected());
    EXPECT_FALSE(Registry::suppressPlacesBar());
    EXPECT_FALSE(Registry::placesBarSuppressed());
    EXPECT_FALSE(Registry::restoreCurrentUser());
}
