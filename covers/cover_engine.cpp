#include "covers/cover_engine.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "catalogue/album_record.h"
#include "catalogue/song_record.h"
#include "covers/cover_finder.h"
#include "covers/cover_image_list_win32.h"
#include "covers/cover_queue.h"
#include "covers/imaging_factory.h"
#include "covers/pixel_bitmap.h"
#include "covers/plugin_state.h"
#include "resources/resource_ids.h"
#include "win/debug_trace.h"
#include "win/module_bitmaps.h"

// What the workers share with the window thread. A worker holds it for as
// long as it runs, so one that outlives stop still finds it whole.
struct CoverEngineCore {
    CoverQueue queue;
    CoverResults results;
    CoverStores stores;
    // A wake-up is on its way: the window thread takes every result when
    // it comes, so one message serves a whole batch.
    std::atomic<bool> wakePending{false};
    std::mutex windowLock;
    HWND window = nullptr;  // null once the engine stopped
};

namespace {

constexpr UINT kResultsMessage = WM_APP + 0x2C;
constexpr UINT_PTR kResultsSubclass = 1;
// stop waits this long for the workers; a decode may take longer.
constexpr DWORD kStopWaitMs = 2000;
// A picture shown from memory is compared with its source again after this.
constexpr uint64_t kRecheckAfterMs = 5000;
// Before a paint of new visible covers the window waits at most this long
// for them; it stops sooner once every worker decodes (an answer is then a
// decode away), or when none came for the shorter time.
constexpr DWORD kVisibleWaitMs = 30;
constexpr DWORD kVisibleStallMs = 8;
// Songs whose tags are read for a picture, at most, in library order.
constexpr std::size_t kSongsReadForPicture = 3;
// Albums of the library queued for preparing at a time, and the number left
// queued at which more are added: a large library is never queued whole.
constexpr int kPrepareBatch = 32;
constexpr std::size_t kPrepareRefill = 8;

uint64_t ticks() {
    return GetTickCount64();
}

void wake(CoverEngineCore& core) {
    if (core.wakePending.exchange(true)) return;
    const std::lock_guard<std::mutex> lock(core.windowLock);
    if (!core.window || !PostMessageA(core.window, kResultsMessage, 0, 0)) core.wakePending = false;
}

bool urgentPending(const CoverQueue& queue) {
    return queue.pending(CoverWork::Contents) + queue.pending(CoverWork::Visible) > 0;
}

void runWorker(const std::shared_ptr<CoverEngineCore>& core) noexcept {
    try {
        const ImagingScope imaging(COINIT_MULTITHREADED);
        LaterCacheWrites cacheWrites;
        for (;;) {
            if (!cacheWrites.empty() && !urgentPending(core->queue))
                cacheWrites.writeAll(core->stores.userCache);
            std::optional<CoverJob> job = core->queue.pop();
            if (!job) break;
            bool decoded = false;
            const auto decoding = [&] {
                decoded = true;
                core->queue.decoding();
            };
            core->results.add(findCover(*job, core->stores, decoding, &cacheWrites));
            wake(*core);
            core->queue.done(*job, decoded);
        }
        // Stopping: the caches made spare the next start their decodes.
        cacheWrites.writeAll(core->stores.userCache);
    } catch (...) {
        coverhall::traceCurrentException("a cover worker failed");
    }
}

struct WorkerStart {
    std::shared_ptr<CoverEngineCore> core;
    HMODULE module;  // a reference of the worker's own
};

DWORD WINAPI workerMain(void* parameter) {
    const HMODULE module = static_cast<WorkerStart*>(parameter)->module;
    {
        const std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(parameter));
        const std::shared_ptr<CoverEngineCore> core = std::move(start->core);
        runWorker(core);
    }
    // The module may have been let go by the host meanwhile: this thread's
    // reference keeps it mapped until no code of it runs here any more.
    FreeLibraryAndExitThread(module, 0);
}

// The album's first songs in the order the library delivered them: a song
// sort of a shown album reorders its songs, the library's album keeps them.
// A disc set's are its first disc's, whichever songs a search found.
std::vector<std::string> firstSongFiles(const AlbumRecord& album) {
    const AlbumRecord* ordered = &album;
    if (album.songsResorted || album.discSet) {
        const AlbumRecord* library = libraryCatalogue().albumWithFolder(album.folder);
        if (library && !library->songsResorted) ordered = library;
    }
    std::vector<std::string> files;
    for (const SongRecord* song : ordered->songs) {
        if (files.size() == kSongsReadForPicture) break;
        if (song && !song->fileName.empty()) files.emplace_back(song->fileName.c_str());
    }
    return files;
}

CoverKey thumbnailKey(const AlbumRecord& album, const CoverRule& rule, int edge) {
    return CoverKey{std::string(album.folder.c_str()), rule, CoverPicture::Thumbnail, edge};
}

CoverKey contentsKey(std::string folder, const CoverRule& rule) {
    return CoverKey{std::move(folder), rule, CoverPicture::Contents, kContentsCoverSize};
}

// The edge of the list's images; the default one without a list.
int imageEdgeOf(HIMAGELIST list) {
    int width = 0, height = 0;
    if (!list || !ImageList_GetIconSize(list, &width, &height) || width <= 0) return kThumbnailSize;
    return width;
}

}  // namespace

CoverEngine::CoverEngine() : core_(std::make_shared<CoverEngineCore>()) {}

CoverEngine::~CoverEngine() {
    stop();
}

void CoverEngine::addListener(CoverListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void CoverEngine::removeListener(CoverListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

// The window and the threads come with the first request, never sooner.
bool CoverEngine::ensureWorkers() {
    if (stopped_) return false;
    if (!workers_.empty()) return true;
    if (!window_) {
        // A message-only window of a system class: no class of ours to
        // register around the module's life.
        window_.reset(CreateWindowExA(0, "STATIC", "Coverhall covers", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, nullptr, nullptr));
        if (!window_ || !SetWindowSubclass(window_.get(), &resultsProc, kResultsSubclass,
                                           reinterpret_cast<DWORD_PTR>(this))) {
            window_.reset();
            return false;
        }
        const std::lock_guard<std::mutex> lock(core_->windowLock);
        core_->window = window_.get();
    }
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const int count = system.dwNumberOfProcessors >= 2 ? 2 : 1;
    for (int i = 0; i < count; ++i) {
        HMODULE module = nullptr;
        if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                reinterpret_cast<LPCSTR>(&workerMain), &module))
            break;
        auto start = std::make_unique<WorkerStart>(WorkerStart{core_, module});
        HANDLE thread = CreateThread(nullptr, 0, &workerMain, start.get(), 0, nullptr);
        if (!thread) {
            FreeLibrary(module);
            break;
        }
        start.release();  // the thread's now
        // The window thread, which the player's windows share, goes first
        // when the processors are busy.
        SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
        workers_.emplace_back(thread);
    }
    core_->queue.setWorkers(static_cast<int>(workers_.size()));
    return !workers_.empty();
}

CoverJob CoverEngine::jobFor(const AlbumRecord& album, const CoverKey& key, CoverWork work,
                             int order) const {
    CoverJob job;
    job.work = work;
    job.key = key;
    job.albumTitle = std::string(album.title);
    job.songs = firstSongFiles(album);
    job.order = order;
    return job;
}

bool CoverEngine::ask(CoverJob job) {
    return ensureWorkers() && core_->queue.push(std::move(job));
}

CoverState CoverEngine::showThumbnail(const AlbumRecord& album, const CoverRule& rule, int order,
                                      HIMAGELIST thumbnails) {
    const CoverKey key = thumbnailKey(album, rule, imageEdgeOf(thumbnails));
    const RememberedCover* cover = memory_.find(key);
    if (!cover) {
        return ask(jobFor(album, key, CoverWork::Visible, order)) ? CoverState::Pending
                                                                  : CoverState::None;
    }
    // A "no cover" answer is asked again the same way: the workers' memory
    // of missing covers makes that cheap while nothing changed.
    checkLater(key, *cover, album, cover->hasCover ? CoverWork::Check : CoverWork::Visible, order);
    if (!cover->hasCover) return CoverState::None;
    return putIntoSlot(cover->pixels, thumbnails) ? CoverState::Shown : CoverState::None;
}

void CoverEngine::requestThumbnail(const AlbumRecord& album, const CoverRule& rule, int edge,
                                   int order) {
    const CoverKey key = thumbnailKey(album, rule, edge);
    if (!memory_.find(key)) ask(jobFor(album, key, CoverWork::Visible, order));
}

void CoverEngine::checkLater(const CoverKey& key, const RememberedCover& cover,
                             const AlbumRecord& album, CoverWork work, int order) {
    const uint64_t now = ticks();
    if (now - cover.checkedAt < kRecheckAfterMs) return;
    // Noted at once, so that the repaints until the answer ask nothing.
    memory_.markChecked(key, now);
    ask(jobFor(album, key, work, order));
}

// The slot's bitmap is reused: each thumbnail is copied into it, and the
// image list copies it on. A list of another edge (a view made after the
// cover size changed) gets a slot of its own edge.
bool CoverEngine::putIntoSlot(const CoverPixels& pixels, HIMAGELIST thumbnails) {
    if (!thumbnails || ImageList_GetImageCount(thumbnails) <= ThumbnailImage) return false;
    const int edge = imageEdgeOf(thumbnails);
    if (pixels.width != edge || pixels.height != edge) return false;
    if (slotEdge_ != edge) {
        slotBitmap_.reset();
        slotMask_.reset();
        slotEdge_ = edge;
    }
    if (!slotBitmap_) {
        slotBitmap_.reset(makeDibSection(viewOf(pixels)));
        if (!slotBitmap_) return false;
    } else if (!fillDibSection(slotBitmap_.get(), viewOf(pixels))) {
        return false;
    }
    if (!slotMask_) slotMask_ = loadBitmapAtEdge(bitmapModule(), IDB_THUMB_MASK, edge);
    return ImageList_Replace(thumbnails, ThumbnailImage, slotBitmap_.get(), slotMask_.get());
}

CoverState CoverEngine::showContentsCover(const AlbumRecord& album, const CoverRule& rule,
                                          HWND pictureControl) {
    const CoverKey key = contentsKey(std::string(album.folder.c_str()), rule);
    const RememberedCover* cover = memory_.find(key);
    CoverState state = CoverState::None;
    if (!cover) {
        state = ask(jobFor(album, key, CoverWork::Contents, 0)) ? CoverState::Pending
                                                                : CoverState::None;
    } else {
        // No cache tells when its source changed: after a while the
        // picture is made again, and the one shown stays until then.
        checkLater(key, *cover, album, CoverWork::Contents, 0);
        if (cover->hasCover) state = CoverState::Shown;
    }
    if (state == CoverState::Shown) {
        if (contentsShown_ != key || !contentsBitmap_) {
            coverhall::UniqueBitmap picture(makeDibSection(viewOf(cover->pixels)));
            if (!picture) return CoverState::None;
            showPicture(pictureControl, std::move(picture));
            contentsShown_ = key;
        } else if (SendMessageA(pictureControl, STM_GETIMAGE, IMAGE_BITMAP, 0) !=
                   reinterpret_cast<LRESULT>(contentsBitmap_.get())) {
            SendMessageA(pictureControl, STM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(contentsBitmap_.get()));
        }
        return state;
    }
    showPicture(pictureControl, loadBitmapResource(bitmapModule(), IDB_NO_COVER, kContentsCoverSize,
                                                   kContentsCoverSize));
    contentsShown_ = CoverKey{};
    return state;
}

// The picture takes the new bitmap before the old one is deleted.
void CoverEngine::showPicture(HWND pictureControl, coverhall::UniqueBitmap picture) {
    SendMessageA(pictureControl, STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(picture.get()));
    contentsBitmap_ = std::move(picture);
}

void CoverEngine::rebuild(const AlbumRecord& album, const CoverRule& rule, int edge) {
    ask(jobFor(album, thumbnailKey(album, rule, edge), CoverWork::Rebuild, 0));
}

bool CoverEngine::setCover(const AlbumRecord& album, const CoverRule& rule, int edge,
                           CoverSource source) {
    CoverJob job = jobFor(album, thumbnailKey(album, rule, edge), CoverWork::Set, 0);
    job.source = std::make_shared<const CoverSource>(std::move(source));
    if (!ask(std::move(job))) return false;
    notifyAll([](CoverListener& listener) { listener.coverSetStarted(); });
    return true;
}

void CoverEngine::beginVisiblePass() {
    core_->queue.beginPass();
}

void CoverEngine::endVisiblePass() {
    core_->queue.endPass();
}

void CoverEngine::dropVisible() {
    core_->queue.drop(CoverWork::Visible);
}

void CoverEngine::awaitVisible() {
    if (workers_.empty()) return;
    const DWORD begun = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - begun;
        if (spent >= kVisibleWaitMs) break;
        const DWORD slice = std::min(kVisibleStallMs, kVisibleWaitMs - spent);
        const bool settled = core_->queue.waitUrgent(std::chrono::milliseconds(slice));
        if (!takeResults() || settled) break;
    }
}

void CoverEngine::startPreparing(const CoverRule& rule, int edge) {
    stopPreparing();
    if (stopped_) return;
    preparing_ = true;
    prepareRule_ = rule;
    prepareEdge_ = edge;
    ++prepareRun_;
    prepareNext_ = 0;
    prepared_ = 0;
    feedPreparation();
    notifyProgress();
}

void CoverEngine::stopPreparing() {
    if (!preparing_) return;
    preparing_ = false;
    core_->queue.drop(CoverWork::Prepare);
    notifyProgress();
}

int CoverEngine::preparationTotal() const {
    return libraryCatalogue().albumCount();
}

// The library is looked up afresh for every batch: a reload meanwhile
// changes what is left to do, never what a queued job holds.
void CoverEngine::feedPreparation() {
    if (!preparing_) return;
    const LibraryCatalogue& library = libraryCatalogue();
    const int total = library.albumCount();
    if (core_->queue.pending(CoverWork::Prepare) <= kPrepareRefill) {
        const int end = std::min(total, prepareNext_ + kPrepareBatch);
        for (; prepareNext_ < end; ++prepareNext_) {
            const AlbumRecord* album = library.albumAt(prepareNext_);
            if (!album) {
                ++prepared_;
            } else if (!ask(jobFor(*album, thumbnailKey(*album, prepareRule_, prepareEdge_),
                                   CoverWork::Prepare, prepareRun_))) {
                preparing_ = false;  // no worker to do it
                return;
            }
        }
    }
    // Every album was queued, and every job queued came back.
    if (prepareNext_ >= total && prepared_ >= prepareNext_) preparing_ = false;
}

bool CoverEngine::takeResults() {
    core_->wakePending = false;
    std::vector<CoverResult> results = core_->results.takeAll();
    if (results.empty()) return false;
    const bool wasPreparing = preparing_;
    for (CoverResult& result : results) apply(result);
    if (wasPreparing) {
        feedPreparation();
        notifyProgress();
    }
    return true;
}

void CoverEngine::apply(CoverResult& result) {
    using Outcome = CoverResult::Outcome;
    const uint64_t now = ticks();
    if (result.work == CoverWork::Set) {
        const SetCoverOutcome set = std::move(result.set);
        if (set.result == SetCoverOutcome::Result::Set) {
            // The Contents picture of the album is made again when next shown.
            const CoverKey contents = contentsKey(result.key.folder, result.key.rule);
            memory_.markChecked(contents, 0);
            notifyArrived(contents);
            showAnswer(result, now);
        }
        notifyAll([&](CoverListener& listener) { listener.coverSetEnded(set); });
        return;
    }
    if (result.work == CoverWork::Prepare) {
        // A run stopped or started over meanwhile does not count.
        if (preparing_ && result.order == prepareRun_) ++prepared_;
        // Only a thumbnail that no cache could take comes with its pixels.
        if (result.outcome != Outcome::Shown) return;
    }
    switch (result.outcome) {
        case Outcome::Unchanged:
            memory_.markChecked(result.key, now);
            return;
        case Outcome::Prepared:
            return;
        case Outcome::Shown:
        case Outcome::None:
            showAnswer(result, now);
            return;
    }
}

void CoverEngine::showAnswer(CoverResult& result, uint64_t now) {
    RememberedCover cover;
    cover.hasCover = result.outcome == CoverResult::Outcome::Shown;
    cover.pixels = std::move(result.pixels);
    cover.checkedAt = result.checked ? now : 0;
    memory_.put(result.key, std::move(cover));
    notifyArrived(result.key);
}

template <typename Tell>
void CoverEngine::notifyAll(Tell tell) {
    // A listener may unregister while being told.
    const std::vector<CoverListener*> listeners = listeners_;
    for (CoverListener* listener : listeners) tell(*listener);
}

void CoverEngine::notifyArrived(const CoverKey& key) {
    notifyAll([&](CoverListener& listener) { listener.coverArrived(key); });
}

void CoverEngine::notifyProgress() {
    notifyAll([](CoverListener& listener) { listener.preparationProgressed(); });
}

LRESULT CALLBACK CoverEngine::resultsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
    if (message != kResultsMessage) return DefSubclassProc(window, message, wParam, lParam);
    try {
        reinterpret_cast<CoverEngine*>(data)->takeResults();
    } catch (...) {
        coverhall::traceCurrentException("taking cover results failed");
    }
    return 0;
}

void CoverEngine::stop() {
    if (stopped_) return;
    stopped_ = true;
    preparing_ = false;
    {
        const std::lock_guard<std::mutex> lock(core_->windowLock);
        core_->window = nullptr;
    }
    core_->queue.close();
    if (!workers_.empty()) {
        std::vector<HANDLE> threads;
        for (const auto& worker : workers_) threads.push_back(worker.get());
        WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE,
                               kStopWaitMs);
    }
    // A worker still running keeps the core and its module reference; its
    // handle alone is let go.
    workers_.clear();
    if (window_) {
        RemoveWindowSubclass(window_.get(), &resultsProc, kResultsSubclass);
        MSG posted;
        while (PeekMessageA(&posted, window_.get(), kResultsMessage, kResultsMessage, PM_REMOVE)) {
        }
        window_.reset();
    }
    core_->results.clear();
    memory_.clear();
    listeners_.clear();
}
