#include "platform/transfer/TBTransfer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include "platform/transfer/CurlLibrary.h"

#include <memory>

namespace vel {

namespace {

struct EasyCloser {
    const CurlLibrary* curl = nullptr;
    void operator()(CURL* handle) const { curl->cleanup(handle); }
};
using EasyHandle = std::unique_ptr<CURL, EasyCloser>;

EasyHandle startEasyHandle(const CurlLibrary* curl) {
    return curl ? EasyHandle(curl->init(), EasyCloser{curl}) : EasyHandle();
}

// What the progress callback needs: the caller's functions and the last share told.
struct ProgressState {
    const TBTransfer::Progress* progress = nullptr;
    const TBTransfer::Cancel* cancel = nullptr;
    int lastPercent = -1;
    bool cancelled = false;
};

int reportProgress(void* data, curl_off_t downloadTotal, curl_off_t downloaded,
                   curl_off_t uploadTotal, curl_off_t uploaded) {
    auto* state = static_cast<ProgressState*>(data);
    const curl_off_t total = uploadTotal > 0 ? uploadTotal : downloadTotal;
    const curl_off_t done = uploadTotal > 0 ? uploaded : downloaded;
    if (total > 0 && *state->progress) {
        const int percent = int(done * 100 / total);
        if (percent != state->lastPercent) {
            state->lastPercent = percent;
            (*state->progress)(percent);
        }
    }
    if (*state->cancel && (*state->cancel)()) {
        state->cancelled = true;
        return 1;  // libcurl stops with CURLE_ABORTED_BY_CALLBACK
    }
    return 0;
}

size_t readFromFile(char* buffer, size_t size, size_t count, void* data) {
    const qint64 read = static_cast<QFile*>(data)->read(buffer, qint64(size * count));
    return read < 0 ? CURL_READFUNC_ABORT : size_t(read);
}

size_t writeToFile(char* buffer, size_t size, size_t count, void* data) {
    const qint64 wanted = qint64(size * count);
    return static_cast<QSaveFile*>(data)->write(buffer, wanted) == wanted ? size_t(wanted) : 0;
}

// One libcurl transfer with the options every transfer shares: address, error text, limits,
// credentials, progress and cancel. libcurl copies the texts it is given.
class Session {
  public:
    Session(const QString& address, const QString& user, const QString& password,
            const TransferLimits& limits, const TBTransfer::Progress& progress,
            const TBTransfer::Cancel& cancel)
        : curl_(CurlLibrary::get(&problem_)),
          handle_(startEasyHandle(curl_)),
          state_{&progress, &cancel} {
        if (!handle_) {
            return;
        }
        set(CURLOPT_URL, address.toUtf8().constData());
        set(CURLOPT_ERRORBUFFER, detail_);
        set(CURLOPT_FAILONERROR, 1L);
        set(CURLOPT_NOSIGNAL, 1L);
        set(CURLOPT_CONNECTTIMEOUT, long(limits.connectSeconds));
        set(CURLOPT_LOW_SPEED_LIMIT, long(limits.lowSpeedBytes));
        set(CURLOPT_LOW_SPEED_TIME, long(limits.lowSpeedSeconds));
        set(CURLOPT_TIMEOUT, long(limits.overallSeconds));
        set(CURLOPT_PROTOCOLS_STR, "http,https,ftp,ftps,sftp,file");
        set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https,ftp,ftps");
        if (!user.isEmpty()) {
            set(CURLOPT_USERNAME, user.toUtf8().constData());
            set(CURLOPT_PASSWORD, password.toUtf8().constData());
        }
        if (progress || cancel) {
            set(CURLOPT_NOPROGRESS, 0L);
            set(CURLOPT_XFERINFOFUNCTION, reportProgress);
            set(CURLOPT_XFERINFODATA, &state_);
        }
    }

    // Sets an option of the transfer (nothing when the transfer could not start).
    template <class Value>
    void set(CURLoption option, Value value) {
        if (handle_) {
            curl_->setopt(handle_.get(), option, value);
        }
    }
    bool cancelled() const { return state_.cancelled; }
    long responseCode() const {
        long status = 0;
        if (handle_) {
            curl_->getinfo(handle_.get(), CURLINFO_RESPONSE_CODE, &status);
        }
        return status;
    }

    // Runs the transfer; empty on success, else why it failed.
    QString perform() {
        if (!handle_) {
            return problem_.isEmpty() ? QStringLiteral("the transfer library could not start")
                                      : problem_;
        }
        const CURLcode code = curl_->perform(handle_.get());
        if (code == CURLE_OK) {
            return {};
        }
        if (state_.cancelled) {
            return QStringLiteral("the transfer was cancelled");
        }
        const QString text = QString::fromUtf8(detail_).trimmed();
        return text.isEmpty() ? QString::fromUtf8(curl_->strerror(code)) : text;
    }

  private:
    QString problem_;  // why libcurl could not be loaded
    const CurlLibrary* curl_;
    EasyHandle handle_;
    char detail_[CURL_ERROR_SIZE] = {};
    ProgressState state_;
};

}  // namespace

TBTransfer::TBTransfer() = default;

void TBTransfer::setCredentials(const QString& user, const QString& password) {
    user_ = user;
    password_ = password;
}

void TBTransfer::setProgress(Progress progress) {
    progress_ = std::move(progress);
}

void TBTransfer::setCancel(Cancel cancel) {
    cancel_ = std::move(cancel);
}

void TBTransfer::setLimits(const TransferLimits& limits) {
    limits_ = limits;
}

QString TBTransfer::addressFor(const QString& address, const QString& fileName) {
    if (!address.endsWith(u'/')) {
        return address;
    }
    return address + QString::fromUtf8(QUrl::toPercentEncoding(fileName));
}

QString TBTransfer::withoutPassword(const QString& address) {
    const QUrl url(address);
    if (!url.isValid() || url.password().isEmpty()) {
        return address;
    }
    return url.toString(QUrl::RemovePassword);
}

TransferResult TBTransfer::upload(const QString& file, const QString& address,
                                  const QString& remoteName) const {
    const QString name = remoteName.isEmpty() ? QFileInfo(file).fileName() : remoteName;
    const QString target = addressFor(address, name);
    const auto failed = [&](const QString& reason) {
        return TransferResult{
            false,
            QStringLiteral("Cannot send %1 to %2: %3").arg(name, withoutPassword(target), reason),
            false};
    };
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly)) {
        return failed(source.errorString());
    }
    Session session(target, user_, password_, limits_, progress_, cancel_);
    session.set(CURLOPT_UPLOAD, 1L);
    session.set(CURLOPT_READFUNCTION, readFromFile);
    session.set(CURLOPT_READDATA, &source);
    session.set(CURLOPT_INFILESIZE_LARGE, curl_off_t(source.size()));
    const QString reason = session.perform();
    if (!reason.isEmpty()) {
        TransferResult result = failed(reason);
        result.cancelled = session.cancelled();
        return result;
    }
    const long status = session.responseCode();
    if (target.startsWith(QStringLiteral("http"), Qt::CaseInsensitive) && status >= 300) {
        return failed(QStringLiteral("the server answered %1").arg(status));
    }
    return {true, {}};
}

TransferResult TBTransfer::download(const QString& address, const QString& file) const {
    const auto failed = [&](const QString& reason) {
        return TransferResult{
            false,
            QStringLiteral("Cannot fetch %1 to %2: %3").arg(withoutPassword(address), file, reason),
            false};
    };
    QSaveFile target(file);
    if (!target.open(QIODevice::WriteOnly)) {
        return failed(target.errorString());
    }
    Session session(address, user_, password_, limits_, progress_, cancel_);
    session.set(CURLOPT_WRITEFUNCTION, writeToFile);
    session.set(CURLOPT_WRITEDATA, &target);
    session.set(CURLOPT_FOLLOWLOCATION, 1L);
    session.set(CURLOPT_MAXREDIRS, long(limits_.maximumRedirects));
    const QString reason = session.perform();
    if (!reason.isEmpty()) {
        target.cancelWriting();
        TransferResult result = failed(reason);
        result.cancelled = session.cancelled();
        return result;
    }
    if (!target.commit()) {
        return failed(target.errorString());
    }
    return {true, {}};
}

}  // namespace vel
