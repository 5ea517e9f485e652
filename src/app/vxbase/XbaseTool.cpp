#include "XbaseTool.h"

#include "platform/xbase/Table.h"
#include "platform/xbase/TableChecker.h"
#include "platform/xbase/TableRepair.h"

#include <QFileInfo>

namespace vel::xbase {
namespace {

// One CSV field: quoted when it holds a comma, a quote or a line break.
QString csvField(const QString& value) {
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) &&
        !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r'))) {
        return value;
    }
    QString quoted = value;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A field as the dump shows it: text without trailing blanks, numbers as stored, dates as
// YYYY-MM-DD, logicals as T or F; blanks and unknowns as empty.
QString shownValue(const Table& table, int field) {
    switch (table.fields()[field].type) {
        case FieldType::Date: {
            const QDate date = table.date(field);
            return date.isValid() ? date.toString(Qt::ISODate) : QString();
        }
        case FieldType::Logical: {
            const std::optional<bool> value = table.logical(field);
            return value ? (*value ? QStringLiteral("T") : QStringLiteral("F")) : QString();
        }
        default:
            return table.text(field);
    }
}

QString languageName(unsigned char driver) {
    switch (driver) {
        case 0x00:
            return QStringLiteral("none given");
        case 0x01:
            return QStringLiteral("DOS code page 437");
        case 0x02:
            return QStringLiteral("DOS code page 850");
        case 0x03:
            return QStringLiteral("Windows-1252");
        case 0x57:
            return QStringLiteral("Windows-1252 (ANSI)");
        default:
            return QStringLiteral("other");
    }
}

}  // namespace

QString XbaseTool::usage() {
    return QStringLiteral(
        "usage: vxbase info FILE\n"
        "       vxbase dump FILE                  records as CSV (UTF-8), deleted ones left out\n"
        "       vxbase check FILE [INDEX...]      exit 0 when the table (and indexes) are sound\n"
        "       vxbase pack FILE [INDEX...]       remove deleted records, rebuild the indexes\n"
        "       vxbase reindex FILE INDEX...      rebuild indexes from their stored expressions\n"
        "       vxbase repair FILE [INDEX...]     count the records in the file size, drop a torn\n"
        "                                         last record, rebuild the indexes; keeps "
        "FILE.bak\n");
}

void XbaseTool::print(const QString& text) {
    output_.append(text.toUtf8());
}

int XbaseTool::fail(const QString& message) {
    errors_.append((QStringLiteral("vxbase: ") + message + QLatin1Char('\n')).toUtf8());
    return 1;
}

int XbaseTool::run(const QStringList& arguments) {
    const QString command = arguments.value(0);
    const QString path = arguments.value(1);
    const QStringList rest = arguments.mid(2);
    if (command == QLatin1String("info") && arguments.size() == 2) {
        return info(path);
    }
    if (command == QLatin1String("dump") && arguments.size() == 2) {
        return dump(path);
    }
    if (command == QLatin1String("check") && arguments.size() >= 2) {
        return check(path, rest);
    }
    if (command == QLatin1String("pack") && arguments.size() >= 2) {
        return pack(path, rest);
    }
    if (command == QLatin1String("reindex") && arguments.size() >= 3) {
        return reindex(path, rest);
    }
    if (command == QLatin1String("repair") && arguments.size() >= 2) {
        return repair(path, rest);
    }
    errors_.append(usage().toUtf8());
    return 2;
}

int XbaseTool::info(const QString& path) {
    Table table;
    const Status status = table.open(path, OpenOptions::readOnlyShared());
    if (!status.ok()) {
        return fail(status.message());
    }
    const TableHeader& header = table.header();
    print(QStringLiteral("File: %1\n").arg(path));
    print(QStringLiteral("Version: 0x%1\n").arg(header.version, 2, 16, QLatin1Char('0')));
    print(QStringLiteral("Last update: %1\n").arg(header.lastUpdate.toString(Qt::ISODate)));
    print(QStringLiteral("Records: %1 (header), %2 (file size)\n")
              .arg(header.recordCount)
              .arg(table.recordCount()));
    print(QStringLiteral("Header length: %1\nRecord length: %2\n")
              .arg(header.headerLength)
              .arg(header.recordLength));
    print(QStringLiteral("Language driver: 0x%1 (%2)\n")
              .arg(header.languageDriver, 2, 16, QLatin1Char('0'))
              .arg(languageName(header.languageDriver)));
    print(QStringLiteral("Fields:\n"));
    for (int number = 0; number < table.fields().size(); ++number) {
        const FieldDescriptor& field = table.fields()[number];
        print(QStringLiteral("  %1 %2 %3 %4.%5 offset %6\n")
                  .arg(number + 1, 3)
                  .arg(field.name, -10)
                  .arg(QChar(QLatin1Char(char(field.type))))
                  .arg(field.length, 3)
                  .arg(field.decimals)
                  .arg(field.offset));
    }
    return 0;
}

int XbaseTool::dump(const QString& path) {
    Table table;
    Status status = table.open(path, OpenOptions::readOnlyShared());
    if (!status.ok()) {
        return fail(status.message());
    }
    QStringList names;
    for (const FieldDescriptor& field : table.fields()) {
        names << csvField(field.name);
    }
    print(names.join(QLatin1Char(',')) + QLatin1Char('\n'));
    for (status = table.goTop(); status.ok() && !table.eof(); status = table.skip()) {
        if (table.isDeleted()) {
            continue;
        }
        QStringList values;
        for (int field = 0; field < table.fields().size(); ++field) {
            values << csvField(shownValue(table, field));
        }
        print(values.join(QLatin1Char(',')) + QLatin1Char('\n'));
    }
    return status.ok() ? 0 : fail(status.message());
}

int XbaseTool::repair(const QString& path, const QStringList& indexes) {
    RepairReport report;
    const Status status = TableRepair().repair(path, indexes, &report);
    if (!status.ok()) {
        return fail(status.message());
    }
    print(QStringLiteral("%1: %2 records (the header said %3)")
              .arg(path)
              .arg(report.records)
              .arg(report.headerCount));
    if (report.droppedBytes > 0) {
        print(QStringLiteral(", %1 bytes of a torn last record dropped").arg(report.droppedBytes));
    }
    print(QStringLiteral("; the file as it was is in %1\n").arg(report.backupPath));
    for (const QString& index : indexes) {
        print(QStringLiteral("%1: rebuilt\n").arg(index));
    }
    return 0;
}

int XbaseTool::check(const QString& path, const QStringList& indexes) {
    // Saves that a crash interrupted are put back first, as every program that opens them does.
    const Status recovered = Journal::recoverFolder(QFileInfo(path).absolutePath());
    if (!recovered.ok()) {
        return fail(recovered.message());
    }
    const TableChecker checker;
    Status status = checker.checkTable(path);
    if (!status.ok()) {
        return fail(status.message());
    }
    for (const QString& index : indexes) {
        status = checker.checkIndex(path, index);
        if (!status.ok()) {
            return fail(status.message());
        }
    }
    print(QStringLiteral("%1: sound\n").arg(path));
    return 0;
}

int XbaseTool::pack(const QString& path, const QStringList& indexes) {
    Table table;
    Status status = table.open(path, OpenOptions::exclusive(LockPolicy::failAtOnce()));
    for (int number = 0; status.ok() && number < indexes.size(); ++number) {
        status = table.openIndex(indexes[number]);
    }
    const quint32 before = status.ok() ? table.recordCount() : 0;
    if (status.ok()) {
        status = table.pack();
    }
    if (!status.ok()) {
        return fail(status.message());
    }
    print(QStringLiteral("%1: %2 records kept, %3 removed\n")
              .arg(path)
              .arg(table.recordCount())
              .arg(before - table.recordCount()));
    return table.close().ok() ? 0 : 1;
}

int XbaseTool::reindex(const QString& path, const QStringList& indexes) {
    Table table;
    Status status = table.open(path, OpenOptions::exclusive(LockPolicy::failAtOnce()));
    for (int number = 0; status.ok() && number < indexes.size(); ++number) {
        status = table.openIndex(indexes[number]);
    }
    if (status.ok()) {
        status = table.reindex();
    }
    if (!status.ok()) {
        return fail(status.message());
    }
    for (const QString& index : indexes) {
        print(QStringLiteral("%1: rebuilt\n").arg(index));
    }
    return table.close().ok() ? 0 : 1;
}

}  // namespace vel::xbase
