#include "platform/qt/QtSerialLine.h"

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
}  // namespace

QtSerialLine::QtSerialLine(const Environment& environment) : environment_(environment) {
    QObject::connect(&port_, &QSerialPort::readyRead, [this] {
        if (readyRead_) readyRead_();
    });
}

QtSerialLine::~QtSerialLine() { close(); }

void QtSerialLine::fail(const std::string& what) {
    error_ = what;
    if (port_.isOpen()) port_.close();
}

bool QtSerialLine::open(int port, const SerialSettings& settings, Handshake handshake) {
    close();
    error_.clear();
    portNumber_ = port;
    const std::string device = comPortDevice(environment_, port);
    if (device.empty()) {
        error_ = "There is no port " + std::to_string(port) + ".";
        return false;
    }
    port_.setPortName(pathToQ(device));
    if (!port_.open(QIODevice::ReadWrite)) {
        fail(device + ": " + fromQ(port_.errorString()));
        return false;
    }
    // The device raises DTR and RTS as it opens; clear them at once so nothing stays keyed.
    const bool ok = port_.setBaudRate(settings.baud) &&
                    port_.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits)) &&
                    port_.setParity(qtParity(settings.parity)) &&
                    port_.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
                    port_.setFlowControl(qtFlow(handshake));
    port_.setDataTerminalReady(false);
    if (port_.flowControl() != QSerialPort::HardwareControl) port_.setRequestToSend(false);
    if (!ok) {
        fail(device + ": " + fromQ(port_.errorString()));
        return false;
    }
    port_.clearError();
    return true;
}

void QtSerialLine::close() {
    if (port_.isOpen()) {
        // Bytes written last (a goodbye to the device) go out before the port closes; Qt drops
        // what it still holds otherwise.
        port_.flush();
        port_.setDataTerminalReady(false);
        if (port_.flowControl() != QSerialPort::HardwareControl) port_.setRequestToSend(false);
        port_.close();
    }
}

bool QtSerialLine::setDtr(bool on) {
    if (!port_.isOpen()) return false;
    if (!port_.setDataTerminalReady(on)) {
        error_ = fromQ(port_.errorString());
        port_.clearError();
        return false;
    }
    return true;
}

bool QtSerialLine::setRts(bool on) {
    if (!port_.isOpen() || port_.flowControl() == QSerialPort::HardwareControl) return false;
    if (!port_.setRequestToSend(on)) {
        error_ = fromQ(port_.errorString());
        port_.clearError();
        return false;
    }
    return true;
}

bool QtSerialLine::write(const std::string& bytes) {
    if (!port_.isOpen()) return false;
    if (bytes.empty()) return true;
    const qint64 n = port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (n != static_cast<qint64>(bytes.size())) {
        error_ = fromQ(port_.errorString());
        return false;
    }
    return true;
}

std::string QtSerialLine::readAll() {
    if (!port_.isOpen()) return {};
    // Take what the driver holds now as well as what the event loop has already read, so a
    // poll that runs from a timer sees everything that has arrived.
    port_.waitForReadyRead(0);
    const QByteArray data = port_.readAll();
    return std::string(data.constData(), static_cast<size_t>(data.size()));
}

int64_t QtSerialLine::bytesToWrite() const {
    if (!port_.isOpen()) return 0;
    int64_t pending = port_.bytesToWrite();
    int queued = 0;
    // What the driver still holds counts too: a rig command is out only when the line is idle.
    if (::ioctl(port_.handle(), TIOCOUTQ, &queued) == 0 && queued > 0) pending += queued;
    return pending;
}

}  // namespace platform::qt
