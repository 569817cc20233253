#include "engine/CatalogueWork.h"

#include "engine/FolderWatch.h"
#include "engine/PictureFiles.h"
#include "engine/PictureSize.h"
#include "framework/Path.h"

#include <string_view>
#include <unordered_map>
#include <utility>

namespace {

// Changes come in bursts (a copy of many files): the list is made again
// once they have settled this long.
constexpr DWORD kSettleMs = 150;
// How often folders that went away are looked for, and how often sources
// without any watch are walked again.
constexpr DWORD kPresenceCheckMs = 1000;
constexpr DWORD kRescanWithoutWatchMs = 60000;
// Sizes are read in small batches, so a change is never kept waiting.
constexpr std::size_t kSizesPerBatch = 64;

bool IsPictureName(const std::string& path)
{
    return PictureFileOrder(FileNamePart(path)) >= 0;
}

// Whether a change can alter the list: a picture's name, or with
// subfolders a folder's.
bool Matters(const FolderChange& change, bool subfolders)
{
    if (IsPictureName(change.path))
        return true;
    if (!subfolders)
        return false;
    if (change.action == FILE_ACTION_ADDED || change.action == FILE_ACTION_RENAMED_NEW_NAME) {
        const DWORD attributes = GetFileAttributesA(change.path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    // Gone: it may have been a folder.
    return true;
}

// Renames of one picture to another picture name; the rest are an add or
// a removal for the list.
void NoteRenames(const std::vector<FolderChange>& changes, std::vector<PictureRename>& renames)
{
    for (std::size_t index = 0; index + 1 < changes.size(); ++index) {
        const FolderChange& from = changes[index];
        const FolderChange& to = changes[index + 1];
        if (from.action == FILE_ACTION_RENAMED_OLD_NAME && to.action == FILE_ACTION_RENAMED_NEW_NAME &&
            IsPictureName(from.path) && IsPictureName(to.path))
            renames.push_back({from.path, to.path});
    }
}

// Sizes already read survive a new walk.
void KeepSizes(const PictureTree& before, PictureTree& after)
{
    std::unordered_map<std::string_view, const CataloguedPicture*> known;
    for (const CataloguedPicture& picture : before.pictures)
        if (picture.sizeRead)
            known.emplace(picture.path, &picture);
    if (known.empty())
        return;
    for (CataloguedPicture& picture : after.pictures) {
        const auto found = known.find(picture.path);
        if (found == known.end())
            continue;
        picture.width = found->second->width;
        picture.height = found->second->height;
        picture.sizeRead = true;
    }
}

std::vector<bool> FoldersPresent(const PictureSources& sources)
{
    std::vector<bool> present;
    for (const std::string& folder : sources.folders)
        present.push_back(FolderExists(AbsoluteSearchFolder(folder)));
    return present;
}

} // namespace

CPictureCatalogue::Work::Work() : m_wake(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

CPictureCatalogue::Work::~Work()
{
    if (m_wake)
        CloseHandle(m_wake);
}

void CPictureCatalogue::Work::Attach(HWND window, UINT message)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_window = window;
    m_message = message;
}

void CPictureCatalogue::Work::SetSources(const PictureSources& sources)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_worker.Started() && sources == m_wanted)
            return;
        m_wanted = sources;
    }
    m_sourcesChanged = true;
    SetEvent(m_wake);
    if (!m_worker.Started())
        m_worker.Start([self = shared_from_this()] { self->Run(); }, WorkerPriority::BelowNormal);
}

void CPictureCatalogue::Work::Stop()
{
    m_stopping = true;
    m_worker.RequestStop();
    SetEvent(m_wake);
    if (m_worker.Started())
        m_worker.Detach();
}

std::shared_ptr<const CatalogueSnapshot> CPictureCatalogue::Work::Snapshot() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_snapshot;
}

std::vector<PictureRename> CPictureCatalogue::Work::TakeRenames()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::move(m_renames);
}

void CPictureCatalogue::Work::Publish(const PictureSources& sources, const PictureTree& tree, bool sizesRead,
                                      std::vector<PictureRename>& renames, bool notify)
{
    auto snapshot = std::make_shared<CatalogueSnapshot>();
    snapshot->sources = sources;
    snapshot->tree = tree;
    snapshot->sizesRead = sizesRead;
    HWND window = nullptr;
    UINT message = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_snapshot = std::move(snapshot);
        m_renames.insert(m_renames.end(), renames.begin(), renames.end());
        window = m_window;
        message = m_message;
    }
    renames.clear();
    if (notify && window && !m_stopping)
        PostMessageA(window, message, 0, 0);
}

void CPictureCatalogue::Work::Run()
{
    PictureSources sources;
    PictureTree tree;
    std::vector<std::unique_ptr<FolderWatch>> watches;
    std::vector<bool> present;
    std::vector<PictureRename> renames;
    bool walkNow = false;
    bool changesWait = false;
    DWORD changeSeen = 0;
    DWORD lastWalk = 0;
    DWORD lastPresenceCheck = 0;
    std::size_t sizesDone = 0;
    const auto stop = [this] { return m_stopping.load() || m_sourcesChanged.load(); };

    while (!m_stopping) {
        if (m_sourcesChanged.exchange(false)) {
            std::lock_guard<std::mutex> lock(m_mutex);
            sources = m_wanted;
            walkNow = true;
        }
        if (walkNow) {
            walkNow = false;
            changesWait = false;
            // Watches first: a change during the walk is then not missed.
            watches.clear();
            for (const std::string& folder : sources.folders)
                watches.push_back(
                    std::make_unique<FolderWatch>(AbsoluteSearchFolder(folder), sources.includeSubfolders));
            PictureTree walked = WalkPictureTree(sources, stop);
            if (walked.stopped)
                continue;
            KeepSizes(tree, walked);
            tree = std::move(walked);
            present = FoldersPresent(sources);
            lastWalk = lastPresenceCheck = GetTickCount();
            sizesDone = 0;
            Publish(sources, tree, false, renames, true);
        }

        std::vector<HANDLE> handles = {m_wake};
        std::vector<std::size_t> watchOf;
        bool watchMissing = false;
        for (std::size_t index = 0; index < watches.size(); ++index) {
            // Beyond what one wait takes, folders are walked now and then
            // as if no watch could be set.
            HANDLE event = handles.size() < MAXIMUM_WAIT_OBJECTS ? watches[index]->Event() : nullptr;
            if (event) {
                handles.push_back(event);
                watchOf.push_back(index);
            } else {
                watchMissing = true;
            }
        }
        const DWORD now = GetTickCount();
        DWORD timeout = kPresenceCheckMs;
        if (changesWait)
            timeout = now - changeSeen >= kSettleMs ? 0 : kSettleMs - (now - changeSeen);
        else if (sizesDone < tree.pictures.size())
            timeout = 0;
        const DWORD result = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, timeout);

        if (result > WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + handles.size()) {
            std::vector<FolderChange> changes;
            const bool known = watches[watchOf[result - WAIT_OBJECT_0 - 1]]->TakeChanges(changes);
            NoteRenames(changes, renames);
            bool matters = !known;
            for (const FolderChange& change : changes)
                matters = matters || Matters(change, sources.includeSubfolders);
            if (matters && !changesWait) {
                changesWait = true;
                changeSeen = GetTickCount();
            }
            continue;
        }
        if (result != WAIT_TIMEOUT)
            continue;
        if (changesWait && GetTickCount() - changeSeen >= kSettleMs) {
            walkNow = true;
            continue;
        }
        if (sizesDone < tree.pictures.size()) {
            for (std::size_t end = std::min(tree.pictures.size(), sizesDone + kSizesPerBatch); sizesDone < end;
                 ++sizesDone)
                if (!tree.pictures[sizesDone].sizeRead)
                    ReadPictureSize(tree.pictures[sizesDone]);
            if (sizesDone == tree.pictures.size())
                Publish(sources, tree, true, renames, false);
            continue;
        }
        const DWORD since = GetTickCount() - lastPresenceCheck;
        if (since < kPresenceCheckMs)
            continue;
        lastPresenceCheck = GetTickCount();
        // A card put back, a share online again, a folder renamed back: a
        // watch on it could not tell.
        if (FoldersPresent(sources) != present || (watchMissing && GetTickCount() - lastWalk >= kRescanWithoutWatchMs))
            walkNow = true;
    }
}
