// The per-system settings file: defaults, typed values, and files that people edit by hand.
#include "services/IniSettings.h"
#include "services/SettingDefaults.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/stat.h>

using namespace vel;

namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class IniSettingsTest : public testing::Test {
  protected:
    QString location() const { return IniSettings::locationFor(folder_.path(), 1); }

    QTemporaryDir folder_;
};

}  // namespace

TEST_F(IniSettingsTest, ValuesNeverWrittenReadAsTheirDefaults) {
    IniSettings settings(location());
    ASSERT_EQ(settings.filePath(), folder_.path() + QStringLiteral("/velmor1.ini"));

    settings.selectSection(QStringLiteral("ImportFiles"));
    EXPECT_EQ(settings.readValue(QStringLiteral("Standards")), QStringLiteral("standards.csv"));
    settings.selectSection(QStringLiteral("AutoExportTables"));
    EXPECT_EQ(settings.readValue(QStringLiteral("Tables")), QStringLiteral("FWEALD8ST"));
    settings.selectSection(QStringLiteral("Backup"));
    EXPECT_EQ(settings.readValue(QStringLiteral("LastZip")),
              folder_.path() + QStringLiteral("/VelBack"));
    settings.selectSection(QStringLiteral("ExportActivityDetail-12"));
    EXPECT_EQ(settings.readValue(QStringLiteral("Filename")),
              folder_.path() + QStringLiteral("/ActDetail.csv"));
    settings.selectSection(QStringLiteral("badges"));  // any letter case
    EXPECT_EQ(settings.readValue(QStringLiteral("7")), QStringLiteral("Badge #"));
    EXPECT_EQ(settings.readValue(QStringLiteral("NumbertoShow")), QStringLiteral("5"));
    EXPECT_EQ(settings.readValue(QStringLiteral("NoSuchValue")), QString());
    EXPECT_EQ(settings.readValue(QStringLiteral("NumbertoShow"), QStringLiteral("3")),
              QStringLiteral("3"));  // the caller's default wins over the catalogue's
    EXPECT_FALSE(QFile::exists(settings.filePath())) << "reading must not create the file";

    // Once the file exists, values it lacks still read as their defaults.
    settings.selectSection(QStringLiteral("Corporate"));
    ASSERT_TRUE(settings.writeText(QStringLiteral("Folder"), QStringLiteral("/srv/corp")));
    settings.selectSection(QStringLiteral("Quality"));
    EXPECT_EQ(settings.readValue(QStringLiteral("HistBase")), QStringLiteral("98"));
}

TEST(SettingDefaults, CatalogueCoversEverySectionTheComponentReads) {
    const QStringList sections{
        "Corporate",   "Preferences",  "ImportFiles", "CodeFiles",    "ExportDay",
        "AssocLookup", "Badges",       "Sounds",      "Files",        "Dates",
        "Keys",        "AssocAccount", "Quality",     "ExportTables", "AutoExportTables",
        "Backup"};
    for (const QString& section : sections) {
        bool found = false;
        for (const SettingDefault& entry : settingCatalogue()) {
            found = found || section == entry.section;
        }
        EXPECT_TRUE(found) << section.toStdString();
    }
    EXPECT_TRUE(isCataloguedSetting(QStringLiteral("Keys"), QStringLiteral("KeyF6")));
    EXPECT_TRUE(isCataloguedSetting(QStringLiteral("ExportActivityDetail-1"), "Type"));
    EXPECT_FALSE(isCataloguedSetting(QStringLiteral("ExportActivityDetail-x"), "Type"));
    EXPECT_EQ(settingDefault("Sounds", "Chime"), QStringLiteral("chime.wav"));
    EXPECT_EQ(settingDefault("AssocAccount", "OnlyIncludePPAinQuarter"), QStringLiteral("True"));
    EXPECT_TRUE(settingDefault("Backup", "LastZip").endsWith(u"VelBack"));
}

TEST_F(IniSettingsTest, TypedWritesReadBackInTheSystemFormats) {
    IniSettings settings(location());
    settings.selectSection(QStringLiteral("Typed"));
    ASSERT_TRUE(settings.writeInteger(QStringLiteral("Integer"), -42));
    ASSERT_TRUE(settings.writeBoolean(QStringLiteral("On"), true));
    ASSERT_TRUE(settings.writeBoolean(QStringLiteral("Off"), false));
    ASSERT_TRUE(settings.writeDouble(QStringLiteral("Double"), 0.1));
    ASSERT_TRUE(settings.writeDate(QStringLiteral("Date"), QDate(2024, 2, 29)));
    ASSERT_TRUE(settings.writeDateTime(QStringLiteral("Moment"),
                                       QDateTime(QDate(2024, 2, 9), QTime(23, 5, 9))));
    ASSERT_TRUE(settings.writeText(QStringLiteral("Padded"), QStringLiteral("  two  ")));
    ASSERT_TRUE(settings.writeText(QStringLiteral("Quoted"), QStringLiteral("\"as is\"")));
    ASSERT_TRUE(settings.writeText(QStringLiteral("Filter"), QStringLiteral("a=b; c#d")));

    IniSettings reader(location());  // a second object sees every write at once
    reader.selectSection(QStringLiteral("typed"));
    EXPECT_EQ(reader.readValue(QStringLiteral("Integer")), QStringLiteral("-42"));
    EXPECT_EQ(reader.readValue(QStringLiteral("On")), QStringLiteral("True"));
    EXPECT_TRUE(SettingsObject::isTrue(reader.readValue(QStringLiteral("On"))));
    EXPECT_FALSE(SettingsObject::isTrue(reader.readValue(QStringLiteral("Off"))));
    EXPECT_EQ(reader.readValue(QStringLiteral("Double")).toDouble(), 0.1);
    EXPECT_EQ(reader.readValue(QStringLiteral("Date")), QStringLiteral("2024/02/29"));
    EXPECT_EQ(reader.readValue(QStringLiteral("Moment")), QStringLiteral("2024/02/09 23:05:09"));
    EXPECT_EQ(reader.readValue(QStringLiteral("Padded")), QStringLiteral("  two  "));
    EXPECT_EQ(reader.readValue(QStringLiteral("Quoted")), QStringLiteral("\"as is\""));
    EXPECT_EQ(reader.readValue(QStringLiteral("Filter")), QStringLiteral("a=b; c#d"));

    // Rewriting a value replaces its line; refused writes leave the file as it was.
    ASSERT_TRUE(settings.writeInteger(QStringLiteral("integer"), 7));
    EXPECT_EQ(reader.readValue(QStringLiteral("Integer")), QStringLiteral("7"));
    const QByteArray before = readBytes(settings.filePath());
    EXPECT_EQ(before.count("nteger="), 1);
    EXPECT_FALSE(settings.writeText(QStringLiteral("Lines"), QStringLiteral("one\ntwo")));
    EXPECT_FALSE(settings.lastError().isEmpty());
    EXPECT_FALSE(settings.writeDate(QStringLiteral("Date"), QDate()));
    EXPECT_FALSE(settings.writeText(QStringLiteral("; comment"), QStringLiteral("x")));
    EXPECT_EQ(readBytes(settings.filePath()), before);

    for (const char* text : {"True", "true", "-1", "1", "Yes", "on"}) {
        EXPECT_TRUE(SettingsObject::isTrue(QString::fromLatin1(text))) << text;
    }
    for (const char* text : {"False", "0", "", "no", "maybe"}) {
        EXPECT_FALSE(SettingsObject::isTrue(QString::fromLatin1(text))) << text;
    }
}

TEST_F(IniSettingsTest, HandEditedFileKeepsWorkingAndKeepsItsOtherLines) {
    const QByteArray handWritten =
        "; Settings of the distribution center, edited by hand\r\n"
        "[Badges]\r\n"
        "  Badge #  =   Employee Badge\r\n"
        "NumbertoShow=3\r\n"
        "# IgnoreDuplicates=2\r\n"
        "\r\n"
        "; corporate control\r\n"
        "[ Corporate ]\r\n"
        "Folder\t=\tC:\\Corp\\Files\r\n"
        "Folder = second entry is ignored\r\n";
    writeBytes(location(), handWritten);
    IniSettings settings(location());

    settings.selectSection(QStringLiteral("Badges"));
    EXPECT_EQ(settings.readValue(QStringLiteral("Badge #")), QStringLiteral("Employee Badge"));
    EXPECT_EQ(settings.readValue(QStringLiteral("IgnoreDuplicates")), QString());
    settings.selectSection(QStringLiteral("Corporate"));
    EXPECT_EQ(settings.readValue(QStringLiteral("Folder")), QStringLiteral("C:\\Corp\\Files"));

    settings.selectSection(QStringLiteral("Badges"));
    ASSERT_TRUE(settings.writeText(QStringLiteral("Badge #"), QStringLiteral("Clock Card")));
    ASSERT_TRUE(settings.writeText(QStringLiteral("AllowSpaceinBadges"), QStringLiteral("1")));
    settings.selectSection(QStringLiteral("Backup"));
    ASSERT_TRUE(settings.writeDate(QStringLiteral("LastDate"), QDate(2025, 1, 31)));

    const QByteArray expected =
        "; Settings of the distribution center, edited by hand\r\n"
        "[Badges]\r\n"
        "  Badge #  =   Clock Card\r\n"
        "NumbertoShow=3\r\n"
        "AllowSpaceinBadges=1\r\n"
        "# IgnoreDuplicates=2\r\n"
        "\r\n"
        "; corporate control\r\n"
        "[ Corporate ]\r\n"
        "Folder\t=\tC:\\Corp\\Files\r\n"
        "Folder = second entry is ignored\r\n"
        "\r\n"
        "[Backup]\r\n"
        "LastDate=2025/01/31\r\n";
    EXPECT_EQ(readBytes(settings.filePath()).toStdString(), expected.toStdString());

    // Storing what the file holds already leaves the file itself alone: same bytes, same file
    // (a rewrite would put a new file in its place).
    const auto fileNumber = [&] {
        struct stat status {};
        EXPECT_EQ(::stat(QFile::encodeName(settings.filePath()).constData(), &status), 0);
        return status.st_ino;
    };
    const auto before = fileNumber();
    settings.selectSection(QStringLiteral("Badges"));
    ASSERT_TRUE(settings.writeText(QStringLiteral("Badge #"), QStringLiteral("Clock Card")));
    EXPECT_EQ(fileNumber(), before);
    ASSERT_TRUE(settings.writeText(QStringLiteral("NumbertoShow"), QStringLiteral("3")));
    EXPECT_EQ(fileNumber(), before);
    EXPECT_EQ(readBytes(settings.filePath()).toStdString(), expected.toStdString());
    EXPECT_TRUE(settings.lastError().isEmpty());
}

TEST_F(IniSettingsTest, WindowsCodePageFileStaysInItsEncodingUntilItCannotHoldAValue) {
    writeBytes(location(), "[Files]\nLogo=Caf\xE9.bmp\n");
    IniSettings settings(location());
    settings.selectSection(QStringLiteral("Files"));
    EXPECT_EQ(settings.readValue(QStringLiteral("Logo")), QStringLiteral("Caf\u00E9.bmp"));

    ASSERT_TRUE(settings.writeText(QStringLiteral("Price"), QStringLiteral("5 \u20AC")));
    EXPECT_EQ(readBytes(location()), QByteArray("[Files]\nLogo=Caf\xE9.bmp\nPrice=5 \x80\n"));

    ASSERT_TRUE(settings.writeText(QStringLiteral("Unit"), QStringLiteral("\u03A9")));
    EXPECT_EQ(settings.readValue(QStringLiteral("Logo")), QStringLiteral("Caf\u00E9.bmp"));
    EXPECT_EQ(settings.readValue(QStringLiteral("Price")), QStringLiteral("5 \u20AC"));
    EXPECT_EQ(settings.readValue(QStringLiteral("Unit")), QStringLiteral("\u03A9"));
}

TEST_F(IniSettingsTest, FindsTheFileInAnyLetterCaseAndRefusesUnusableLocations) {
    writeBytes(folder_.filePath(QStringLiteral("VELMOR1.INI")), "[Sounds]\nChime=bell.wav\n");
    IniSettings settings(location());
    EXPECT_EQ(settings.filePath(), folder_.filePath(QStringLiteral("VELMOR1.INI")));
    settings.selectSection(QStringLiteral("Sounds"));
    EXPECT_EQ(settings.readValue(QStringLiteral("Chime")), QStringLiteral("bell.wav"));

    IniSettings nowhere;
    EXPECT_FALSE(nowhere.attach(folder_.filePath(QStringLiteral("missing/velmor1.ini"))));
    EXPECT_FALSE(nowhere.attach(folder_.path()));
    nowhere.selectSection(QStringLiteral("Sounds"));
    EXPECT_EQ(nowhere.readValue(QStringLiteral("Chime")), QStringLiteral("chime.wav"));
    EXPECT_FALSE(nowhere.writeText(QStringLiteral("Chime"), QStringLiteral("x.wav")));

    IniSettings noSection(location());
    EXPECT_FALSE(noSection.writeText(QStringLiteral("Chime"), QStringLiteral("x.wav")));

    // A settings file that cannot be read is never overwritten.
    const QString blocked = IniSettings::locationFor(folder_.path(), 2);
    IniSettings unreadable(blocked);
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("velmor2.ini")));
    unreadable.selectSection(QStringLiteral("Sounds"));
    EXPECT_EQ(unreadable.readValue(QStringLiteral("Chime")), QStringLiteral("chime.wav"));
    EXPECT_FALSE(unreadable.writeText(QStringLiteral("Chime"), QStringLiteral("x.wav")));
    EXPECT_TRUE(unreadable.lastError().contains(QStringLiteral("velmor2.ini")));
    EXPECT_TRUE(QFileInfo(blocked).isDir());
}

TEST_F(IniSettingsTest, ReadingAThousandValuesGoesToTheFileEachTime) {
    IniSettings settings(location());
    for (int section = 0; section < 10; ++section) {
        settings.selectSection(QStringLiteral("Section%1").arg(section));
        for (int value = 0; value < 10; ++value) {
            ASSERT_TRUE(
                settings.writeInteger(QStringLiteral("Value%1").arg(value), section * 10 + value));
        }
    }
    QElapsedTimer timer;
    timer.start();
    int correct = 0;
    for (int read = 0; read < 1000; ++read) {
        const int number = read % 100;
        settings.selectSection(QStringLiteral("Section%1").arg(number / 10));
        correct += settings.readValue(QStringLiteral("Value%1").arg(number % 10)).toInt() == number;
    }
    const qint64 elapsed = timer.elapsed();
    EXPECT_EQ(correct, 1000);
    RecordProperty("thousand_reads_ms", static_cast<int>(elapsed));
    std::printf("1000 reads of a 110-line settings file: %lld ms\n",
                static_cast<long long>(elapsed));

    // Not cached: a change made by hand is seen by the next read.
    QByteArray text = readBytes(settings.filePath());
    text.replace("Value9=99", "Value9=edited");
    writeBytes(settings.filePath(), text);
    settings.selectSection(QStringLiteral("Section9"));
    EXPECT_EQ(settings.readValue(QStringLiteral("Value9")), QStringLiteral("edited"));
}
