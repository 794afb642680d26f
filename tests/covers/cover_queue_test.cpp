// The cover engine's queue: which job the workers take next, what a push
// replaces or drops, and how it ends, with workers on other threads.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "covers/cover_queue.h"

namespace {

using namespace std::chrono_literals;

CoverJob job(CoverWork work, const std::string& folder, int order = 0,
             CoverPicture picture = CoverPicture::Thumbnail) {
    CoverJob made;
    made.work = work;
    made.key.folder = folder;
    made.key.picture = picture;
    made.order = order;
    return made;
}

// A job that says which push it came from, through its title.
CoverJob tagged(CoverWork work, const std::string& folder, int order, const std::string& tag) {
    CoverJob made = job(work, folder, order);
    made.albumTitle = tag;
    return made;
}

// "folder/title" of each job in the order the queue hands them out.
std::vector<std::string> drain(CoverQueue& queue) {
    std::vector<std::string> taken;
    while (auto next = queue.tryPop()) {
        taken.push_back(next->key.folder + "/" + next->albumTitle);
        queue.done(*next);
    }
    return taken;
}

}  // namespace

TEST(CoverQueue, TakesTheMostUrgentJobFirst) {
    using W = CoverWork;
    const struct {
        const char* what;
        std::vector<CoverJob> pushes;
        std::vector<std::string> taken;
    } cases[] = {
        {"work first, Visible by order then arrival, the rest by arrival",
         {tagged(W::Prepare, "a", 0, ""), tagged(W::Check, "b", 0, ""),
          tagged(W::Visible, "c", 5, ""), tagged(W::Rebuild, "d", 0, ""),
          tagged(W::Visible, "e", 2, ""), tagged(W::Contents, "f", 0, ""),
          tagged(W::Visible, "g", 2, ""), tagged(W::Prepare, "h", 0, ""),
          tagged(W::Check, "i", 0, "")},
         {"f/", "e/", "g/", "c/", "d/", "b/", "i/", "a/", "h/"}},
        {"a pending duplicate keeps its place and takes the new job",
         {tagged(W::Prepare, "a", 0, "old"), tagged(W::Prepare, "b", 0, ""),
          tagged(W::Prepare, "a", 0, "new")},
         {"a/new", "b/"}},
        {"a pending Visible duplicate takes the new order",
         {tagged(W::Visible, "a", 1, "old"), tagged(W::Visible, "b", 2, ""),
          tagged(W::Visible, "a", 3, "new")},
         {"b/", "a/new"}},
        {"the same album under another work is another job",
         {tagged(W::Check, "a", 0, "check"), tagged(W::Visible, "a", 0, "shown")},
         {"a/shown", "a/check"}},
        {"only the latest Contents picture is wanted",
         {tagged(W::Contents, "a", 0, ""), tagged(W::Contents, "b", 0, ""),
          tagged(W::Contents, "c", 0, "")},
         {"c/"}},
    };
    for (const auto& c : cases) {
        CoverQueue queue;
        for (const CoverJob& pushed : c.pushes) EXPECT_TRUE(queue.push(pushed)) << c.what;
        EXPECT_EQ(drain(queue), c.taken) << c.what;
        EXPECT_EQ(queue.running(), 0u) << c.what;
    }
}

TEST(CoverQueue, AnotherPictureOrRuleIsAnotherJob) {
    CoverQueue queue;
    CoverJob otherRule = job(CoverWork::Rebuild, "a");
    otherRule.key.rule.imageName = "front.jpg";
    queue.push(job(CoverWork::Rebuild, "a"));
    queue.push(job(CoverWork::Rebuild, "a", 0, CoverPicture::Contents));
    queue.push(otherRule);
    EXPECT_EQ(queue.pending(CoverWork::Rebuild), 3u);
}

TEST(CoverQueue, AJobPushedWhileItRunsIsNotQueuedAgain) {
    CoverQueue queue;
    const CoverJob visible = job(CoverWork::Visible, "a");
    queue.push(visible);
    const auto running = queue.tryPop();
    ASSERT_TRUE(running);
    EXPECT_TRUE(queue.push(visible));
    EXPECT_EQ(queue.pending(CoverWork::Visible), 0u);
    queue.done(*running);
    queue.push(visible);
    EXPECT_EQ(queue.pending(CoverWork::Visible), 1u);
}

TEST(CoverQueue, DropEmptiesOneWork) {
    CoverQueue queue;
    queue.push(job(CoverWork::Visible, "a"));
    queue.push(job(CoverWork::Visible, "b"));
    queue.push(job(CoverWork::Check, "a"));
    queue.drop(CoverWork::Visible);
    EXPECT_EQ(queue.pending(CoverWork::Visible), 0u);
    EXPECT_EQ(queue.pending(CoverWork::Check), 1u);
}

TEST(CoverQueue, PassDropsTheAlbumsScrolledAway) {
    CoverQueue queue;
    queue.beginPass();
    queue.push(tagged(CoverWork::Visible, "top", 0, ""));
    queue.push(tagged(CoverWork::Visible, "kept", 1, ""));
    queue.endPass();
    queue.push(tagged(CoverWork::Visible, "between", 2, ""));  // outside any pass
    queue.push(job(CoverWork::Check, "top"));

    queue.beginPass();
    queue.push(tagged(CoverWork::Visible, "kept", 0, ""));
    queue.push(tagged(CoverWork::Visible, "new", 1, ""));
    queue.endPass();

    EXPECT_EQ(queue.pending(CoverWork::Check), 1u);
    queue.drop(CoverWork::Check);
    EXPECT_EQ(drain(queue), (std::vector<std::string>{"kept/", "new/"}));
}

TEST(CoverQueue, CloseWakesABlockedPopAndRefusesPushes) {
    CoverQueue queue;
    std::optional<CoverJob> taken = job(CoverWork::Visible, "unset");
    std::thread worker([&] { taken = queue.pop(); });
    queue.close();
    worker.join();
    EXPECT_FALSE(taken);
    EXPECT_TRUE(queue.closed());
    EXPECT_FALSE(queue.push(job(CoverWork::Visible, "late")));
    EXPECT_FALSE(queue.tryPop());
}

TEST(CoverQueue, CloseDropsWhatIsPending) {
    CoverQueue queue;
    queue.push(job(CoverWork::Prepare, "a"));
    queue.push(job(CoverWork::Visible, "b"));
    queue.close();
    EXPECT_EQ(queue.pending(CoverWork::Prepare), 0u);
    EXPECT_EQ(queue.pending(CoverWork::Visible), 0u);
    EXPECT_FALSE(queue.pop());
}

TEST(CoverQueue, WaitUrgentSeesAWorkerFinishTheVisibleCovers) {
    CoverQueue queue;
    queue.push(job(CoverWork::Visible, "a", 0));
    queue.push(job(CoverWork::Visible, "b", 1));
    queue.push(job(CoverWork::Prepare, "c"));  // not urgent: no need to wait for it
    std::thread worker([&] {
        for (int i = 0; i < 2; ++i) {
            const auto next = queue.pop();
            queue.done(*next);
        }
    });
    EXPECT_TRUE(queue.waitUrgent(60s));
    worker.join();
    EXPECT_EQ(queue.pending(CoverWork::Prepare), 1u);
}

TEST(CoverQueue, WaitUrgentTimesOutWhileAVisibleCoverRuns) {
    CoverQueue queue;
    queue.push(job(CoverWork::Visible, "a"));
    const auto running = queue.pop();
    EXPECT_EQ(queue.running(), 1u);
    EXPECT_FALSE(queue.waitUrgent(20ms));
    queue.done(*running);
    EXPECT_TRUE(queue.waitUrgent(0ms));
}

TEST(CoverResults, OnlyTheFirstResultOfABatchWakesTheWindow) {
    CoverResults results;
    CoverResult result;
    EXPECT_TRUE(results.add(result));
    EXPECT_FALSE(results.add(result));
    EXPECT_EQ(results.takeAll().size(), 2u);
    EXPECT_TRUE(results.add(result));
    results.clear();
    EXPECT_TRUE(results.takeAll().empty());
}

// Two workers take and finish jobs while this thread pushes, drops and runs
// passes; under ThreadSanitizer this is the check of the locking.
TEST(CoverQueue, WorkersAndTheWindowThreadShareIt) {
    constexpr int kJobs = 3000;
    CoverQueue queue;
    CoverResults results;
    std::vector<int> taken[2];
    std::thread workers[2];
    for (int w = 0; w < 2; ++w) {
        workers[w] = std::thread([&, w] {
            while (auto next = queue.pop()) {
                taken[w].push_back(next->order);
                CoverResult result;
                result.work = next->work;
                result.key = next->key;
                results.add(std::move(result));
                queue.done(*next);
            }
        });
    }

    std::set<int> mustRun;  // jobs nothing drops: unique Set, Rebuild and Prepare albums
    std::size_t delivered = 0;
    for (int i = 0; i < kJobs; ++i) {
        const auto work = static_cast<CoverWork>(i % kCoverWorkKinds);
        // Visible and Check albums repeat, so pushes also replace pending jobs.
        const bool repeats = work == CoverWork::Visible || work == CoverWork::Check;
        queue.push(job(work, std::to_string(repeats ? i % 40 : i), i));
        if (work == CoverWork::Set || work == CoverWork::Rebuild || work == CoverWork::Prepare)
            mustRun.insert(i);
        if (i % 50 == 0) queue.beginPass();
        if (i % 50 == 25) queue.endPass();
        if (i % 97 == 0) queue.drop(CoverWork::Check);
        if (i % 31 == 0) queue.waitUrgent(0ms);
        if (i % 13 == 0) delivered += results.takeAll().size();
    }
    // What is left is finished here, so that nothing is dropped by close.
    std::vector<int> drained;
    while (auto next = queue.tryPop()) {
        drained.push_back(next->order);
        queue.done(*next);
    }
    queue.close();
    for (std::thread& worker : workers) worker.join();

    EXPECT_EQ(queue.running(), 0u);
    std::multiset<int> all(drained.begin(), drained.end());
    for (const auto& list : taken) all.insert(list.begin(), list.end());
    EXPECT_EQ(std::set<int>(all.begin(), all.end()).size(), all.size()) << "a job ran twice";
    for (int id : mustRun) EXPECT_EQ(all.count(id), 1u) << id;
    EXPECT_LE(all.size(), static_cast<std::size_t>(kJobs));
    delivered += results.takeAll().size();
    EXPECT_EQ(delivered, taken[0].size() + taken[1].size());
}
