#pragma once
// A reference system on a temporary folder for the host tests, with a fixed clock.
#include "host/ReferenceSystem.h"
#include "platform/xbase/FileOperations.h"
#include "services/IniSettings.h"

#include <gtest/gtest.h>
#include <QHash>
#include <QTemporaryDir>
#include <cerrno>
#include <memory>

namespace vel::testing {

// Wednesday 2024-03-13, 10:30: its week runs from Monday the 11th to Sunday the 17th.
inline QDateTime fixedNow() {
    return QDateTime(QDate(2024, 3, 13), QTime(10, 30));
}

class TestSite {
  public:
    explicit TestSite(int fields = 20) {
        folder = directory.path();
        MasterfileSettings settings;
        settings.title = QStringLiteral("Test Site");
        settings.firstYear = 2024;
        settings.fields = fields;
        QString error;
        created = ReferenceSystem::createEmptySystem(folder, 1, settings, &error);
        EXPECT_TRUE(created) << error.toStdString();
    }

    std::unique_ptr<ReferenceSystem> open(xbase::FileOperations* operations = nullptr) const {
        auto system = std::make_unique<ReferenceSystem>(
            folder, 1, ReferenceSystemOptions{fixedNow, operations, false});
        system->errors().setEchoToStandardError(false);
        return system;
    }

    void setSetting(const QString& section, const QString& key, const QString& value) const {
        IniSettings settings(IniSettings::locationFor(folder, 1));
        settings.selectSection(section);
        ASSERT_TRUE(settings.writeText(key, value));
    }

    QString path(const QString& name) const { return folder + QStringLiteral("/") + name; }

    QTemporaryDir directory;
    QString folder;
    bool created = false;
};

// A record with only its code, or only its description, set.
template <class Record>
Record withCode(const QString& code) {
    Record record;
    record.Code = code;
    return record;
}
template <class Record>
Record withDescription(const QString& description) {
    Record record;
    record.Desc = description;
    return record;
}

// Fails every write to the files whose names contain the given text.
class FileFailingOperations : public xbase::FileOperations {
  public:
    explicit FileFailingOperations(QByteArray name) : name_(std::move(name)) {}
    int openFile(const QByteArray& path, int flags, int mode) override {
        const int descriptor = FileOperations::openFile(path, flags, mode);
        if (descriptor >= 0) {
            failing_[descriptor] = path.contains(name_);
        }
        return descriptor;
    }
    ssize_t writeAt(int descriptor, const void* buffer, size_t size, off_t offset) override {
        if (failing_.value(descriptor)) {
            errno = EIO;
            return -1;
        }
        return FileOperations::writeAt(descriptor, buffer, size, offset);
    }

  private:
    QByteArray name_;
    QHash<int, bool> failing_;
};

// Saves and checks the outcome, showing the table's error when it fails.
template <class TableType>
void expectSaved(TableType& table) {
    EXPECT_TRUE(table.save()) << table.lastError().toStdString();
}

}  // namespace vel::testing
