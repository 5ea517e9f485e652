#include "platform/transfer/DelimitedReader.h"

#include "platform/transfer/DelimitedLineSplitter.h"
#include "platform/xbase/CodePage1252.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace vel {

namespace {

constexpr qsizetype blockSize = 64 * 1024;

}  // namespace

DelimitedReader::DelimitedReader(DelimitedReaderOptions options) : options_(std::move(options)) {
    if (options_.maximumLineLength < 1) {
        options_.maximumLineLength = 1;
    }
}

DelimitedReader::~DelimitedReader() = default;

void DelimitedReader::fail(ReaderErrorCode code, const QString& problem) {
    status_ = {code, name_ + QStringLiteral(": ") + problem};
    device_ = nullptr;
    ownedDevice_.reset();
}

ReaderStatus DelimitedReader::open(const QString& path) {
    name_ = path;
    ownedDevice_.reset();
    device_ = nullptr;
    const QFileInfo info(path);
    if (!info.exists()) {
        fail(ReaderErrorCode::NotFound, QStringLiteral("the file does not exist"));
        return status_;
    }
    // Checked before opening: opening a FIFO for reading waits for a writer.
    if (!info.isFile()) {
        fail(ReaderErrorCode::NotAFile,
             info.isDir() ? QStringLiteral("this is a folder, not a file")
                          : QStringLiteral("this is not a regular file (a pipe or a device)"));
        return status_;
    }
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) {
        fail(ReaderErrorCode::OpenFailed, QStringLiteral("cannot open: ") + file->errorString());
        return status_;
    }
    QIODevice& device = *file;
    ownedDevice_ = std::move(file);
    const ReaderStatus status = open(device, path);
    return status;
}

ReaderStatus DelimitedReader::open(QIODevice& device, const QString& name) {
    name_ = name;
    if (&device != ownedDevice_.get()) {
        ownedDevice_.reset();
    }
    device_ = &device;
    status_ = {};
    size_ = device.isSequential() ? 0 : device.size();
    consumed_ = 0;
    buffer_.clear();
    position_ = 0;
    atEnd_ = false;
    lineNumber_ = 0;
    physicalLine_ = 0;
    skippedLongLines_ = 0;
    skippedBinaryLines_ = 0;
    percent_ = -1;
    if (!device.isReadable()) {
        fail(ReaderErrorCode::OpenFailed, QStringLiteral("the file is not open for reading"));
        return status_;
    }
    fillBuffer();
    if (status_.ok() && !looksLikeText()) {
        fail(ReaderErrorCode::NotText,
             QStringLiteral("this is not a text file (it holds binary data); nothing was read"));
    }
    if (status_.ok()) {
        decideEncodingAndSeparator();
        reportProgress(false);
    }
    return status_;
}

// A text file has no NUL byte and hardly any control bytes in its first block.
bool DelimitedReader::looksLikeText() const {
    qsizetype controls = 0;
    for (const char byte : buffer_) {
        const auto code = static_cast<unsigned char>(byte);
        if (code == 0) {
            return false;
        }
        const bool textControl =
            code == '\t' || code == '\n' || code == '\r' || code == '\f' || code == 0x1A;
        if ((code < 0x20 && !textControl) || code == 0x7F) {
            ++controls;
        }
    }
    return controls * 20 <= buffer_.size();
}

// Reads the next block after what is left unread; false at the end of the file or on failure.
bool DelimitedReader::fillBuffer() {
    if (atEnd_ || !device_) {
        return false;
    }
    buffer_.remove(0, position_);
    position_ = 0;
    const qsizetype kept = buffer_.size();
    buffer_.resize(kept + blockSize);
    const qint64 count = device_->read(buffer_.data() + kept, blockSize);
    if (count < 0) {
        buffer_.resize(kept);
        fail(ReaderErrorCode::ReadFailed, QStringLiteral("cannot read: ") +
                                              device_->errorString());
        return false;
    }
    buffer_.resize(kept + qsizetype(count));
    if (count == 0) {
        atEnd_ = true;
        return false;
    }
    return true;
}

void DelimitedReader::decideEncodingAndSeparator() {
    byteOrderMark_ = buffer_.startsWith("\xEF\xBB\xBF");
    encoding_ = TextEncoding::Utf8;
    if (byteOrderMark_) {
        position_ = 3;
        consumed_ = 3;
    }
    const qsizetype end = buffer_.indexOf('\n', position_);
    const qsizetype length = (end < 0 ? buffer_.size() : end) - position_;
    separator_ = DelimitedLineSplitter::chooseSeparator(buffer_.constData() + position_, length);
}

// Reads one line without its end; a line past the limit is not kept and sets tooLong.
// False when no line is left.
bool DelimitedReader::readLine(QByteArray& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    bool any = false;
    while (true) {
        if (position_ >= buffer_.size() && !fillBuffer()) {
            if (!status_.ok()) {
                return false;
            }
            if (any && !tooLong && line.endsWith('\r')) {
                line.chop(1);
            }
            return any;
        }
        any = true;
        const qsizetype end = buffer_.indexOf('\n', position_);
        const qsizetype stop = end < 0 ? buffer_.size() : end;
        const qsizetype piece = stop - position_;
        if (!tooLong) {
            // One byte of room for the CR of a CR LF ending.
            if (line.size() + piece > options_.maximumLineLength + 1) {
                tooLong = true;
                line.clear();
            } else {
                line.append(buffer_.constData() + position_, piece);
            }
        }
        consumed_ += piece;
        position_ = stop;
        if (end >= 0) {
            ++position_;
            ++consumed_;
            if (!tooLong && line.endsWith('\r')) {
                line.chop(1);
            }
            if (!tooLong && line.size() > options_.maximumLineLength) {
                tooLong = true;
                line.clear();
            }
            return true;
        }
    }
}

QString DelimitedReader::decode(const QByteArray& line) {
    if (byteOrderMark_) {
        return QString::fromUtf8(line);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(line);
    if (!utf8.hasError()) {
        encoding_ = TextEncoding::Utf8;
        return text;
    }
    encoding_ = TextEncoding::Windows1252;
    return xbase::CodePage1252::decode(line.constData(), line.size());
}

void DelimitedReader::reportProgress(bool finished) {
    int percent = 100;
    if (!finished) {
        percent = size_ > 0 ? int(qMin<qint64>(99, consumed_ * 100 / size_)) : 0;
    }
    if (percent != percent_) {
        percent_ = percent;
        if (options_.progress) {
            options_.progress(percent);
        }
    }
}

bool DelimitedReader::readRecord(QStringList& fields) {
    fields.clear();
    if (!device_) {
        if (status_.ok()) {
            status_ = {ReaderErrorCode::NotOpen, name_ + QStringLiteral(": no file is open")};
        }
        return false;
    }
    QByteArray line;
    bool tooLong = false;
    while (readLine(line, tooLong)) {
        ++physicalLine_;
        reportProgress(false);
        if (physicalLine_ <= options_.rowsToSkip) {
            continue;
        }
        if (tooLong) {
            ++skippedLongLines_;
            continue;
        }
        if (line.contains('\0')) {
            ++skippedBinaryLines_;
            continue;
        }
        QStringList all = DelimitedLineSplitter::split(decode(line), QLatin1Char(separator_));
        if (options_.fieldsToSkip > 0) {
            all.remove(0, qMin<qsizetype>(all.size(), options_.fieldsToSkip));
        }
        if (all.isEmpty()) {
            continue;
        }
        if (all.size() > maximumFields) {
            all.resize(maximumFields);
        }
        fields = std::move(all);
        lineNumber_ = physicalLine_;
        return true;
    }
    if (status_.ok()) {
        reportProgress(true);
    }
    return false;
}

}  // namespace vel
