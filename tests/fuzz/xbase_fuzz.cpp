// libFuzzer target for the xBase layer: the input is a table and an index file (a 2-byte
// little-endian length of the table, the table's bytes, then the index's bytes), kept in memory.
// Every operation must end in a result: reading, seeking, checking, and writing (append,
// update, delete, pack, reindex) on whatever the bytes hold. Built and run by scripts/fuzz.
#include "platform/xbase/MemoryFileOperations.h"
#include "platform/xbase/Table.h"
#include "platform/xbase/TableChecker.h"
#include "ReadEverything.h"

#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstring>

using namespace vel::xbase;

namespace {

const QString tablePath = QStringLiteral("/fuzz/T.DBF");
const QString indexPath = QStringLiteral("/fuzz/T.NDX");

void read(FileOperations& operations) {
    vel::xbase::testing::readEverything(operations, tablePath, indexPath);
}

void write(FileOperations& operations) {
    Table table(operations);
    if (!table.open(tablePath, OpenOptions::exclusive(LockPolicy::failAtOnce())).ok()) {
        return;
    }
    table.openIndex(indexPath);
    table.appendBlank();
    for (int field = 0; field < table.fields().size(); ++field) {
        table.setText(field, QStringLiteral("7"));
        table.setText(field, QStringLiteral("Zé€"));
    }
    table.goTop();
    table.setNumber(0, 1.5);
    table.deleteRecord();
    table.flush();
    table.go(2);
    table.recall();
    table.pack();
    table.reindex();
    table.close();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // "--write-seed DIR": writes a sound table and index in the input form, for a first corpus.
    for (int argument = 1; argument + 1 < *argc; ++argument) {
        if (std::strcmp((*argv)[argument], "--write-seed") != 0) {
            continue;
        }
        MemoryFileOperations memory;
        Table::create(tablePath,
                      {FieldDescriptor::character(QStringLiteral("CODE"), 6),
                       FieldDescriptor::numeric(QStringLiteral("AMOUNT"), 6, 2),
                       FieldDescriptor::date(QStringLiteral("DAY")),
                       FieldDescriptor::logical(QStringLiteral("OK"))},
                      memory);
        Table table(memory);
        table.open(tablePath, OpenOptions::exclusive());
        for (int record = 0; record < 40; ++record) {
            table.appendBlank();
            table.setText(0, QStringLiteral("K%1").arg(record * 7 % 40));
            table.setNumber(1, record / 4.0);
            table.setDate(2, QDate(2024, 1, 1).addDays(record));
            table.setLogical(3, record % 2 == 0);
        }
        table.createIndex(indexPath, QStringLiteral("UPPER(CODE)"));
        table.close();
        const QByteArray tableBytes = memory.file(QFile::encodeName(tablePath));
        QByteArray input(2, '\0');
        input[0] = char(tableBytes.size() & 0xFF);
        input[1] = char(tableBytes.size() >> 8);
        input += tableBytes + memory.file(QFile::encodeName(indexPath));
        QFile seed(QDir((*argv)[argument + 1]).filePath(QStringLiteral("seed")));
        if (seed.open(QIODevice::WriteOnly)) {
            seed.write(input);
            seed.close();  // exit() below skips the destructors
        }
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const size_t tableLength = std::min<size_t>(size - 2, size_t(data[0] | (data[1] << 8)));
    const char* bytes = reinterpret_cast<const char*>(data) + 2;
    MemoryFileOperations memory;
    memory.setFile(QFile::encodeName(tablePath), QByteArray(bytes, qsizetype(tableLength)));
    memory.setFile(QFile::encodeName(indexPath),
                   QByteArray(bytes + tableLength, qsizetype(size - 2 - tableLength)));
    read(memory);
    TableChecker checker(memory);
    checker.checkTable(tablePath);
    checker.checkIndex(tablePath, indexPath);
    write(memory);
    checker.checkTable(tablePath);
    return 0;
}
