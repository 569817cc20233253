#include "engine/PictureTree.h"

#include "engine/PictureFiles.h"
#include "framework/FileSearch.h"
#include "framework/Path.h"

#include <windows.h>

#include <set>
#include <tuple>
#include <utility>

namespace {

// A folder as the file system knows it, whatever path led there.
using FolderIdentity = std::tuple<DWORD, DWORD, DWORD>;

bool IdentityOf(const std::string& folder, FolderIdentity& identity)
{
    // Backup semantics open a folder; no access right is needed to read
    // its identity.
    HANDLE handle = CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(handle, &information) != FALSE;
    CloseHandle(handle);
    identity = {information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
    return known;
}

class TreeWalk {
  public:
    TreeWalk(const std::function<bool()>& stop, const PictureTreeLimits& limits, bool subfolders)
        : m_stop(stop), m_limits(limits), m_subfolders(subfolders)
    {
    }

    // False when the folder cannot be read at all.
    bool Walk(const std::string& folder, int depth);
    PictureTree& Result() { return m_tree; }

  private:
    bool Stopping()
    {
        if (!m_tree.stopped && m_stop && m_stop())
            m_tree.stopped = true;
        return m_tree.stopped || m_tree.countCapped;
    }
    bool FirstVisit(const std::string& folder)
    {
        FolderIdentity identity;
        // A folder whose identity cannot be had is taken once by its path.
        if (!IdentityOf(folder, identity))
            return true;
        return m_visited.insert(identity).second;
    }

    const std::function<bool()>& m_stop;
    PictureTreeLimits m_limits;
    bool m_subfolders;
    std::set<FolderIdentity> m_visited;
    // One folder's picture names by type, kept between folders so their
    // room is reused (subfolders are walked after it is emptied).
    std::vector<std::vector<std::string>> m_byOrder = std::vector<std::vector<std::string>>(PictureFileOrders());
    PictureTree m_tree;
};

bool TreeWalk::Walk(const std::string& folder, int depth)
{
    if (Stopping())
        return true;
    if (m_subfolders && depth == 0 && !FirstVisit(folder))
        return true;
    FileSearch search(folder + "*");
    if (!search.HasMatch())
        return GetLastError() == ERROR_FILE_NOT_FOUND;

    std::vector<std::vector<std::string>>& byOrder = m_byOrder;
    for (std::vector<std::string>& names : byOrder)
        names.clear();
    std::vector<std::string> subfolders;
    int sinceAsked = 0;
    do {
        const WIN32_FIND_DATAA& match = search.Data();
        if (match.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            const std::string name = match.cFileName;
            if (m_subfolders && name != "." && name != ".." &&
                !(match.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
                subfolders.push_back(name);
            continue;
        }
        const int order = PictureFileOrder(match.cFileName);
        if (order >= 0)
            byOrder[order].push_back(match.cFileName);
        if (++sinceAsked == 256) {
            sinceAsked = 0;
            if (Stopping())
                return true;
        }
    } while (search.Next());

    // Only a folder with subfolders can lead back up the tree, so only
    // those are told apart by identity: opening each of thousands of leaf
    // folders would cost as much as listing them.
    if (depth > 0 && !subfolders.empty() && !FirstVisit(folder))
        return true;

    std::vector<CataloguedPicture>& pictures = m_tree.pictures;
    for (std::size_t order = 0; order < byOrder.size(); ++order)
        for (const std::string& name : byOrder[order]) {
            if (pictures.size() >= m_limits.count) {
                m_tree.countCapped = true;
                return true;
            }
            CataloguedPicture picture;
            picture.path = folder + name;
            picture.order = static_cast<std::uint8_t>(order);
            pictures.push_back(std::move(picture));
        }

    if (!subfolders.empty() && depth >= m_limits.depth) {
        m_tree.depthCapped = true;
        return true;
    }
    for (const std::string& name : subfolders)
        Walk(folder + name + "\\", depth + 1);
    return true;
}

} // namespace

std::string AbsoluteSearchFolder(const std::string& folder)
{
    // Taken from the search pattern itself, so it names the folder the
    // search really reads: "C:" + "\*" is the root of C, while "C:" alone
    // would be the current directory of drive C.
    std::string absolute = FullPathOf(folder + "\\*");
    absolute.pop_back(); // the "*"
    return absolute;
}

PictureTree WalkPictureTree(const PictureSources& sources, const std::function<bool()>& stop,
                            const PictureTreeLimits& limits)
{
    TreeWalk walk(stop, limits, sources.includeSubfolders);
    for (const std::string& folder : sources.folders)
        if (!walk.Walk(AbsoluteSearchFolder(folder), 0))
            walk.Result().missingFolders.push_back(folder);
    // Kept for as long as the program runs: no room to grow.
    walk.Result().pictures.shrink_to_fit();
    return std::move(walk.Result());
}
