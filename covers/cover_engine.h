// The cover engine: every cover's file work (freshness checks, the named
// file, the ranked search, song pictures, decoding, the thumbnail cache, the
// memory of albums without cover) runs on its worker threads, never on the
// window thread, which shares its messages with the player's own windows.
// The window thread asks for pictures, is answered at once from a bounded
// memory of recent pictures or with the placeholder, and is told by a
// posted message when more arrived. The engine owns all cover state; the
// GDI objects it shows through are made and freed on the window thread.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "covers/cover_job.h"
#include "covers/thumbnail_memory.h"
#include "win/win_handles.h"

struct AlbumRecord;
struct CoverEngineCore;

// What the views are told; they register with the engine.
class CoverListener {
  public:
    // The answer for the key arrived or changed: redraw what shows it.
    virtual void coverArrived(const CoverKey& key) = 0;
    // Preparing every cover went on, or ended.
    virtual void preparationProgressed() = 0;
    // A picture the user gave is being written as an album's cover; then
    // what became of it (the new cover arrives as any other).
    virtual void coverSetStarted() = 0;
    virtual void coverSetEnded(const SetCoverOutcome& outcome) = 0;

  protected:
    ~CoverListener() = default;
};

// An album's picture as the window has it now: shown, known to be missing,
// or asked for (the placeholder shows meanwhile).
enum class CoverState { Shown, None, Pending };

class CoverEngine {
  public:
    CoverEngine();
    ~CoverEngine();
    CoverEngine(const CoverEngine&) = delete;
    CoverEngine& operator=(const CoverEngine&) = delete;

    void addListener(CoverListener* listener);
    void removeListener(CoverListener* listener);

    // The album's thumbnail, at the list's image size, put into the
    // ThumbnailImage slot of the list, from memory. Pending when it had to
    // be asked for, as a visible cover at `order` in display order. A
    // picture shown from memory is checked again in the background when its
    // last check is old.
    CoverState showThumbnail(const AlbumRecord& album, const CoverRule& rule, int order,
                             HIMAGELIST thumbnails);
    // The album's thumbnail of that edge asked for, as a visible cover,
    // unless memory holds it; nothing is shown.
    void requestThumbnail(const AlbumRecord& album, const CoverRule& rule, int edge, int order);
    // The album's cover at kContentsCoverSize in the picture control, from
    // memory, else the placeholder while it is asked for.
    CoverState showContentsCover(const AlbumRecord& album, const CoverRule& rule,
                                 HWND pictureControl);
    // Makes the album's thumbnail of that edge anew from its source, even
    // where the cache looks current; the old one shows until then.
    void rebuild(const AlbumRecord& album, const CoverRule& rule, int edge);
    // Writes the picture into the album's folder as its cover file and
    // makes the thumbnail of that edge anew from it; the album's Contents
    // picture follows. False when no worker could take it.
    bool setCover(const AlbumRecord& album, const CoverRule& rule, int edge, CoverSource source);

    // The visible covers of one full paint: those asked for in between
    // stay queued, the others (scrolled away) are dropped.
    void beginVisiblePass();
    void endVisiblePass();
    // Drops every visible cover still queued (a new search, another mode).
    void dropVisible();
    // Gives the visible covers asked for a short time to arrive before a
    // paint, without pumping messages; takes in what came.
    void awaitVisible();

    // "Prepare All Covers": every album of the library gets a current
    // cache of thumbnails of that edge, after everything else the workers
    // have to do.
    void startPreparing(const CoverRule& rule, int edge);
    void stopPreparing();
    bool preparing() const { return preparing_; }
    int prepared() const { return prepared_; }
    int preparationTotal() const;

    // Cancels what waits and ends the workers, waiting for them a bounded
    // time; the engine answers nothing afterwards. A worker still in a
    // decode then ends by itself, holding the module until it has. The
    // bitmaps the windows show stay until the engine is destroyed.
    void stop();

  private:
    static LRESULT CALLBACK resultsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR data);
    bool ensureWorkers();
    bool ask(CoverJob job);
    CoverJob jobFor(const AlbumRecord& album, const CoverKey& key, CoverWork work, int order) const;
    // Takes every finished result in; false when none waited.
    bool takeResults();
    void apply(CoverResult& result);
    // Holds a found picture, or "no cover", and tells the listeners.
    void showAnswer(CoverResult& result, uint64_t now);
    void feedPreparation();
    void notifyArrived(const CoverKey& key);
    void notifyProgress();
    template <typename Tell>
    void notifyAll(Tell tell);
    bool putIntoSlot(const CoverPixels& pixels, HIMAGELIST thumbnails);
    void showPicture(HWND pictureControl, coverhall::UniqueBitmap picture);
    // Asks for the picture again once its last check is old.
    void checkLater(const CoverKey& key, const RememberedCover& cover, const AlbumRecord& album,
                    CoverWork work, int order);

    std::shared_ptr<CoverEngineCore> core_;  // shared with the workers
    std::vector<coverhall::UniqueKernelObject> workers_;
    coverhall::UniqueWindow window_;  // wakes the window thread
    bool stopped_ = false;
    ThumbnailMemory memory_;
    std::vector<CoverListener*> listeners_;
    // The GDI side: one slot bitmap the thumbnails are copied through, its
    // mask, both of the slot's edge, and the bitmap the Contents picture
    // shows.
    coverhall::UniqueBitmap slotBitmap_;
    coverhall::UniqueBitmap slotMask_;
    int slotEdge_ = 0;
    coverhall::UniqueBitmap contentsBitmap_;
    CoverKey contentsShown_;  // whose picture contentsBitmap_ is; "" folder: the placeholder
    // Preparing: the rule, the run's number, the next library album to
    // queue, and the results counted.
    bool preparing_ = false;
    CoverRule prepareRule_;
    int prepareEdge_ = kThumbnailSize;
    int prepareRun_ = 0;
    int prepareNext_ = 0;
    int prepared_ = 0;
};
