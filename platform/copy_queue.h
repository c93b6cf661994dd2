#pragma once
// File copies that run ahead on worker threads while the caller takes their
// outcomes one by one, in the order it asked for them. Small files copy
// several at a time this way; the caller still sees each copy as one step
// that succeeds or raises its error. Copies that touch a file an earlier
// unfinished copy writes (or reads, for a target) wait for all earlier ones,
// so the later copy wins as it would one after the other.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace rt {

class CopyQueue {
public:
    explicit CopyQueue(unsigned workers);
    ~CopyQueue();  // lets running copies end; copies not yet begun are dropped
    CopyQueue(const CopyQueue&) = delete;
    CopyQueue& operator=(const CopyQueue&) = delete;

    // Starts a copy as COPYFILE makes it. Tickets count from 0.
    std::size_t submit(const std::wstring& source, const std::wstring& target);
    // Takes the place of a copy that must not be made: it fails when its
    // turn comes, as a copy refused by Windows would.
    std::size_t refuse(const std::wstring& source);
    // Waits for the oldest copy not yet finished (keeping the window painted)
    // and raises its error, if any, as COPYFILE would.
    void finishNext();

private:
    struct Copy {
        std::wstring source, target, sourceKey, targetKey;
        bool afterAllEarlier = false;
        bool done = false;
        unsigned long error = 0;
    };
    void work();
    // With the lock held:
    void release(const Copy& copy);
    void advanceDoneMark();
    bool conflicts(const std::wstring& sourceKey, const std::wstring& targetKey) const;

    std::mutex mutex_;
    std::condition_variable workAvailable_;  // for idle workers
    std::condition_variable copyDone_;       // for the caller and waiting copies
    std::deque<Copy> copies_;   // from ticket first_ on, not yet finished by the caller
    std::size_t first_ = 0;     // ticket of copies_.front()
    std::size_t nextToRun_ = 0;
    std::size_t allDoneBelow_ = 0;  // every copy with a smaller ticket is done
    std::unordered_map<std::wstring, int> busySources_, busyTargets_;
    int waiting_ = 0;  // the caller and copies waiting for others to end
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace rt
