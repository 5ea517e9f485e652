#pragma once
// Everything a reader might do with a table and its index: read every field of every record,
// seek, and walk the index both ways. The results do not matter, only that each call comes back
// with one. Shared by the randomized corruption test and the libFuzzer target.
#include "platform/xbase/Table.h"

namespace vel::xbase::testing {

inline void readEverything(FileOperations& operations, const QString& path, const QString& indexPath) {
    Table table(operations);
    if (!table.open(path, OpenOptions::shared(LockPolicy::failAtOnce())).ok()) {
        return;
    }
    int steps = 0;
    for (Status status = table.goTop(); status.ok() && !table.eof() && steps < 200;
         status = table.skip(), ++steps) {
        for (int field = 0; field < table.fields().size(); ++field) {
            table.text(field);
            table.number(field);
            table.date(field);
            table.logical(field);
        }
    }
    if (table.openIndex(indexPath).ok() && table.selectIndex(0).ok()) {
        SeekResult result;
        table.seek(QStringLiteral("K5"), &result);
        table.seek(QByteArrayView(""), &result);
        for (int step = 0; step < 100 && table.skip().ok() && !table.eof(); ++step) {
        }
        table.goBottom();
        for (int step = 0; step < 100 && table.skip(-1).ok() && !table.bof(); ++step) {
        }
    }
}

}  // namespace vel::xbase::testing
