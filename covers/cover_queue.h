// The cover engine's pending work and finished results, shared between the
// window thread and the workers. Platform-free.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "covers/cover_job.h"

// Jobs by priority (CoverWork order; Visible by `order`, the rest first come
// first served). A job for a key and work already pending replaces it (a
// Visible one takes the new order); one already running is not queued
// again, since its answer is on its way, unless it sets a cover: that
// picture is newer than the one being written. Thread-safe.
class CoverQueue {
  public:
    // Queues the job (unless the same runs); false once the queue is closed.
    bool push(CoverJob job);
    // The most urgent job, waiting while none is pending; none once closed.
    // The job counts as running until done() is called for it.
    std::optional<CoverJob> pop();
    // The same without waiting: none when nothing is pending.
    std::optional<CoverJob> tryPop();
    // A job taken by pop has ended (its result is handed on); `decoded`
    // when its worker had called decoding() for it.
    void done(const CoverJob& job, bool decoded = false);
    // The worker is about to read and decode a source: its answer is a
    // while away. waitUrgent stops waiting once all `workers` are so busy.
    void decoding();
    void setWorkers(int workers);

    // Drops every pending job of that work.
    void drop(CoverWork work);
    // Visible passes: the jobs pushed between beginPass and endPass are the
    // visible covers of one full paint; endPass drops every pending Visible
    // job not pushed during the pass (albums scrolled away).
    void beginPass();
    void endPass();

    // Waits until no Contents or Visible job is pending or running, or
    // every worker decodes, at most `limit`; true when waiting longer
    // would not bring an answer sooner.
    bool waitUrgent(std::chrono::milliseconds limit);

    // Ends the queue: pending jobs are dropped, every pop returns none, and
    // later pushes are refused.
    void close();
    bool closed() const;

    std::size_t pending(CoverWork work) const;
    std::size_t running() const;

  private:
    // Most urgent first: Visible jobs by (order, arrival), the others by
    // arrival alone (order 0).
    using Rank = std::pair<int, uint64_t>;
    struct Entry {
        CoverJob job;
        uint64_t pass;  // the Visible pass that last pushed it
    };
    // The pending jobs of one work, ranked, and found by key so that a push
    // costs no scan: "Prepare All Covers" queues the whole library.
    struct Lane {
        using Ranked = std::map<Rank, Entry>;
        Ranked byRank;
        std::unordered_map<CoverKey, Ranked::iterator, CoverKeyHash> byKey;
        // The keys of the jobs taken and not yet done, each with its count.
        std::unordered_map<CoverKey, int, CoverKeyHash> running;
        Ranked::iterator erase(Ranked::iterator it);
        void clear();
    };
    std::optional<CoverJob> takeLocked();
    bool answerDueLocked() const;
    // Wakes waitUrgent when no answer is due.
    void settleLocked();

    mutable std::mutex mutex_;
    std::condition_variable ready_;    // a job came, or the queue closed
    std::condition_variable settled_;  // urgent work ran out
    Lane pending_[kCoverWorkKinds];
    uint64_t sequence_ = 0;
    uint64_t pass_ = 0;
    int workers_ = 0;
    int decoding_ = 0;
    bool inPass_ = false;
    bool closed_ = false;
};

// Finished results on their way to the window thread. Thread-safe.
class CoverResults {
  public:
    // Adds a result; true when the inbox was empty, so that exactly one
    // wake-up is sent for each batch.
    bool add(CoverResult result);
    // Everything waiting, oldest first; the inbox is empty afterwards.
    std::vector<CoverResult> takeAll();
    void clear();

  private:
    std::mutex mutex_;
    std::vector<CoverResult> results_;
};
