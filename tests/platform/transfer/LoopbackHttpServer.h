#pragma once
// A small HTTP server on 127.0.0.1 for transfer tests, on a thread of its own: it accepts
// connections, reads each request's head and then behaves as told: answers with a fixed
// reply, or stalls (keeps the connection open and never answers). No network beyond this
// machine's loopback is used. The server stops and closes every connection when destroyed.
#include <QByteArray>
#include <QString>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace vel::testing {

class LoopbackHttpServer {
  public:
    enum class Behaviour { Answer, Stall };

    // reply: the bytes sent after a request when answering ("HTTP/1.1 500 ...").
    LoopbackHttpServer(Behaviour behaviour, QByteArray reply = {})
        : behaviour_(behaviour), reply_(std::move(reply)) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t length = sizeof address;
        if (listener_ < 0 ||
            ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(listener_, 16) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return;
        }
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }

    ~LoopbackHttpServer() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        for (int connection : stalled_) {
            ::close(connection);
        }
        if (listener_ >= 0) {
            ::close(listener_);
        }
    }

    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // "http://127.0.0.1:PORT" + path.
    QString address(const QString& path = QStringLiteral("/")) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
    }
    int requests() const { return requests_; }
    bool listening() const { return port_ != 0; }

  private:
    // Waits up to a tenth of a second for the descriptor to become readable.
    bool readable(int descriptor) const {
        pollfd wanted{descriptor, POLLIN, 0};
        return ::poll(&wanted, 1, 100) > 0;
    }

    void serve() {
        while (!stop_) {
            if (!readable(listener_)) {
                continue;
            }
            const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0) {
                continue;
            }
            readHead(connection);
            ++requests_;
            if (behaviour_ == Behaviour::Stall) {
                stalled_.push_back(connection);
                continue;
            }
            for (qsizetype sent = 0; sent < reply_.size();) {
                const ssize_t put = ::send(connection, reply_.constData() + sent,
                                           size_t(reply_.size() - sent), MSG_NOSIGNAL);
                if (put <= 0) {
                    break;
                }
                sent += put;
            }
            ::shutdown(connection, SHUT_WR);
            // Drain what the client still sends (an upload's body) until it closes.
            char buffer[4096];
            while (!stop_ && readable(connection) &&
                   ::recv(connection, buffer, sizeof buffer, 0) > 0) {
            }
            ::close(connection);
        }
    }

    // Reads up to the blank line that ends the request's head.
    void readHead(int connection) const {
        QByteArray head;
        char buffer[1024];
        while (!stop_ && !head.contains("\r\n\r\n") && head.size() < 65536) {
            if (!readable(connection)) {
                continue;
            }
            const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
            if (got <= 0) {
                return;
            }
            head.append(buffer, got);
        }
    }

    Behaviour behaviour_;
    QByteArray reply_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::vector<int> stalled_;  // touched by the server thread only, until it is joined
    std::thread thread_;
};

}  // namespace vel::testing
