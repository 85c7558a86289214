// Work split over the processor's cores: the loaders and savers of the large
// data files read and format their records in parts side by side.
#pragma once
#include <QtGlobal>

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

namespace parallel {

// Test seam: while above 0, partsFor gives this many parts whatever the
// size of the work and the cores.
inline int forcedParts = 0;

// How many parts `bytes` of work are cut into: one per core, at most eight,
// and none smaller than `atLeast` bytes (small files stay in one part).
inline int partsFor(qint64 bytes, qint64 atLeast = qint64(1) << 20) {
    if (forcedParts > 0) return forcedParts;
    const qint64 cores = std::max(1u, std::thread::hardware_concurrency());
    return int(std::clamp<qint64>(std::min<qint64>(cores, bytes / std::max<qint64>(atLeast, 1)), 1, 8));
}

// Runs work(i) for every i in [0, parts): the first part on the calling
// thread, the others on threads of their own, and returns when all ended.
// A part whose thread cannot be started runs on the calling thread. `work`
// must not throw.
template <class Work>
void run(int parts, const Work& work) {
    std::vector<std::thread> threads;
    std::vector<int> inline_;
    for (int i = 1; i < parts; ++i) {
        try {
            threads.emplace_back([&work, i] { work(i); });
        } catch (const std::system_error&) {
            inline_.push_back(i);
        }
    }
    work(0);
    for (int i : inline_) work(i);
    for (std::thread& t : threads) t.join();
}

}  // namespace parallel
