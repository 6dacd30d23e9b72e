#include "support/FakeDevices.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "support/Fakes.h"

namespace fakes {

FakeTimer::FakeTimer(FakeScheduler& scheduler) : scheduler_(scheduler) { scheduler_.timers_.push_back(this); }

FakeTimer::~FakeTimer() {
    auto& v = scheduler_.timers_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

void FakeTimer::start(int intervalMs) {
    interval_ = std::max(0, intervalMs);
    singleShot_ = false;
    active_ = true;
    due_ = scheduler_.now() + std::max(1, interval_);
    order_ = ++scheduler_.starts_;
}

void FakeTimer::startSingleShot(int delayMs) {
    interval_ = std::max(0, delayMs);
    singleShot_ = true;
    active_ = true;
    due_ = scheduler_.now() + interval_;
    order_ = ++scheduler_.starts_;
}

int64_t FakeScheduler::now() const { return clock_.monotonic; }

int FakeScheduler::activeTimers() const {
    return static_cast<int>(std::count_if(timers_.begin(), timers_.end(), [](auto* t) { return t->active_; }));
}

FakeTimer* FakeScheduler::nextDue(int64_t limit) const {
    FakeTimer* best = nullptr;
    for (FakeTimer* t : timers_) {
        if (!t->active_ || t->due_ > limit) continue;
        if (!best || t->due_ < best->due_ || (t->due_ == best->due_ && t->order_ < best->order_)) best = t;
    }
    return best;
}

void FakeScheduler::fire(FakeTimer* t) {
    if (t->due_ > clock_.monotonic) clock_.advanceMs(t->due_ - clock_.monotonic);
    if (t->singleShot_) {
        t->active_ = false;
    } else {
        t->due_ += std::max(1, t->interval_);
        t->order_ = ++starts_;
    }
    // A copy: the handler may stop, restart or destroy its own timer.
    auto handler = t->handler_;
    if (handler) handler();
}

void FakeScheduler::advance(int64_t ms) {
    const int64_t target = clock_.monotonic + std::max<int64_t>(0, ms);
    while (FakeTimer* t = nextDue(target)) fire(t);
    if (target > clock_.monotonic) clock_.advanceMs(target - clock_.monotonic);
}

bool FakeScheduler::fireNext() {
    FakeTimer* t = nextDue(INT64_MAX);
    if (!t) return false;
    fire(t);
    return true;
}

void FakeScheduler::post(std::function<void()> fn) {
    {
        std::lock_guard lock(postMutex_);
        postQueue_.push_back(std::move(fn));
        ++postedCount_;
    }
    posted_.notify_all();
}

int FakeScheduler::runPosted() {
    int ran = 0;
    for (;;) {
        std::function<void()> fn;
        {
            std::lock_guard lock(postMutex_);
            if (postQueue_.empty()) return ran;
            fn = std::move(postQueue_.front());
            postQueue_.pop_front();
        }
        fn();
        ++ran;
    }
}

bool FakeScheduler::runPostedUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        runPosted();
        if (done()) return true;
        std::unique_lock lock(postMutex_);
        if (postQueue_.empty() && !posted_.wait_until(lock, deadline, [&] { return !postQueue_.empty(); })) {
            lock.unlock();
            runPosted();
            return done();
        }
    }
}

int FakeScheduler::postedCount() {
    std::lock_guard lock(postMutex_);
    return postedCount_;
}

bool FakeScheduler::waitForPostedCount(int count, int timeoutMs) {
    std::unique_lock lock(postMutex_);
    return posted_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return postedCount_ >= count; });
}

bool FakeKeyingClock::sleepUntil(int64_t deadlineNs, const std::atomic<bool>& stop) {
    const int sleep = ++sleeps_;
    std::unique_lock lock(mutex_);
    if (!manual_) {
        if (stop.load()) return false;
        const auto late = late_.find(sleep);
        const int64_t wakeAt = deadlineNs + (late == late_.end() ? 0 : late->second);
        if (now_.load() < wakeAt) now_.store(wakeAt);
        return true;
    }
    if (stop.load()) return false;
    sleeping_ = true;
    sleepDeadlineNs_ = deadlineNs;
    sleepStop_ = &stop;
    sleepWakes_ = wakes_;
    cv_.notify_all();
    const auto ends = [&] { return !held(); };
    if (releaseAfterMs_ <= 0) {
        cv_.wait(lock, ends);
    } else if (!cv_.wait_for(lock, std::chrono::milliseconds(releaseAfterMs_), ends)) {
        ++released_;
        manual_ = false;
    }
    sleeping_ = false;
    sleepStop_ = nullptr;
    if (stop.load()) return false;
    if (now_.load() < deadlineNs) now_.store(deadlineNs);
    return true;
}

bool FakeKeyingClock::held() const {
    // As on the real clock, a stop set during the sleep ends it only once wake() follows it.
    return sleeping_ && manual_ && now_.load() < sleepDeadlineNs_ && !(wakes_ != sleepWakes_ && sleepStop_->load());
}

bool FakeKeyingClock::asleep() {
    std::lock_guard lock(mutex_);
    return held();
}

void FakeKeyingClock::wake() {
    {
        std::lock_guard lock(mutex_);
        ++wakes_;
    }
    cv_.notify_all();
}

void FakeKeyingClock::wakeLate(int sleep, int64_t lateNs) {
    std::lock_guard lock(mutex_);
    late_[sleep] = lateNs;
}

void FakeKeyingClock::releaseSleepsAfter(int limitMs) {
    std::lock_guard lock(mutex_);
    releaseAfterMs_ = limitMs;
}

int FakeKeyingClock::sleepsReleased() {
    std::lock_guard lock(mutex_);
    return released_;
}

void FakeKeyingClock::setManual(bool manual) {
    {
        std::lock_guard lock(mutex_);
        manual_ = manual;
    }
    cv_.notify_all();
}

void FakeKeyingClock::advanceNs(int64_t ns) {
    {
        std::lock_guard lock(mutex_);
        now_ += ns;
    }
    cv_.notify_all();
}

bool FakeKeyingClock::waitForSleeper(int timeoutMs) {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return sleeping_; });
}

class FakeKeyLine : public platform::KeyLine {
public:
    FakeKeyLine(FakeKeyLines& lines, std::string name) : lines_(lines), name_(std::move(name)) {}
    ~FakeKeyLine() override { close(); }
    bool set(platform::KeyPin pin, bool down) override {
        std::lock_guard lock(lines_.mutex_);
        auto& d = lines_.devices_[name_];
        if (!open_) return false;
        if (!d.drivesLines) return false;
        if (d.failSetAfter >= 0 && d.sets >= d.failSetAfter) {
            error_ = name_ + " has gone away.";
            return false;
        }
        ++d.sets;
        record(d, pin, down);
        return true;
    }
    void close() override {
        std::lock_guard lock(lines_.mutex_);
        if (!open_) return;
        auto& d = lines_.devices_[name_];
        if (d.drivesLines) {
            record(d, platform::KeyPin::Rts, false);
            record(d, platform::KeyPin::Dtr, false);
            record(d, platform::KeyPin::Control, false);
        }
        d.open = false;
        open_ = false;
    }
    bool isOpen() const override {
        std::lock_guard lock(lines_.mutex_);
        return open_;
    }
    bool drivesLines() const override {
        std::lock_guard lock(lines_.mutex_);
        return lines_.devices_[name_].drivesLines;
    }
    std::string device() const override { return name_; }
    std::string errorText() const override {
        std::lock_guard lock(lines_.mutex_);
        return error_;
    }

private:
    void record(FakeKeyDevice& d, platform::KeyPin pin, bool down) {
        bool& level = pin == platform::KeyPin::Rts ? d.rts : pin == platform::KeyPin::Dtr ? d.dtr : d.control;
        if (level == down) return;
        level = down;
        const char name = pin == platform::KeyPin::Rts ? 'R' : pin == platform::KeyPin::Dtr ? 'D' : 'C';
        d.edges.push_back({lines_.now_(), name, down});
    }
    FakeKeyLines& lines_;
    std::string name_;
    bool open_ = true;
    std::string error_;
};

platform::KeyLineOpening FakeKeyLines::open(const std::string& name) {
    std::lock_guard lock(mutex_);
    openings_.push_back(name);
    auto& d = devices_[name];
    if (d.failOpen) return {nullptr, name + ": No such file or directory"};
    d.open = true;
    ++d.opens;
    return {std::make_unique<FakeKeyLine>(*this, name), {}};
}

platform::KeyLineOpening FakeKeyLines::openSerial(int port) {
    if (port < platform::kFirstComPort || port > platform::kLastComPort)
        return {nullptr, "There is no port " + std::to_string(port) + "."};
    return open("COM" + std::to_string(port));
}

platform::KeyLineOpening FakeKeyLines::openParallel(const platform::ParallelPortRef& where) {
    if (!where.device.empty()) return open(where.device);
    char name[24];
    std::snprintf(name, sizeof name, "LPT&H%X", static_cast<unsigned>(where.baseAddress));
    return open(name);
}

FakeKeyDevice& FakeKeyLines::device(const std::string& name) {
    std::lock_guard lock(mutex_);
    return devices_[name];
}

FakeKeyDevice FakeKeyLines::snapshot(const std::string& name) {
    std::lock_guard lock(mutex_);
    return devices_[name];
}

std::vector<std::string> FakeKeyLines::openings() const {
    std::lock_guard lock(mutex_);
    return openings_;
}

void FakeSerialDevice::receive(const std::string& bytes) {
    incoming += bytes;
    if (readyRead_) {
        auto handler = readyRead_;
        handler();
    }
}

void FakeSerialDevice::unplug(const std::string& why) {
    present = false;
    if (!line_ || !ports_) return;
    FakeSerialLine* line = line_;
    ports_->lost_.push_back({line, line->generation_, why});
    // The device end drops at once: its modem lines fall with it and nothing more is read.
    dtr = rts = false;
    line->detach();
}

FakeSerialLine::~FakeSerialLine() {
    close();
    ports_.forget(this);
}

bool FakeSerialLine::open(int port, const platform::SerialSettings& settings, platform::Handshake handshake) {
    close();
    error_.clear();
    port_ = port;
    if (port < platform::kFirstComPort || port > platform::kLastComPort) {
        error_ = "There is no port " + std::to_string(port) + ".";
        return false;
    }
    auto& dev = ports_.device(port);
    if (dev.failOpen || dev.open || !dev.present) {
        error_ = "Port " + std::to_string(port) + (dev.open ? " is in use." : " cannot be opened.");
        return false;
    }
    device_ = ports_.devices_[port];
    dev.open = true;
    ++dev.opens;
    dev.settings = settings;
    dev.handshake = handshake;
    dev.readyRead_ = readyRead_;
    dev.line_ = this;
    dev.ports_ = &ports_;
    setLine('D', false);
    if (handshake != platform::Handshake::RtsCts && handshake != platform::Handshake::RtsCtsXonXoff)
        setLine('R', false);
    return true;
}

void FakeSerialLine::close() {
    ++generation_;
    if (!isOpen()) return;
    setLine('D', false);
    setLine('R', false);
    detach();
}

void FakeSerialLine::detach() {
    if (!device_) return;
    device_->open = false;
    device_->readyRead_ = nullptr;
    device_->line_ = nullptr;
    device_.reset();
}

bool FakeSerialLine::setLine(char line, bool on) {
    if (!isOpen() || !device_->modemLinesWork) return false;
    const bool rtsOwned = device_->handshake == platform::Handshake::RtsCts ||
                          device_->handshake == platform::Handshake::RtsCtsXonXoff;
    if (line == 'R' && rtsOwned) return false;
    bool& level = line == 'D' ? device_->dtr : device_->rts;
    level = on;
    device_->edges.push_back({ports_.clock_.monotonic, line, on});
    return true;
}

bool FakeSerialLine::write(const std::string& bytes) {
    if (!isOpen()) return false;
    if (device_->failWrite) {
        error_ = "write failed";
        return false;
    }
    device_->written += bytes;
    // Keep the device alive and the handler's view stable even if it closes this line.
    auto dev = device_;
    if (dev->onWrite) dev->onWrite(bytes);
    return true;
}

std::string FakeSerialLine::readAll() {
    if (!isOpen()) return {};
    std::string out;
    out.swap(device_->incoming);
    return out;
}

void FakeSerialLine::setReadyReadHandler(std::function<void()> handler) {
    readyRead_ = std::move(handler);
    if (isOpen()) device_->readyRead_ = readyRead_;
}

std::unique_ptr<platform::SerialLine> FakeSerialPorts::create() {
    ++linesCreated;
    return std::make_unique<FakeSerialLine>(*this);
}

FakeSerialDevice& FakeSerialPorts::device(int port) {
    auto& d = devices_[port];
    if (!d) d = std::make_shared<FakeSerialDevice>();
    return *d;
}

int FakeSerialPorts::deliver() {
    int ran = 0;
    while (!lost_.empty()) {
        const Lost event = lost_.front();
        lost_.pop_front();
        if (event.line->generation_ != event.generation) continue;  // closed or reopened since
        event.line->error_ = event.why;
        ++ran;
        if (auto handler = event.line->lostHandler_) handler();
    }
    return ran;
}

void FakeSerialPorts::forget(FakeSerialLine* line) {
    for (auto it = lost_.begin(); it != lost_.end();) it = it->line == line ? lost_.erase(it) : std::next(it);
}

}  // namespace fakes
