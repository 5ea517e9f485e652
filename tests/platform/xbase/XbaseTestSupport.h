#pragma once
// Helpers shared by the xBase tests: a temporary folder, a small standard table, file bytes, and
// file operations that fail a chosen write.
#include "platform/xbase/FileOperations.h"
#include "platform/xbase/Table.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace vel::xbase::testing {

// The punch-lookup shape: three character fields.
inline QList<FieldDescriptor> lookupFields() {
    return {FieldDescriptor::character(QStringLiteral("CODE"), 20),
            FieldDescriptor::character(QStringLiteral("LNAME"), 15),
            FieldDescriptor::character(QStringLiteral("FNAME"), 15)};
}

// One field of every type.
inline QList<FieldDescriptor> allTypeFields() {
    return {FieldDescriptor::character(QStringLiteral("NAME"), 12),
            FieldDescriptor::numeric(QStringLiteral("AMOUNT"), 9, 2),
            FieldDescriptor::numeric(QStringLiteral("COUNT"), 5),
            FieldDescriptor::date(QStringLiteral("HIRED")),
            FieldDescriptor::logical(QStringLiteral("ACTIVE"))};
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bytes of a table without the date of its last update (header bytes 1-3), or of an index
// without its change counter (bytes 508-511), which counts writes rather than content.
inline QByteArray comparable(const QString& path, bool index) {
    QByteArray bytes = fileBytes(path);
    if (!index && bytes.size() > 4) {
        bytes.replace(1, 3, "DDD");
    } else if (index && bytes.size() >= 512) {
        bytes.replace(508, 4, "CCCC");
    }
    return bytes;
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Appends one lookup record through the table's typed API.
inline void appendLookup(Table& table, const QString& code, const QString& last,
                         const QString& first) {
    ASSERT_TRUE(table.appendBlank().ok());
    ASSERT_TRUE(table.setText(0, code).ok());
    ASSERT_TRUE(table.setText(1, last).ok());
    ASSERT_TRUE(table.setText(2, first).ok());
    const Status flushed = table.flush();
    ASSERT_TRUE(flushed.ok()) << flushed.message().toStdString();
}

// Fails every write from the given one on (1 = the first write), or only that one.
class FailingFileOperations : public FileOperations {
  public:
    int failFrom = 0;  // 0: never
    bool onlyOnce = false;
    int writes = 0;

    ssize_t writeAt(int descriptor, const void* buffer, size_t size, off_t offset) override {
        ++writes;
        if (failFrom > 0 && (onlyOnce ? writes == failFrom : writes >= failFrom)) {
            errno = ENOSPC;
            return -1;
        }
        return FileOperations::writeAt(descriptor, buffer, size, offset);
    }
};

inline std::string text(const Status& status) {
    return status.message().toStdString();
}

}  // namespace vel::xbase::testing
