#include "covers/cover_queue.h"

#include <cassert>
#include <iterator>

namespace {

std::size_t indexOf(CoverWork work) {
    return static_cast<std::size_t>(work);
}

}  // namespace

CoverQueue::Lane::Ranked::iterator CoverQueue::Lane::erase(Ranked::iterator it) {
    byKey.erase(it->second.job.key);
    return byRank.erase(it);
}

void CoverQueue::Lane::clear() {
    byRank.clear();
    byKey.clear();
}

bool CoverQueue::push(CoverJob job) {
    std::lock_guard lock(mutex_);
    if (closed_) return false;
    Lane& lane = pending_[indexOf(job.work)];
    // Only the latest Contents picture is wanted: the view shows one album.
    if (job.work == CoverWork::Contents) lane.clear();
    // Each picture the user sets is written, even while one runs.
    if (job.work != CoverWork::Set && lane.running.count(job.key)) return true;
    const int order = job.work == CoverWork::Visible ? job.order : 0;
    const auto found = lane.byKey.find(job.key);
    if (found == lane.byKey.end()) {
        const auto it =
            lane.byRank.emplace(Rank{order, sequence_++}, Entry{std::move(job), pass_}).first;
        lane.byKey.emplace(it->second.job.key, it);
    } else {
        // In place: the arrival stays, a Visible job moves to its new order.
        auto node = lane.byRank.extract(found->second);
        node.key().first = order;
        if (inPass_) node.mapped().pass = pass_;
        node.mapped().job = std::move(job);
        found->second = lane.byRank.insert(std::move(node)).position;
    }
    ready_.notify_one();
    return true;
}

std::optional<CoverJob> CoverQueue::pop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (auto job = takeLocked()) return job;
        if (closed_) return std::nullopt;
        ready_.wait(lock);
    }
}

std::optional<CoverJob> CoverQueue::tryPop() {
    std::lock_guard lock(mutex_);
    return takeLocked();
}

std::optional<CoverJob> CoverQueue::takeLocked() {
    for (std::size_t work = 0; work < kCoverWorkKinds; ++work) {
        Lane& lane = pending_[work];
        if (lane.byRank.empty()) continue;
        auto node = lane.byRank.extract(lane.byRank.begin());
        lane.byKey.erase(node.mapped().job.key);
        ++lane.running[node.mapped().job.key];
        return std::move(node.mapped().job);
    }
    return std::nullopt;
}

void CoverQueue::done(const CoverJob& job, bool decoded) {
    std::lock_guard lock(mutex_);
    if (decoded && decoding_ > 0) --decoding_;
    auto& running = pending_[indexOf(job.work)].running;
    const auto found = running.find(job.key);
    assert(found != running.end() && "done() without a pop");
    if (found != running.end() && --found->second == 0) running.erase(found);
    settleLocked();
}

void CoverQueue::drop(CoverWork work) {
    std::lock_guard lock(mutex_);
    pending_[indexOf(work)].clear();
    settleLocked();
}

void CoverQueue::beginPass() {
    std::lock_guard lock(mutex_);
    ++pass_;
    inPass_ = true;
}

void CoverQueue::endPass() {
    std::lock_guard lock(mutex_);
    Lane& lane = pending_[indexOf(CoverWork::Visible)];
    for (auto it = lane.byRank.begin(); it != lane.byRank.end();) {
        it = it->second.pass < pass_ ? lane.erase(it) : std::next(it);
    }
    inPass_ = false;
    settleLocked();
}

void CoverQueue::decoding() {
    std::lock_guard lock(mutex_);
    ++decoding_;
    settleLocked();
}

void CoverQueue::setWorkers(int workers) {
    std::lock_guard lock(mutex_);
    workers_ = workers;
}

bool CoverQueue::waitUrgent(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return settled_.wait_for(lock, limit, [this] { return !answerDueLocked(); });
}

// Whether an answer for the Contents picture or a visible cover may come
// soon: none once every worker is busy decoding.
bool CoverQueue::answerDueLocked() const {
    if (workers_ > 0 && decoding_ >= workers_) return false;
    for (CoverWork work : {CoverWork::Contents, CoverWork::Visible}) {
        const Lane& lane = pending_[indexOf(work)];
        if (!lane.byRank.empty() || !lane.running.empty()) return true;
    }
    return false;
}

void CoverQueue::settleLocked() {
    if (!answerDueLocked()) settled_.notify_all();
}

void CoverQueue::close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    for (Lane& lane : pending_) lane.clear();
    ready_.notify_all();
    settleLocked();
}

bool CoverQueue::closed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

std::size_t CoverQueue::pending(CoverWork work) const {
    std::lock_guard lock(mutex_);
    return pending_[indexOf(work)].byRank.size();
}

std::size_t CoverQueue::running() const {
    std::lock_guard lock(mutex_);
    std::size_t total = 0;
    for (const Lane& lane : pending_)
        for (const auto& key : lane.running) total += static_cast<std::size_t>(key.second);
    return total;
}

bool CoverResults::add(CoverResult result) {
    std::lock_guard lock(mutex_);
    const bool wasEmpty = results_.empty();
    results_.push_back(std::move(result));
    return wasEmpty;
}

std::vector<CoverResult> CoverResults::takeAll() {
    std::lock_guard lock(mutex_);
    return std::exchange(results_, {});
}

void CoverResults::clear() {
    std::lock_guard lock(mutex_);
    results_.clear();
}
