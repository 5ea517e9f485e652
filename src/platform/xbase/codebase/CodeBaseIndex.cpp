// The index and tag functions of the call layer (i4..., t4..., d4tag...). Each NDX file holds
// one tag, named after the file.
#include "platform/xbase/codebase/CodeBaseHandles.h"

#include <QFileInfo>

namespace vel::xbase {

using codebase::record;
using codebase::report;
using codebase::usable;

namespace {

// The table's number for an open index handle, or -1.
int tableIndexNumber(INDEX4* index) {
    return index && index->open && index->data->open ? index->data->table->findIndex(index->path)
                                                     : -1;
}

INDEX4* remember(DATA4* data, const QString& path) {
    const int number = data->table->findIndex(path);
    auto index = std::make_unique<INDEX4>();
    index->data = data;
    index->path = path;
    index->open = true;
    index->tag.index = index.get();
    index->tag.alias = QFileInfo(path).completeBaseName().toUpper().toStdString();
    index->tag.expression = data->table->index(number).storedExpression().toStdString();
    data->indexes.push_back(std::move(index));
    return data->indexes.back().get();
}

QString folderOf(DATA4* data) {
    return QFileInfo(data->table->path()).absolutePath();
}

}  // namespace

INDEX4* i4open(DATA4* data, const char* name) {
    int16_t result;
    if (!usable(data, &result)) {
        return nullptr;
    }
    if (!name) {
        record(data->code, e4parmNull, QStringLiteral("i4open without a name"));
        return nullptr;
    }
    const QString path = codebase::fileName(name, "ndx", folderOf(data));
    const Status status = data->table->openIndex(path);
    if (!status.ok()) {
        const int16_t code = codebase::resultFor(status);
        record(data->code, code < 0 ? code : e4open, status.message());
        return nullptr;
    }
    return remember(data, path);
}

INDEX4* i4create(DATA4* data, const char* name, const TAG4INFO* tags) {
    int16_t result;
    if (!usable(data, &result)) {
        return nullptr;
    }
    if (!tags || !tags->name || !tags->expression) {
        record(data->code, e4parmNull, QStringLiteral("i4create without a tag"));
        return nullptr;
    }
    INDEX4* first = nullptr;
    for (const TAG4INFO* tag = tags; tag->name; ++tag) {
        if ((tag->filter && *tag->filter) || tag->descending) {
            record(data->code, e4tagExpr,
                   QStringLiteral("%1: filters and descending order are not supported")
                       .arg(QLatin1String(tag->name)));
            return nullptr;
        }
        const char* fileName = name && tag == tags ? name : tag->name;
        const QString path = codebase::fileName(fileName, "ndx", folderOf(data));
        for (const auto& index : data->indexes) {
            if (index->open && index->path == path) {
                index->open = false;  // the table closes the old file before replacing it
            }
        }
        const Status status =
            data->table->createIndex(path, QString::fromLatin1(tag->expression), tag->unique != 0);
        if (!status.ok()) {
            report(data->code, status);
            return nullptr;
        }
        INDEX4* created = remember(data, path);
        first = first ? first : created;
        if (name) {
            break;  // a named file holds the first tag only
        }
    }
    return first;
}

int16_t i4close(INDEX4* index) {
    if (!index) {
        return e4parmNull;
    }
    const int number = tableIndexNumber(index);
    index->open = false;
    return number >= 0 ? report(index->data->code, index->data->table->closeIndex(number))
                       : r4success;
}

int16_t i4reindex(INDEX4* index) {
    if (!index) {
        return e4parmNull;
    }
    int16_t result;
    if (!usable(index->data, &result)) {
        return result;
    }
    const int number = tableIndexNumber(index);
    if (number < 0) {
        return record(index->data->code, e4parm, QStringLiteral("the index is closed"));
    }
    return report(index->data->code, index->data->table->reindex(number));
}

TAG4* i4tag(INDEX4* index, const char* name) {
    if (!index || !index->open) {
        return nullptr;
    }
    if (name && QString::fromLatin1(name).compare(QString::fromStdString(index->tag.alias),
                                                  Qt::CaseInsensitive) != 0) {
        record(index->data->code, e4tagName,
               QStringLiteral("no tag %1 in %2").arg(QLatin1String(name), index->path));
        return nullptr;
    }
    return &index->tag;
}

int16_t t4close(TAG4* tag) {
    return tag ? i4close(tag->index) : e4parmNull;
}

const char* t4expr(TAG4* tag) {
    return tag ? tag->expression.c_str() : "";
}

const char* t4alias(TAG4* tag) {
    return tag ? tag->alias.c_str() : "";
}

int16_t t4unique(TAG4* tag) {
    const int number = tag ? tableIndexNumber(tag->index) : -1;
    return number >= 0 && tag->index->data->table->index(number).isUnique() ? 1 : 0;
}

TAG4* d4tag(DATA4* data, const char* name) {
    int16_t result;
    if (!usable(data, &result) || !name) {
        return nullptr;
    }
    for (const auto& index : data->indexes) {
        if (index->open &&
            QString::fromLatin1(name).compare(QString::fromStdString(index->tag.alias),
                                              Qt::CaseInsensitive) == 0) {
            return &index->tag;
        }
    }
    record(data->code, e4tagName,
           data->table->path() + QStringLiteral(": no open tag %1").arg(QLatin1String(name)));
    return nullptr;
}

TAG4* d4tagNext(DATA4* data, TAG4* tag) {
    int16_t result;
    if (!usable(data, &result)) {
        return nullptr;
    }
    bool passed = tag == nullptr;
    for (const auto& index : data->indexes) {
        if (!index->open) {
            continue;
        }
        if (passed) {
            return &index->tag;
        }
        passed = &index->tag == tag;
    }
    return nullptr;
}

TAG4* d4tagDefault(DATA4* data) {
    return d4tagNext(data, nullptr);
}

TAG4* d4tagSelected(DATA4* data) {
    int16_t result;
    if (!usable(data, &result) || data->table->selectedIndex() < 0) {
        return nullptr;
    }
    const QString& path = data->table->index(data->table->selectedIndex()).path();
    for (const auto& index : data->indexes) {
        if (index->open && index->path == path) {
            return &index->tag;
        }
    }
    return nullptr;
}

void d4tagSelect(DATA4* data, TAG4* tag) {
    int16_t result;
    if (!usable(data, &result)) {
        return;
    }
    const int number = tag ? tableIndexNumber(tag->index) : -1;
    if (tag && number < 0) {
        record(data->code, e4tagName, QStringLiteral("the tag's index is closed"));
        return;
    }
    report(data->code, data->table->selectIndex(number));
}

}  // namespace vel::xbase
