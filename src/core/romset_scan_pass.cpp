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
        ++busy_;
        lock.unlock();
        Slot slot = verify(position, reader);
        lock.lock();
        slots_[position % slots_.size()] = std::move(slot);
        --busy_;
        if (!takerWoken()) continue;
        taker_ = Taker::busy;
        resultReady_.notify_one();
        if (options_.wakeUp) {
            lock.unlock();
            options_.wakeUp();
            lock.lock();
        }
    }
}

bool RomsetScanWorkers::takerWoken() const {
    switch (taker_) {
    case Taker::busy: return false;
    case Taker::awaitsResult: return slots_[taken_ % slots_.size()].ready;
    case Taker::awaitsRun: return batchReady();
    }
    return false;
}

bool RomsetScanWorkers::batchReady() const {
    // Waking the taker for each result would cost a switch of threads per game; it is woken
    // once a run of results is ready from the one it waits for, or when no more are on their
    // way (the workers idle, the games at their end).
    const std::size_t limit = std::min({kBatch, slots_.size(), numbers_.size() - taken_});
    std::size_t run = 0;
    while (run < limit && slots_[(taken_ + run) % slots_.size()].ready) ++run;
    return run > 0 && (run == limit || busy_ == 0);
}

void RomsetScanWorkers::awaitBatch(std::unique_lock<std::mutex>& lock) {
    if (slots_[taken_ % slots_.size()].ready) return;
    // A worker lets the taker go once, so the taker asks again each time it still has to wait
    // (a batch seen ready by a worker can be unready again when another worker starts a game).
    while (!batchReady()) {
        taker_ = Taker::awaitsRun;
        resultReady_.wait(lock);
    }
    taker_ = Taker::busy;
}

std::optional<ScannedGame> RomsetScanWorkers::takeReady() {
    if (threads_.empty()) return takeNext();
    std::unique_lock lock(mutex_);
    if (!slots_[taken_ % slots_.size()].ready) {
        taker_ = Taker::awaitsResult;
        return std::nullopt;
    }
    return take(lock);
}

void RomsetScanWorkers::waitForNext() {
    if (threads_.empty()) return;
    std::unique_lock lock(mutex_);
    awaitBatch(lock);
}

ScannedGame RomsetScanWorkers::takeNext() {
    if (threads_.empty()) {
        Slot slot = verify(taken_++, takerReader_);
        if (slot.failure) std::rethrow_exception(slot.failure);
        return std::move(slot.result);
    }
    std::unique_lock lock(mutex_);
    awaitBatch(lock);
    return take(lock);
}

ScannedGame RomsetScanWorkers::take(std::unique_lock<std::mutex>& lock) {
    Slot& next = slots_[taken_ % slots_.size()];
    Slot slot = std::move(next);
    next = Slot{};
    ++taken_;
    // Workers waiting for room are let go a run at a time, as the taker is.
    const bool room = taken_ + slots_.size() - next_ >= std::min(kBatch, slots_.size());
    lock.unlock();
    if (room) spaceFreed_.notify_all();
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
