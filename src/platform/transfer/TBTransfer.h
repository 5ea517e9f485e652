#pragma once
// TBTransfer: sends files to a server and fetches files from one, through libcurl, so any address
// libcurl knows will do: "http://", "https://", "ftp://", "ftps://", "sftp://" and "file://".
// HTTP uploads are PUT requests; an HTTP answer of 400 or more is a failure. A fetched file is
// written under a temporary name beside the target and renamed into place, so a failed download
// never leaves a half-written file or spoils an older one. Every call returns a result whose
// message names the address and gives libcurl's own error text.
#include <QString>

#include <functional>

namespace vel {

struct TransferResult {
    bool ok = false;
    QString error;  // "Cannot send FILE to ADDRESS: reason", empty on success
};

class TBTransfer {
  public:
    // Told the share of the transfer done, 0 to 100, whenever it changes.
    using Progress = std::function<void(int percent)>;

    TBTransfer();

    // The user name and password for the server; not part of any message.
    void setCredentials(const QString& user, const QString& password);
    void setProgress(Progress progress);
    // How long to wait for the server to answer the connection (default 30 seconds).
    void setConnectTimeout(int seconds);

    // Sends the file to the address; an address ending in "/" receives it under the remote name
    // (the file's own name when that is empty).
    TransferResult upload(const QString& file, const QString& address,
                          const QString& remoteName = {}) const;
    // Fetches the address into the file, replacing it only when the whole file has arrived.
    TransferResult download(const QString& address, const QString& file) const;

    // The address with the file name appended when it ends in "/", as a folder on the server.
    static QString addressFor(const QString& address, const QString& fileName);

  private:
    QString user_;
    QString password_;
    Progress progress_;
    int connectTimeout_ = 30;
};

}  // namespace vel
