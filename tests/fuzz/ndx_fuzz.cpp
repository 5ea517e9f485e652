// libFuzzer target for the NDX index reader: the input is the index file of a fixed, sound table
// of 60 records (kept in memory), so every mutation lands in the index. Opening, seeking,
// walking both ways, the index check, then appends, deletes and a rebuild must each end in a
// result; after the rebuild the index must pass its check. Built and run by scripts/fuzz.
#include "platform/xbase/MemoryFileOperations.h"
#include "platform/xbase/Table.h"
#include "platform/xbase/TableChecker.h"

#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace vel::xbase;

namespace {

const QString tablePath = QStringLiteral("/fuzz/T.DBF");
const QString indexPath = QStringLiteral("/fuzz/T.NDX");

struct SoundFiles {
    QByteArray table;
    QByteArray index;
};

// The table every input runs against, and the index that belongs to it (the seed).
const SoundFiles& soundFiles() {
    static const SoundFiles files = [] {
        MemoryFileOperations memory;
        Table::create(tablePath,
                      {FieldDescriptor::character(QStringLiteral("CODE"), 6),
                       FieldDescriptor::numeric(QStringLiteral("AMOUNT"), 6, 2)},
                      memory);
        Table table(memory);
        table.open(tablePath, OpenOptions::exclusive());
        for (int record = 0; record < 60; ++record) {
            table.appendBlank();
            table.setText(0, QStringLiteral("K%1").arg(record * 7 % 60));
            table.setNumber(1, record / 4.0);
        }
        table.createIndex(indexPath, QStringLiteral("UPPER(CODE)"));
        table.close();
        return SoundFiles{memory.file(QFile::encodeName(tablePath)),
                          memory.file(QFile::encodeName(indexPath))};
    }();
    return files;
}

void readThroughIndex(Table& table) {
    SeekResult result;
    table.seek(QStringLiteral("K5"), &result);
    table.seek(QStringLiteral("ZZZ"), &result);
    table.seek(QByteArrayView(""), &result);
    table.goTop();
    for (int step = 0; step < 100 && table.skip().ok() && !table.eof(); ++step) {
    }
    table.goBottom();
    for (int step = 0; step < 100 && table.skip(-1).ok() && !table.bof(); ++step) {
    }
}

void writeThroughIndex(Table& table) {
    table.appendBlank();
    table.setText(0, QStringLiteral("K31"));
    table.flush();
    table.go(3);
    table.setText(0, QStringLiteral("A0"));
    table.flush();
    table.go(5);
    table.deleteRecord();
    table.flush();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // "--write-seed DIR": writes the sound index as a first corpus entry.
    for (int argument = 1; argument + 1 < *argc; ++argument) {
        if (std::strcmp((*argv)[argument], "--write-seed") == 0) {
            QFile seed(QDir((*argv)[argument + 1]).filePath(QStringLiteral("seed")));
            if (seed.open(QIODevice::WriteOnly)) {
                seed.write(soundFiles().index);
                seed.close();  // exit() below skips the destructors
            }
            std::exit(0);
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFileOperations memory;
    memory.setFile(QFile::encodeName(tablePath), soundFiles().table);
    memory.setFile(QFile::encodeName(indexPath),
                   QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    TableChecker checker(memory);
    checker.checkIndex(tablePath, indexPath);
    bool rebuilt = false;
    {
        Table table(memory);
        if (!table.open(tablePath, OpenOptions::exclusive(LockPolicy::failAtOnce())).ok()) {
            std::abort();  // the table is sound; only the index was fuzzed
        }
        if (table.openIndex(indexPath).ok() && table.selectIndex(0).ok()) {
            readThroughIndex(table);
            writeThroughIndex(table);
            rebuilt = table.reindex().ok();
        }
        table.close();
    }
    if (rebuilt && !checker.checkIndex(tablePath, indexPath).ok()) {
        std::abort();  // a rebuilt index must be sound
    }
    return 0;
}
