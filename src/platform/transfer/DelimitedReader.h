#pragma once
// Reads a delimited import file record by record in constant memory:
// - only a regular file is opened (a folder, FIFO or device is refused before it is opened, so
//   that nothing waits on it), and a file whose first block holds a NUL byte or more than one
//   control byte in twenty (tab, line ends, form feed and the old end-of-file mark aside) is
//   refused as not text;
// - the encoding is decided per line: a file that starts with a byte-order mark is UTF-8
//   throughout; otherwise a line that is valid UTF-8 is read as UTF-8, any other as
//   Windows-1252, so that one Windows-1252 line garbles none of the others;
// - the separator comes from the first line (DelimitedLineSplitter::chooseSeparator);
// - lines end in LF or CR LF; lines up to and including `rowsToSkip` are ignored;
// - a line longer than `maximumLineLength` bytes is skipped without being held in memory, and
//   so is a line holding a NUL byte; both are counted;
// - each other line is split (DelimitedLineSplitter); lines with nothing before their comment
//   are passed over; the first `fieldsToSkip` fields are dropped and at most 40 are kept;
// - progress reports the percentage of the file read whenever it changes.
// The reader never throws; open() and readRecord() report failures through ReaderStatus.
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace vel {

enum class ReaderErrorCode { None, NotFound, NotAFile, OpenFailed, NotText, ReadFailed, NotOpen };

struct ReaderStatus {
    ReaderErrorCode code = ReaderErrorCode::None;
    QString message;  // names the file and the problem
    bool ok() const { return code == ReaderErrorCode::None; }
};

enum class TextEncoding { Utf8, Windows1252 };

struct DelimitedReaderOptions {
    int rowsToSkip = 0;
    int fieldsToSkip = 0;
    qsizetype maximumLineLength = 64 * 1024;
    std::function<void(int percent)> progress;
};

class DelimitedReader {
public:
    static constexpr int maximumFields = 40;

    explicit DelimitedReader(DelimitedReaderOptions options = {});
    ~DelimitedReader();
    DelimitedReader(const DelimitedReader&) = delete;
    DelimitedReader& operator=(const DelimitedReader&) = delete;

    // Opens a file and decides its encoding and separator.
    ReaderStatus open(const QString& path);
    // The same for an open device (not owned; it must stay open while reading).
    ReaderStatus open(QIODevice& device, const QString& name);

    // Reads the next record into `fields`; false at the end of the file or after a failure
    // (then status() tells which).
    bool readRecord(QStringList& fields);

    const ReaderStatus& status() const { return status_; }
    char separator() const { return separator_; }
    // The encoding of the line read last.
    TextEncoding encoding() const { return encoding_; }
    // The line (from 1) of the record read last.
    qint64 lineNumber() const { return lineNumber_; }
    qint64 skippedLongLines() const { return skippedLongLines_; }
    qint64 skippedBinaryLines() const { return skippedBinaryLines_; }
    int percentRead() const { return percent_; }

private:
    bool fillBuffer();
    bool readLine(QByteArray& line, bool& tooLong);
    void decideEncodingAndSeparator();
    bool looksLikeText() const;
    void reportProgress(bool finished);
    QString decode(const QByteArray& line);
    void fail(ReaderErrorCode code, const QString& problem);

    DelimitedReaderOptions options_;
    std::unique_ptr<QIODevice> ownedDevice_;
    QIODevice* device_ = nullptr;
    QString name_;
    qint64 size_ = 0;
    qint64 consumed_ = 0;  // bytes of the file taken by lines so far
    QByteArray buffer_;
    qsizetype position_ = 0;
    bool atEnd_ = false;
    ReaderStatus status_;
    char separator_ = ',';
    TextEncoding encoding_ = TextEncoding::Utf8;
    bool byteOrderMark_ = false;
    qint64 lineNumber_ = 0;
    qint64 physicalLine_ = 0;
    qint64 skippedLongLines_ = 0;
    qint64 skippedBinaryLines_ = 0;
    int percent_ = -1;
};

}  // namespace vel
