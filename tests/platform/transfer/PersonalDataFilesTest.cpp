// A social-security-number column never lands in a file that others can read: exports of every
// type that hold an "SSN" column, and xBase tables made with one (the associate table), are
// made without access for others, also when an older export of that name was readable. Files
// without such a column keep the umask's mode.
#include "TransferTestSupport.h"

#include "platform/xbase/Table.h"

#include <sys/stat.h>
#include <QTemporaryDir>

namespace vel::testing {

namespace {

int modeOf(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 0777)
                                                                     : -1;
}

int umaskMode(int mode) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mode & ~int(mask);
}

ExportStatus writeAssociates(const QString& type, const QString& path, const QString& column) {
    ExportWriter writer;
    ExportStatus status = writer.create(type, path, QStringLiteral("ValTable"), {});
    if (status.ok()) {
        status = writer.addColumn(1, QStringLiteral("CODE"), ExportColumn::TextCode, 10, 0);
    }
    if (status.ok()) {
        status = writer.addColumn(2, column, ExportColumn::TextCode, 20, 0);
    }
    if (status.ok()) {
        status = writer.addRow({QStringLiteral("A100"), QStringLiteral("123-45-6789")});
    }
    return status.ok() ? writer.close() : status;
}

}  // namespace

TEST(PersonalDataFiles, AnSsnColumnIsNeverReadableByOthers) {
    QTemporaryDir folder;
    for (const QString& type : {QStringLiteral("CSV"), QStringLiteral("TXT"), QStringLiteral("XLSX"),
                               QStringLiteral("DBF")}) {
        const QString personal = folder.filePath(QStringLiteral("assoc.") + type.toLower());
        // An older export of the same name that everybody could read.
        writeBytes(personal, "old");
        ASSERT_TRUE(
            QFile::setPermissions(personal, QFile::permissions(personal) | QFile::ReadOther));
        const ExportStatus written = writeAssociates(type, personal, QStringLiteral("ssn"));
        ASSERT_TRUE(written.ok()) << written.message().toStdString();
        EXPECT_EQ(modeOf(personal) & 0007, 0) << type.toStdString();
        EXPECT_EQ(modeOf(personal) & 0600, 0600) << type.toStdString();

        const QString plain = folder.filePath(QStringLiteral("codes.") + type.toLower());
        ASSERT_TRUE(writeAssociates(type, plain, QStringLiteral("NAME")).ok());
        EXPECT_EQ(modeOf(plain), umaskMode(0666)) << type.toStdString();
    }

    const QString associates = folder.filePath(QStringLiteral("TBVMEMP.--1"));
    ASSERT_TRUE(xbase::Table::create(associates,
                                     {xbase::FieldDescriptor::character(QStringLiteral("CODE"), 6),
                                      xbase::FieldDescriptor::character(QStringLiteral("SSN"), 20)})
                    .ok());
    EXPECT_EQ(modeOf(associates), umaskMode(0660));
    xbase::Table table;
    ASSERT_TRUE(table.open(associates, xbase::OpenOptions::exclusive()).ok());
    table.appendBlank();
    table.deleteRecord();
    ASSERT_TRUE(table.pack().ok());
    table.close();
    EXPECT_EQ(modeOf(associates), umaskMode(0660)) << "a pack keeps the mode";
}

}  // namespace vel::testing
