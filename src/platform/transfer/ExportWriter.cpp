#include "platform/transfer/ExportWriter.h"

#include "platform/transfer/DelimitedTextFormat.h"
#include "platform/transfer/SpreadsheetFormat.h"
#include "platform/transfer/XbaseFormat.h"

#include <algorithm>
#include <new>

namespace vel {

namespace {

std::unique_ptr<ExportFormat> formatFor(ExportFormatKind kind) {
    switch (kind) {
        case ExportFormatKind::CommaSeparated:
            return std::make_unique<DelimitedTextFormat>(',');
        case ExportFormatKind::TabSeparated:
            return std::make_unique<DelimitedTextFormat>('\t');
        case ExportFormatKind::Spreadsheet:
            return std::make_unique<SpreadsheetFormat>();
        case ExportFormatKind::XbaseTable:
            return std::make_unique<XbaseFormat>();
    }
    return nullptr;
}

}  // namespace

ExportWriter::ExportWriter() = default;

ExportWriter::~ExportWriter() {
    discard();
}

ExportStatus ExportWriter::failure(ExportErrorCode code, const QString& problem) {
    return {code, exportMessage(target_.path, problem)};
}

// Runs a step; any failure discards the output and comes back as the status.
template <typename Work>
ExportStatus ExportWriter::run(Work&& work) {
    ExportStatus status;
    try {
        std::forward<Work>(work)();
        return status;
    } catch (const ExportError& error) {
        status = error.status();
    } catch (const std::bad_alloc&) {
        status = failure(ExportErrorCode::Internal, QStringLiteral("out of memory"));
    } catch (const std::exception& error) {
        status = failure(ExportErrorCode::Internal, QString::fromLocal8Bit(error.what()));
    }
    if (status.code() != ExportErrorCode::NotOpen) {
        discard();
    }
    return status;
}

void ExportWriter::requireOpen() const {
    if (!format_) {
        throw ExportError(ExportErrorCode::NotOpen,
                          exportMessage(target_.path, QStringLiteral("no output is open")));
    }
}

ExportStatus ExportWriter::create(const QString& outputType, const QString& path,
                                  const QString& tableName, const ExportOptions& options) {
    discard();
    target_ = {path, tableName, options};
    columns_.clear();
    values_.clear();
    begun_ = false;
    rowCount_ = 0;
    const auto type = ExportOutputType::find(outputType);
    if (!type) {
        return failure(ExportErrorCode::UnknownOutputType,
                       QStringLiteral("unknown output type \"%1\"").arg(outputType));
    }
    if (path.trimmed().isEmpty()) {
        return failure(ExportErrorCode::CreateFailed, QStringLiteral("no file name"));
    }
    format_ = formatFor(type->kind);
    return {};
}

ExportStatus ExportWriter::addColumn(int position, const QString& name, int typeCode, int width,
                                     int decimals) {
    return addColumn(ExportColumn{position, name, typeCode, width, decimals});
}

ExportStatus ExportWriter::addColumn(const ExportColumn& column) {
    return run([&] {
        requireOpen();
        QString problem = column.problem();
        if (problem.isEmpty() && begun_) {
            problem = QStringLiteral("column %1 comes after the first row").arg(column.name);
        }
        for (const ExportColumn& existing : columns_) {
            if (problem.isEmpty() && existing.position == column.position) {
                problem = QStringLiteral("columns %1 and %2 share the position %3")
                              .arg(existing.name, column.name)
                              .arg(column.position);
            }
        }
        if (!problem.isEmpty()) {
            throw ExportError(ExportErrorCode::BadColumn, exportMessage(target_.path, problem));
        }
        auto place = std::find_if(columns_.begin(), columns_.end(), [&](const ExportColumn& c) {
            return c.position > column.position;
        });
        columns_.insert(place, column);
    });
}

void ExportWriter::beginOutput() {
    if (begun_) {
        return;
    }
    if (columns_.isEmpty()) {
        throw ExportError(ExportErrorCode::BadColumn,
                          exportMessage(target_.path, QStringLiteral("no columns declared")));
    }
    for (int index = 0; index < columns_.size(); ++index) {
        if (columns_[index].position != index + 1) {
            throw ExportError(
                ExportErrorCode::BadColumn,
                exportMessage(target_.path,
                              QStringLiteral("no column at position %1").arg(index + 1)));
        }
    }
    begun_ = true;
    target_.personal = std::any_of(columns_.begin(), columns_.end(), [](const ExportColumn& c) {
        return c.name.trimmed().compare(u"SSN", Qt::CaseInsensitive) == 0;
    });
    values_ = QVariantList(columns_.size());
    format_->begin(target_, columns_);
}

ExportStatus ExportWriter::setValue(int position, const QVariant& value) {
    return run([&] {
        requireOpen();
        beginOutput();
        if (position < 1 || position > values_.size()) {
            throw ExportError(
                ExportErrorCode::BadColumn,
                exportMessage(target_.path,
                              QStringLiteral("no column at position %1").arg(position)));
        }
        values_[position - 1] = value;
    });
}

ExportStatus ExportWriter::addRow() {
    return run([&] {
        requireOpen();
        beginOutput();
        cells_.resize(columns_.size());
        for (int index = 0; index < columns_.size(); ++index) {
            cells_[index] = ExportCell::fromValue(columns_[index], values_[index]);
            values_[index] = QVariant();
        }
        format_->writeRow(cells_);
        ++rowCount_;
    });
}

ExportStatus ExportWriter::addRow(const QVariantList& values) {
    ExportStatus status = run([&] {
        requireOpen();
        beginOutput();
        if (values.size() > columns_.size()) {
            throw ExportError(ExportErrorCode::BadColumn,
                              exportMessage(target_.path, QStringLiteral("%1 values for %2 columns")
                                                              .arg(values.size())
                                                              .arg(columns_.size())));
        }
        for (int index = 0; index < values.size(); ++index) {
            values_[index] = values[index];
        }
    });
    return status.ok() ? addRow() : status;
}

ExportStatus ExportWriter::addCells(const QList<ExportCell>& cells) {
    return run([&] {
        requireOpen();
        beginOutput();
        if (cells.size() != columns_.size()) {
            throw ExportError(ExportErrorCode::BadColumn,
                              exportMessage(target_.path, QStringLiteral("%1 cells for %2 columns")
                                                              .arg(cells.size())
                                                              .arg(columns_.size())));
        }
        format_->writeRow(cells);
        ++rowCount_;
    });
}

ExportStatus ExportWriter::close() {
    return run([&] {
        requireOpen();
        beginOutput();
        std::unique_ptr<ExportFormat> format = std::move(format_);
        try {
            format->finish();
        } catch (...) {
            format->discard();
            throw;
        }
    });
}

void ExportWriter::discard() {
    if (format_) {
        format_->discard();
        format_.reset();
    }
}

}  // namespace vel
