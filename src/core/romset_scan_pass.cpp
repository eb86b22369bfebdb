#include "core/romset_scan_pass.h"

#include "core/settings.h"

#include <algorithm>
#include <utility>

namespace tavrix {

std::string romsetDirectoryOf(const IniDocument& document) {
    return readSetting(document, settings::romsDirectory);
}

int scannedGameCount(const IniDocument& document) {
    return std::max(1, countGames(document));
}

RomsetScanPass::RomsetScanPass(const IniDocument& document, std::string romsetDirectory)
    : document_(document), romsetDirectory_(std::move(romsetDirectory)) {}

GameVerification RomsetScanPass::verify(int number, GameReader& reader) {
    return verifyGame(reader.read(document_, number), romsetDirectory_, lister_);
}

RomsetScanWorkers::RomsetScanWorkers(RomsetScanPass& pass, std::vector<int> numbers, Options options)
    : pass_(pass), numbers_(std::move(numbers)), options_(std::move(options)) {
    if (options_.threads == 0 || numbers_.empty()) return;
    slots_.resize(std::min(kLookAhead, numbers_.size()));
    const std::size_t threads = std::min(options_.threads, numbers_.size());
    try {
        for (std::size_t i = 0; i < threads; ++i) threads_.emplace_back([this] { work(); });
    } catch (...) {
        stop();
        throw;
    }
}

RomsetScanWorkers::~RomsetScanWorkers() {
    stop();
}

RomsetScanWorkers::Slot RomsetScanWorkers::verify(std::size_t position, GameReader& reader) {
    Slot slot;
    slot.ready = true;
    slot.result.number = numbers_[position];
    try {
        slot.result.verification = pass_.verify(slot.result.number, reader);
        if (options_.verified) options_.verified(position, reader.game(), slot.result.verification);
    } catch (...) {
        slot.failure = std::current_exception();
    }
    return slot;
}

void RomsetScanWorkers::work() {
    GameReader reader;
    std::unique_lock lock(mutex_);
    for (;;) {
        spaceFreed_.wait(lock, [this] {
            return stopped_ || next_ >= numbers_.size() || next_ < taken_ + slots_.size();
        });
        if (stopped_ || next_ >= numbers_.size()) return;
        const std::size_t position = next_++;
        lock.unlock();
        Slot slot = verify(position, reader);
        lock.lock();
        slots_[position % slots_.size()] = std::move(slot);
        if (position != taken_) continue;
        resultReady_.notify_one();
        if (!takerWaiting_) continue;
        takerWaiting_ = false;
        if (options_.wakeUp) {
            lock.unlock();
            options_.wakeUp();
            lock.lock();
        }
    }
}

bool RomsetScanWorkers::nextReady() {
    if (threads_.empty()) return true;
    const std::lock_guard lock(mutex_);
    if (slots_[taken_ % slots_.size()].ready) return true;
    takerWaiting_ = true;
    return false;
}

void RomsetScanWorkers::waitForNext() {
    if (threads_.empty()) return;
    std::unique_lock lock(mutex_);
    const Slot& slot = slots_[taken_ % slots_.size()];
    resultReady_.wait(lock, [&slot] { return slot.ready; });
}

ScannedGame RomsetScanWorkers::takeNext() {
    Slot slot;
    if (threads_.empty()) {
        slot = verify(taken_++, takerReader_);
    } else {
        std::unique_lock lock(mutex_);
        Slot& next = slots_[taken_ % slots_.size()];
        resultReady_.wait(lock, [&next] { return next.ready; });
        slot = std::move(next);
        next = Slot{};
        ++taken_;
        lock.unlock();
        spaceFreed_.notify_one();
    }
    if (slot.failure) std::rethrow_exception(slot.failure);
    return std::move(slot.result);
}

void RomsetScanWorkers::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    spaceFreed_.notify_all();
    for (std::thread& thread : threads_)
        if (thread.joinable()) thread.join();
}

}  // namespace tavrix
