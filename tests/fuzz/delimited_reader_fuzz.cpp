// libFuzzer target for the delimited reader: any bytes, read with options taken from the first
// bytes, must read to the end without a crash, and every record must keep the reader's limits.
// Built by scripts/fuzz-reader; not part of the test suite.
#include "platform/transfer/DelimitedReader.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vel::DelimitedReaderOptions options;
    if (size >= 3) {
        options.rowsToSkip = data[0] % 4;
        options.fieldsToSkip = data[1] % 4;
        options.maximumLineLength = 1 + data[2] * 4;
        data += 3;
        size -= 3;
    }
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    vel::DelimitedReader reader(options);
    if (!reader.open(buffer, QStringLiteral("fuzz")).ok()) {
        std::abort();
    }
    QStringList fields;
    while (reader.readRecord(fields)) {
        if (fields.isEmpty() || fields.size() > vel::DelimitedReader::maximumFields) {
            std::abort();
        }
        for (const QString& field : fields) {
            if (field.contains(QChar(0)) || field != field.trimmed()) {
                std::abort();
            }
        }
    }
    if (!reader.status().ok()) {
        std::abort();
    }
    return 0;
}
