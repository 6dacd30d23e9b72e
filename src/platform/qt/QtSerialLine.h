#pragma once
// A serial line on QSerialPort. Port numbers map to devices through comPortDevice().

#include <QObject>
#include <QSerialPort>

#include <cstdint>

#include "platform/SerialLine.h"

namespace platform {
class Environment;
}

namespace platform::qt {

class QtSerialLine : public SerialLine {
public:
    explicit QtSerialLine(const Environment& environment);
    ~QtSerialLine() override;
    bool open(int port, const SerialSettings& settings, Handshake handshake) override;
    void close() override;
    // A device found gone counts as closed at once, before its event closes the port.
    bool isOpen() const override { return port_.isOpen() && !lost_; }
    int port() const override { return portNumber_; }
    bool setDtr(bool on) override;
    bool setRts(bool on) override;
    bool write(const std::string& bytes) override;
    std::string readAll() override;
    int64_t bytesToWrite() const override;
    std::string errorText() const override { return error_; }
    void setReadyReadHandler(std::function<void()> handler) override { readyRead_ = std::move(handler); }
    void setLostHandler(std::function<void()> handler) override { lostHandler_ = std::move(handler); }

private:
    // Lets tests raise the port's errors as Qt raises them: on a working pseudo-terminal the
    // passing ones (a read that found nothing after all, a full buffer) cannot be made at will.
    friend struct QtSerialLineErrors;

    void fail(const std::string& what);
    void onError(QSerialPort::SerialPortError error);
    // Whether the device behind the open port has hung up or gone (poll() says so).
    bool deviceGone() const;

    const Environment& environment_;
    QSerialPort port_;
    QObject context_;  // owns the queued delivery of the lost event
    int portNumber_ = 0;
    std::string device_;
    std::string error_;
    std::function<void()> readyRead_;
    std::function<void()> lostHandler_;
    bool lost_ = false;
    bool inOpen_ = false;
    int failuresInARow_ = 0;  // device errors with no byte moved since
    uint64_t generation_ = 0;  // counts closes and opens: a lost event of an older one is dropped
};

class QtSerialPorts : public SerialPorts {
public:
    explicit QtSerialPorts(const Environment& environment) : environment_(environment) {}
    std::unique_ptr<SerialLine> create() override { return std::make_unique<QtSerialLine>(environment_); }

private:
    const Environment& environment_;
};

}  // namespace platform::qt
