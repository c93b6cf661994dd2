#include "platform/copy_queue.h"

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/idle.h"
#include "platform/text.h"
#include "platform/win.h"

#include <chrono>

namespace rt {

namespace {
constexpr auto kPaintInterval = std::chrono::milliseconds(50);

void Count(std::unordered_map<std::wstring, int>& busy, const std::wstring& key, int change) {
    if ((busy[key] += change) == 0) busy.erase(key);
}
}  // namespace

CopyQueue::CopyQueue(unsigned workers) {
    for (unsigned i = 0; i < workers; ++i) workers_.emplace_back(&CopyQueue::work, this);
}

CopyQueue::~CopyQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    workAvailable_.notify_all();
    copyDone_.notify_all();
    for (auto& worker : workers_) worker.join();
}

bool CopyQueue::conflicts(const std::wstring& sourceKey, const std::wstring& targetKey) const {
    return busyTargets_.count(targetKey) || busySources_.count(targetKey) || busyTargets_.count(sourceKey);
}

std::size_t CopyQueue::submit(const std::wstring& source, const std::wstring& target) {
    Copy copy{source, target, PathKey(source), PathKey(target)};
    std::size_t ticket = 0;
    {
        std::lock_guard lock(mutex_);
        copy.afterAllEarlier = conflicts(copy.sourceKey, copy.targetKey);
        Count(busySources_, copy.sourceKey, +1);
        Count(busyTargets_, copy.targetKey, +1);
        copies_.push_back(std::move(copy));
        ticket = first_ + copies_.size() - 1;
    }
    workAvailable_.notify_one();
    return ticket;
}

std::size_t CopyQueue::refuse(const std::wstring& source) {
    Copy copy{source, {}, {}, {}};
    copy.done = true;
    copy.error = ERROR_ACCESS_DENIED;
    std::lock_guard lock(mutex_);
    copies_.push_back(std::move(copy));
    advanceDoneMark();
    return first_ + copies_.size() - 1;
}

void CopyQueue::release(const Copy& copy) {
    Count(busySources_, copy.sourceKey, -1);
    Count(busyTargets_, copy.targetKey, -1);
    advanceDoneMark();
}

void CopyQueue::advanceDoneMark() {
    while (allDoneBelow_ < first_ + copies_.size() &&
           (allDoneBelow_ < first_ || copies_[allDoneBelow_ - first_].done))
        ++allDoneBelow_;
}

void CopyQueue::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        workAvailable_.wait(lock, [&] { return stopping_ || nextToRun_ < first_ + copies_.size(); });
        if (stopping_) return;
        const std::size_t ticket = nextToRun_++;
        Copy& copy = copies_[ticket - first_];  // stays in place until the caller has finished it
        if (copy.done) continue;  // refused
        if (copy.afterAllEarlier) {
            ++waiting_;
            copyDone_.wait(lock, [&] { return stopping_ || allDoneBelow_ >= ticket; });
            --waiting_;
            if (stopping_) return;
        }
        lock.unlock();
        const unsigned long error = TryCopyFile(copy.source, copy.target);
        lock.lock();
        copy.error = error;
        copy.done = true;
        release(copy);
        if (waiting_ > 0) copyDone_.notify_all();
    }
}

void CopyQueue::finishNext() {
    std::unique_lock lock(mutex_);
    while (!copies_.front().done) {
        ++waiting_;
        const bool done = copyDone_.wait_for(lock, kPaintInterval, [&] { return copies_.front().done; });
        --waiting_;
        if (done) break;
        lock.unlock();
        Idle();
        lock.lock();
    }
    const Error error{L"Datei kopieren", copies_.front().source, copies_.front().error};
    copies_.pop_front();
    ++first_;
    if (nextToRun_ < first_) nextToRun_ = first_;  // a refused copy no worker took
    lock.unlock();
    if (error.osCode != 0) RaiseError(error);
}

}  // namespace rt
