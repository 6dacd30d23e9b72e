#pragma once
// A serial line on QSerialPort. Port numbers map to devices through comPortDevice().

#include <QSerialPort>

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
    bool isOpen() const override { return port_.isOpen(); }
    int port() const override { return portNumber_; }
    bool setDtr(bool on) override;
    bool setRts(bool on) override;
    bool write(const std::string& bytes) override;
    std::string readAll() override;
    int64_t bytesToWrite() const override;
    std::string errorText() const override { return error_; }
    void setReadyReadHandler(std::function<void()> handler) override { readyRead_ = std::move(handler); }

private:
    void fail(const std::string& what);

    const Environment& environment_;
    QSerialPort port_;
    int portNumber_ = 0;
    std::string error_;
    std::function<void()> readyRead_;
};

class QtSerialPorts : public SerialPorts {
public:
    explicit QtSerialPorts(const Environment& environment) : environment_(environment) {}
    std::unique_ptr<SerialLine> create() override { return std::make_unique<QtSerialLine>(environment_); }

private:
    const Environment& environment_;
};

}  // namespace platform::qt
