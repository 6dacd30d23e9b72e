#include "platform/qt/QtSerialLine.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>

#include "platform/Platform.h"
#include "platform/qt/Text.h"

namespace platform::qt {

namespace {
QSerialPort::Parity qtParity(Parity p) {
    switch (p) {
        case Parity::Even: return QSerialPort::EvenParity;
        case Parity::Odd: return QSerialPort::OddParity;
        case Parity::Mark: return QSerialPort::MarkParity;
        case Parity::Space: return QSerialPort::SpaceParity;
        case Parity::None: break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::FlowControl qtFlow(Handshake h) {
    switch (h) {
        case Handshake::XonXoff: return QSerialPort::SoftwareControl;
        // Qt offers one flow control at a time; RTS/CTS is the one that protects the data,
        // XON/XOFF characters would also be taken out of the received text.
        case Handshake::RtsCts:
        case Handshake::RtsCtsXonXoff: return QSerialPort::HardwareControl;
        case Handshake::None: break;
    }
    return QSerialPort::NoFlowControl;
}

// The errors that can mean the device is no longer there. Timeouts (a read that found nothing),
// modem lines a device does not have and "not open" say nothing about the device.
bool MayMeanGone(QSerialPort::SerialPortError e) {
    switch (e) {
        case QSerialPort::DeviceNotFoundError:
        case QSerialPort::PermissionError:
        case QSerialPort::ResourceError:
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
        case QSerialPort::UnknownError: return true;
        default: return false;
    }
}

// A device that fails this often with no byte moved in between is given up even when poll()
// does not report a hang-up: Qt would otherwise retry it as fast as the event loop turns.
constexpr int kFailuresBeforeGone = 64;
}  // namespace

QtSerialLine::QtSerialLine(const Environment& environment) : environment_(environment) {
    QObject::connect(&port_, &QSerialPort::readyRead, &context_, [this] {
        failuresInARow_ = 0;
        if (readyRead_ && !lost_) readyRead_();
    });
    QObject::connect(&port_, &QSerialPort::bytesWritten, &context_, [this] { failuresInARow_ = 0; });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &context_,
                     [this](QSerialPort::SerialPortError e) { onError(e); });
}

QtSerialLine::~QtSerialLine() { close(); }

bool QtSerialLine::deviceGone() const {
    pollfd p{port_.handle(), POLLIN | POLLOUT, 0};
    return ::poll(&p, 1, 0) == 1 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

void QtSerialLine::onError(QSerialPort::SerialPortError e) {
    // Errors while opening are open()'s to report; after a loss or a close nothing is left to do.
    if (inOpen_ || lost_ || !port_.isOpen() || !MayMeanGone(e)) return;
    const bool hungUp = deviceGone();
    if (!hungUp && ++failuresInARow_ < kFailuresBeforeGone) return;
    lost_ = true;
    // The text of a hang-up's error is often left over from an earlier call ("Resource
    // temporarily unavailable"): say what poll() found instead.
    error_ = device_ + ": " + (hungUp ? std::string("the device has gone") : fromQ(port_.errorString()));
    // Told from the event loop, never from inside the call that met the error (a write, a
    // read); the port is closed there too, which ends Qt's retries of the queued bytes.
    const uint64_t generation = generation_;
    QMetaObject::invokeMethod(
        &context_,
        [this, generation] {
            if (generation != generation_ || !lost_) return;
            ++generation_;
            port_.close();  // lost_ stays set: isOpen() is false until the next open
            // A copy: the handler may replace it or destroy this line.
            if (auto handler = lostHandler_) handler();
        },
        Qt::QueuedConnection);
}

void QtSerialLine::fail(const std::string& what) {
    error_ = what;
    if (port_.isOpen()) port_.close();
}

bool QtSerialLine::open(int port, const SerialSettings& settings, Handshake handshake) {
    close();
    error_.clear();
    portNumber_ = port;
    device_ = comPortDevice(environment_, port);
    if (device_.empty()) {
        error_ = "There is no port " + std::to_string(port) + ".";
        return false;
    }
    port_.setPortName(pathToQ(device_));
    // What goes wrong while opening is reported by the result, not as a lost device.
    inOpen_ = true;
    bool ok = port_.open(QIODevice::ReadWrite);
    if (ok) {
        ok = port_.setBaudRate(settings.baud) &&
             port_.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits)) &&
             port_.setParity(qtParity(settings.parity)) &&
             port_.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
             port_.setFlowControl(qtFlow(handshake));
        // The device raises DTR and RTS as it opens; clear them at once so nothing stays keyed.
        port_.setDataTerminalReady(false);
        if (port_.flowControl() != QSerialPort::HardwareControl) port_.setRequestToSend(false);
    }
    inOpen_ = false;
    if (!ok) {
        fail(device_ + ": " + fromQ(port_.errorString()));
        return false;
    }
    port_.clearError();
    return true;
}

void QtSerialLine::close() {
    if (port_.isOpen()) {
        // Bytes written last (a goodbye to the device) go out before the port closes; Qt drops
        // what it still holds otherwise. Nothing more reaches a device that has gone.
        if (!lost_) {
            port_.flush();
            port_.setDataTerminalReady(false);
            if (port_.flowControl() != QSerialPort::HardwareControl) port_.setRequestToSend(false);
        }
        port_.close();
    }
    lost_ = false;
    failuresInARow_ = 0;
    // A lost event still waiting belongs to what was just closed.
    ++generation_;
}

bool QtSerialLine::setDtr(bool on) {
    if (!isOpen()) return false;
    if (!port_.setDataTerminalReady(on)) {
        error_ = fromQ(port_.errorString());
        port_.clearError();
        return false;
    }
    return true;
}

bool QtSerialLine::setRts(bool on) {
    if (!isOpen() || port_.flowControl() == QSerialPort::HardwareControl) return false;
    if (!port_.setRequestToSend(on)) {
        error_ = fromQ(port_.errorString());
        port_.clearError();
        return false;
    }
    return true;
}

bool QtSerialLine::write(const std::string& bytes) {
    if (!isOpen()) return false;
    if (bytes.empty()) return true;
    const qint64 n = port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (n != static_cast<qint64>(bytes.size())) {
        error_ = fromQ(port_.errorString());
        return false;
    }
    return true;
}

std::string QtSerialLine::readAll() {
    if (!isOpen()) return {};
    // Take what the driver holds now as well as what the event loop has already read, so a
    // poll that runs from a timer sees everything that has arrived.
    port_.waitForReadyRead(0);
    const QByteArray data = port_.readAll();
    return std::string(data.constData(), static_cast<size_t>(data.size()));
}

int64_t QtSerialLine::bytesToWrite() const {
    if (!isOpen()) return 0;
    int64_t pending = port_.bytesToWrite();
    int queued = 0;
    // What the driver still holds counts too: a rig command is out only when the line is idle.
    if (::ioctl(port_.handle(), TIOCOUTQ, &queued) == 0 && queued > 0) pending += queued;
    return pending;
}

}  // namespace platform::qt
