#pragma once
// Archives for unpacking tests: written entry by entry with libzip, and then damaged on purpose
// (a changed data byte, a false size in the central directory).
#include <gtest/gtest.h>
#include <zip.h>
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

namespace vel::testing {

struct ZipTestEntry {
    QByteArray name;
    QByteArray content;
};

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Writes the archive anew; stored entries keep their bytes as they are in the file.
inline void writeZip(const QString& path, const QList<ZipTestEntry>& entries, bool stored = false) {
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const ZipTestEntry& entry : entries) {
        zip_source_t* source = zip_source_buffer(archive, entry.content.constData(),
                                                 zip_uint64_t(entry.content.size()), 0);
        const zip_int64_t index = zip_file_add(archive, entry.name.constData(), source, 0);
        ASSERT_GE(index, 0) << entry.name.constData();
        if (stored) {
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
        }
    }
    ASSERT_EQ(zip_close(archive), 0);
}

namespace zipdetail {

inline quint32 read32(const QByteArray& bytes, qsizetype at) {
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8 |
           quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24;
}

inline quint16 read16(const QByteArray& bytes, qsizetype at) {
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

// Where the n-th record with the signature starts, or -1.
inline qsizetype nthRecord(const QByteArray& bytes, const QByteArray& signature, int n) {
    qsizetype at = -1;
    for (int found = 0; found <= n; ++found) {
        at = bytes.indexOf(signature, at + 1);
        if (at < 0) {
            return -1;
        }
    }
    return at;
}

inline bool rewrite(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

}  // namespace zipdetail

// Changes the first data byte of the entry (a stored entry then fails its CRC check).
inline bool damageEntryData(const QString& path, int entry) {
    QByteArray bytes = readAll(path);
    const qsizetype header = zipdetail::nthRecord(bytes, QByteArray("PK\x03\x04", 4), entry);
    if (header < 0) {
        return false;
    }
    const qsizetype data =
        header + 30 + zipdetail::read16(bytes, header + 26) + zipdetail::read16(bytes, header + 28);
    bytes[data] = char(bytes[data] ^ 0x55);
    return zipdetail::rewrite(path, bytes);
}

// Puts a false uncompressed size into the entry's central directory record, which is what a
// reader trusts.
inline bool setDeclaredSize(const QString& path, int entry, quint32 size) {
    QByteArray bytes = readAll(path);
    const qsizetype record = zipdetail::nthRecord(bytes, QByteArray("PK\x01\x02", 4), entry);
    if (record < 0) {
        return false;
    }
    for (int byte = 0; byte < 4; ++byte) {
        bytes[record + 24 + byte] = char((size >> (8 * byte)) & 0xFF);
    }
    return zipdetail::rewrite(path, bytes);
}

}  // namespace vel::testing
