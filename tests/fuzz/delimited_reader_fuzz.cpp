// libFuzzer target for the delimited reader: any bytes, read with options taken from the first
// bytes, must read to the end without a crash, and every record must keep the reader's limits.
// A file may be refused at open only as not being text, and only when it holds a NUL or another
// control byte that text files do not have. Built by scripts/fuzz; not part of the test suite.
#include "platform/transfer/DelimitedReader.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

// Whether the bytes hold one that no text file has (NUL, or a control other than tab, line
// and page breaks and the end-of-file mark).
bool holdsBinaryByte(const uint8_t* data, size_t size) {
    for (size_t index = 0; index < size; ++index) {
        const uint8_t code = data[index];
        const bool textControl =
            code == '\t' || code == '\n' || code == '\r' || code == '\f' || code == 0x1A;
        if ((code < 0x20 && !textControl) || code == 0x7F) {
            return true;
        }
    }
    return false;
}

}  // namespace

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
    if (const vel::ReaderStatus opened = reader.open(buffer, QStringLiteral("fuzz"));
        !opened.ok()) {
        if (opened.code != vel::ReaderErrorCode::NotText || !holdsBinaryByte(data, size)) {
            std::abort();
        }
        return 0;
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
