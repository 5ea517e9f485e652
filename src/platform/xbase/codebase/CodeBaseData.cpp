// The data-file functions of the call layer (d4...).
#include "platform/xbase/XbaseError.h"
#include "platform/xbase/codebase/CodeBaseHandles.h"

#include <QFile>
#include <QFileInfo>

namespace vel::xbase {

using codebase::record;
using codebase::report;
using codebase::usable;

namespace {

DATA4* openTable(CODE4* code, const QString& path) {
    auto table = std::make_unique<Table>();
    OpenOptions options;
    options.access =
        code->accessMode == OPEN4DENY_NONE ? AccessMode::Shared : AccessMode::Exclusive;
    options.lockPolicy = codebase::lockPolicy(code);
    const Status status = table->open(path, options);
    if (!status.ok()) {
        if (status.code() == ErrorCode::NotFound && !code->errorOnMissingFile) {
            // A missing file is an outcome, not an error: r4noOpen, nothing pending.
            record(code, r4noOpen, status.message());
            code->errorCode = r4noOpen;
            return nullptr;
        }
        const int16_t result = codebase::resultFor(status);
        record(code, result < 0 ? result : e4open, status.message());
        return nullptr;
    }
    auto data = std::make_unique<DATA4>();
    data->code = code;
    data->table = std::move(table);
    data->open = true;
    code->data.push_back(std::move(data));
    return code->data.back().get();
}

// Classic navigation results: r4eof past the end, r4bof before the start.
int16_t positionResult(DATA4* data, const Status& status) {
    if (!status.ok()) {
        return report(data->code, status);
    }
    if (data->table->eof()) {
        return r4eof;
    }
    return data->table->bof() ? r4bof : r4success;
}

}  // namespace

DATA4* d4open(CODE4* code, const char* name) {
    if (!code || !name) {
        codebase::record(code, e4parmNull, QStringLiteral("d4open without a name"));
        return nullptr;
    }
    if (code->errorCode < 0) {
        return nullptr;
    }
    return openTable(code, codebase::fileName(name, "dbf", QString()));
}

DATA4* d4create(CODE4* code, const char* name, const FIELD4INFO* fields, const TAG4INFO* tags) {
    if (!code || !name || !fields) {
        codebase::record(code, e4parmNull, QStringLiteral("d4create without a name or fields"));
        return nullptr;
    }
    if (code->errorCode < 0) {
        return nullptr;
    }
    const QString path = codebase::fileName(name, "dbf", QString());
    QList<FieldDescriptor> descriptors;
    for (const FIELD4INFO* field = fields; field->name; ++field) {
        const char type = char(field->type) == 'F' ? 'N' : char(field->type);
        descriptors.append({QString::fromLatin1(field->name).toUpper(),
                            static_cast<FieldType>(type), field->len, field->dec, 0});
        if (type != 'C' && type != 'N' && type != 'D' && type != 'L') {
            record(code, e4fieldType,
                   path + QStringLiteral(": field %1 has the unknown type '%2'")
                              .arg(QLatin1String(field->name), QChar(QLatin1Char(type))));
            return nullptr;
        }
    }
    const Status created = Table::create(path, descriptors);
    if (!created.ok()) {
        report(code, created);
        return nullptr;
    }
    DATA4* data = openTable(code, path);
    for (const TAG4INFO* tag = tags; data && tag && tag->name; ++tag) {
        if (!i4create(data, tag->name, tag)) {
            return data;  // the table exists; the pending error names the index
        }
    }
    return data;
}

int16_t d4close(DATA4* data) {
    if (!data) {
        return e4parmNull;
    }
    if (!data->open) {
        return r4success;
    }
    const Status status = data->table->close();
    data->open = false;
    for (const auto& index : data->indexes) {
        index->open = false;
    }
    data->table.reset();
    return status.ok() ? r4success : report(data->code, status);
}

int16_t d4top(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? positionResult(data, data->table->goTop()) : result;
}

int16_t d4bottom(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? positionResult(data, data->table->goBottom()) : result;
}

int16_t d4skip(DATA4* data, long count) {
    int16_t result;
    return usable(data, &result) ? positionResult(data, data->table->skip(count)) : result;
}

int16_t d4go(DATA4* data, long recordNumber) {
    int16_t result;
    if (!usable(data, &result)) {
        return result;
    }
    if (recordNumber <= 0) {
        return record(data->code, r4entry, QStringLiteral("no record %1").arg(recordNumber));
    }
    const Status status = data->table->go(quint32(recordNumber));
    return status.ok() ? r4success : report(data->code, status);
}

int16_t d4eof(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? int16_t(data->table->eof() ? 1 : 0) : result;
}

int16_t d4bof(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? int16_t(data->table->bof() ? 1 : 0) : result;
}

long d4recNo(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? long(data->table->recordNumber()) : long(result);
}

long d4recCount(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? long(data->table->recordCount()) : long(result);
}

int16_t d4seek(DATA4* data, const char* key) {
    int16_t result;
    if (!usable(data, &result)) {
        return result;
    }
    if (!key) {
        return record(data->code, e4parmNull, QStringLiteral("d4seek without a key"));
    }
    SeekResult outcome;
    const Status status = data->table->seek(QByteArrayView(key, qstrlen(key)), &outcome);
    if (!status.ok()) {
        return report(data->code, status);
    }
    return outcome == SeekResult::Found   ? r4success
           : outcome == SeekResult::After ? r4after
                                          : r4eof;
}

int16_t d4seekText(DATA4* data, const QString& key) {
    int16_t result;
    if (!usable(data, &result)) {
        return result;
    }
    SeekResult outcome;
    const Status status = data->table->seek(key, &outcome);
    if (!status.ok()) {
        return report(data->code, status);
    }
    return outcome == SeekResult::Found   ? r4success
           : outcome == SeekResult::After ? r4after
                                          : r4eof;
}

int16_t d4appendStart(DATA4* data, int16_t) {
    int16_t result;
    return usable(data, &result) ? report(data->code, data->table->startAppend(false)) : result;
}

int16_t d4append(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? report(data->code, data->table->appendCurrent()) : result;
}

int16_t d4appendBlank(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? report(data->code, data->table->appendBlank()) : result;
}

namespace {

// A usable table and a run of count whole records at records; bytes: the run's length. False
// when it is refused or empty; result then holds the answer.
bool usableRun(DATA4* data, const void* records, long count, qsizetype* bytes, int16_t* result) {
    if (!usable(data, result)) {
        return false;
    }
    if (!records || count < 0) {
        *result = record(data->code, e4parm, QStringLiteral("no run of records"));
        return false;
    }
    *bytes = qsizetype(count) * data->table->header().recordLength;
    *result = r4success;
    return count > 0;  // an empty run: nothing to do
}

}  // namespace

int16_t d4readRecords(DATA4* data, long first, long count, char* into) {
    int16_t result;
    qsizetype bytes = 0;
    if (!usableRun(data, into, count, &bytes, &result)) {
        return result;
    }
    return report(data->code, data->table->readRecords(quint32(first), quint32(count), into));
}

int16_t d4writeRecords(DATA4* data, long first, const char* records, long count) {
    int16_t result;
    qsizetype bytes = 0;
    if (!usableRun(data, records, count, &bytes, &result)) {
        return result;
    }
    return report(data->code,
                  data->table->writeRecords(quint32(first), QByteArrayView(records, bytes)));
}

// Each record is kept in the table's append batch, and the batch written at once.
int16_t d4appendRecords(DATA4* data, const char* records, long count) {
    int16_t result;
    qsizetype bytes = 0;
    if (!usableRun(data, records, count, &bytes, &result)) {
        return result;
    }
    Table& table = *data->table;
    const qsizetype width = table.header().recordLength;
    Status status = table.startAppend(true);
    for (qsizetype offset = 0; status.ok() && offset < bytes; offset += width) {
        status = table.setRecordBytes(QByteArrayView(records + offset, width));
        if (status.ok()) {
            status = table.keepForAppend();
        }
    }
    // Whatever was kept is written (or dropped, when the table refuses writes), so that nothing
    // stays behind for a later append.
    const Status written = table.appendKept();
    return report(data->code, status.ok() ? written : status);
}

const char* d4record(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? data->table->recordBytes().constData() : "";
}

long d4recWidth(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? long(data->table->header().recordLength) : long(result);
}

int16_t d4blank(DATA4* data) {
    int16_t result;
    if (!usable(data, &result)) {
        return result;
    }
    for (int field = 0; field < data->table->fields().size(); ++field) {
        const Status status = data->table->setBlank(field);
        if (!status.ok()) {
            return report(data->code, status);
        }
    }
    return r4success;
}

int16_t d4delete(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? report(data->code, data->table->deleteRecord()) : result;
}

int16_t d4recall(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? report(data->code, data->table->recall()) : result;
}

int16_t d4deleted(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? int16_t(data->table->isDeleted() ? 1 : 0) : result;
}

int16_t d4flush(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? report(data->code, data->table->flush()) : result;
}

int16_t d4pack(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? report(data->code, data->table->pack()) : result;
}

int16_t d4zap(DATA4* data, long start, long count) {
    int16_t result;
    if (!usable(data, &result)) {
        return result;
    }
    if (start != 1 || count < long(data->table->recordCount())) {
        return record(data->code, e4parm,
                      data->table->path() + QStringLiteral(": only the whole table can be zapped"));
    }
    return report(data->code, data->table->zap());
}

int16_t d4reindex(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? report(data->code, data->table->reindex()) : result;
}

int16_t d4lock(DATA4* data, long recordNumber) {
    int16_t result;
    if (!usable(data, &result)) {
        return result;
    }
    if (recordNumber <= 0) {
        return record(data->code, r4entry, QStringLiteral("no record %1").arg(recordNumber));
    }
    return report(data->code, data->table->lockRecord(quint32(recordNumber)));
}

// Locks the file and holds its open indexes for writing, so that many changes cost one lock and
// one write of each changed index page; d4unlock writes them and lets go.
int16_t d4lockAll(DATA4* data) {
    int16_t result;
    if (!usable(data, &result)) {
        return result;
    }
    Table& table = *data->table;
    const Status locked = table.lockFile();
    if (!locked.ok()) {
        return report(data->code, locked);
    }
    for (int number = 0; number < table.indexCount(); ++number) {
        try {
            table.index(number).hold();
        } catch (const XbaseError& error) {
            table.unlockAll();
            return report(data->code, error.status());
        }
    }
    return r4success;
}

int16_t d4lockAppend(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? report(data->code, data->table->lockAppend()) : result;
}

int16_t d4lockRead(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? report(data->code, data->table->lockFileShared()) : result;
}

int16_t d4unlock(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? report(data->code, data->table->unlockAll()) : result;
}

int16_t d4numFields(DATA4* data) {
    int16_t result;
    return usable(data, &result) ? int16_t(data->table->fields().size()) : result;
}

FIELD4* d4fieldJ(DATA4* data, int16_t number) {
    int16_t result;
    if (!usable(data, &result)) {
        return nullptr;
    }
    if (number < 1 || number > data->table->fields().size()) {
        record(data->code, e4fieldName, QStringLiteral("no field number %1").arg(number));
        return nullptr;
    }
    for (const auto& field : data->fields) {
        if (field->number == number - 1) {
            return field.get();
        }
    }
    auto field = std::make_unique<FIELD4>();
    field->data = data;
    field->number = number - 1;
    field->name = data->table->fields()[number - 1].name.toStdString();
    data->fields.push_back(std::move(field));
    return data->fields.back().get();
}

FIELD4* d4field(DATA4* data, const char* name) {
    int16_t result;
    if (!usable(data, &result)) {
        return nullptr;
    }
    const int number = name ? data->table->fieldIndex(QString::fromLatin1(name).trimmed()) : -1;
    if (number < 0) {
        record(data->code, e4fieldName,
               data->table->path() +
                   QStringLiteral(": no field named %1").arg(QLatin1String(name ? name : "")));
        return nullptr;
    }
    return d4fieldJ(data, int16_t(number + 1));
}

}  // namespace vel::xbase
