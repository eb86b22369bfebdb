#pragma once
// One romset scan over the games of tavrix.ini: each game verified by verifyGame against the
// romset directory, on a small pool of worker threads, and the results handed back in the
// list's order to the one thread that applies them (the window's GUI thread, the audit's main
// thread). The window's scan and the command-line audit both run it, so they decide the same
// statuses and write the same bytes.
//
// Archive listings are shared between the games of one pass (a BIOS or parent archive is read
// once); each archive's stamp is taken when it is first read, so a pass sees the romset
// directory as it was when the pass met each archive, and the next pass starts afresh.
#include "core/game_database.h"
#include "core/game_verification.h"
#include "core/ini_document.h"

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tavrix {

// The romset directory named by the settings: roms-directory, default ".\roms", as typed
// (Windows separators), relative to the working directory that holds tavrix.ini.
std::string romsetDirectoryOf(const IniDocument& document);

// The games a scan covers: the database's run of games, and game 1 even in an empty database
// (the game list always holds it).
int scannedGameCount(const IniDocument& document);

// What the games of one scan share: the database as it was when the scan began (only read; it
// must outlive the pass), the romset directory, the archive listings and the name look-ups.
// Every operation may be used from several threads at once.
class RomsetScanPass {
public:
    RomsetScanPass(const IniDocument& document, std::string romsetDirectory);

    // Verifies game `number`; `reader` (one per thread) then holds the game's record.
    GameVerification verify(int number, GameReader& reader);

    const IniDocument& document() const { return document_; }
    const std::string& romsetDirectory() const { return romsetDirectory_; }
    std::size_t archivesRead() const { return lister_.readCount(); }
    // The pass's name look-ups, shared with whatever else the pass looks for (snapshots).
    PathResolver& paths() { return lister_.paths(); }

private:
    const IniDocument& document_;
    std::string romsetDirectory_;
    CachingArchiveLister lister_{CachingArchiveLister::StampCheck::once};
};

// One game's result as the workers hand it over.
struct ScannedGame {
    int number = 0;
    GameVerification verification;
};

// Verifies the games `numbers` of a pass on a few worker threads and hands the results over in
// that order to the thread that takes them. The workers run at most kLookAhead games ahead of
// the taker, so memory stays bounded however long the taker waits (an error box held open).
//
// Several threads help even on a machine with fewer cores: while one waits for the disk (a
// cold cache, a USB disk, a network share), the others read. With no threads at all, each game
// is verified on the taker's thread when it is taken.
class RomsetScanWorkers {
public:
    static constexpr std::size_t kDefaultThreads = 4;
    static constexpr std::size_t kLookAhead = 512;
    // Results handed over at once to a taker that blocks, when that many are ready.
    static constexpr std::size_t kBatch = 32;

    struct Options {
        std::size_t threads = kDefaultThreads;
        // Called from a worker thread when the result the taker waits for is ready (see
        // takeReady); it must be safe to call from any thread.
        std::function<void()> wakeUp;
        // Called on the thread that verified a game, right after, with its position, record
        // and result: for work that may be done in any order and at once (a report's lines),
        // each call touching only what belongs to its position.
        std::function<void(std::size_t position, const GameRecord& game, const GameVerification& verification)> verified;
    };

    RomsetScanWorkers(RomsetScanPass& pass, std::vector<int> numbers, Options options);
    RomsetScanWorkers(const RomsetScanWorkers&) = delete;
    RomsetScanWorkers& operator=(const RomsetScanWorkers&) = delete;
    ~RomsetScanWorkers();

    std::size_t size() const { return numbers_.size(); }
    // Results taken so far; the next one taken is the game at this position.
    std::size_t taken() const { return taken_; }

    // The next result in order when it is ready. When it is not, the wake-up is called as soon
    // as it is (a window that waits in its own loop hears of it at once). What a worker threw
    // for that game is thrown here instead.
    std::optional<ScannedGame> takeReady();
    // Blocks until the next result is ready and a run of results after it, or no more are on
    // their way: a taker woken for each result would cost a switch of threads per game.
    void waitForNext();
    // The next result in order, once it is ready; throws as takeReady.
    ScannedGame takeNext();

    // Starts no further game and waits for the games in progress; results not taken are
    // dropped. The destructor stops too.
    void stop();

private:
    struct Slot {
        bool ready = false;
        ScannedGame result;
        std::exception_ptr failure;
    };
    void work();
    Slot verify(std::size_t position, GameReader& reader);
    // With mutex_ held.
    bool batchReady() const;
    bool takerWoken() const;
    void awaitBatch(std::unique_lock<std::mutex>& lock);
    ScannedGame take(std::unique_lock<std::mutex>& lock);  // unlocks

    RomsetScanPass& pass_;
    const std::vector<int> numbers_;
    const Options options_;

    std::mutex mutex_;
    std::condition_variable resultReady_;  // the taker waits here
    std::condition_variable spaceFreed_;   // workers wait here for the taker
    std::vector<Slot> slots_;              // position % slots_.size()
    std::size_t next_ = 0;                 // the next position a worker takes up
    std::size_t taken_ = 0;
    std::size_t busy_ = 0;                 // workers verifying a game now
    enum class Taker { busy, awaitsResult, awaitsRun };
    Taker taker_ = Taker::busy;            // what the taker waits for
    bool stopped_ = false;
    std::vector<std::thread> threads_;
    GameReader takerReader_;  // without threads
};

}  // namespace tavrix
