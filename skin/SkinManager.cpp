#include "skin/SkinManager.h"

#include "skin/SkinSet.h"
#include "skin/SkinCtrlFactory.h"
#include "skin/SkinDlg.h"

CSkinManager::CSkinManager() : m_dialog(NULL) {}

CSkinManager::~CSkinManager()
{
    ReleaseSkin();
}

BOOL CSkinManager::LoadSkin(LPCSTR iniPath)
{
    // Whatever an earlier build left (controls, a dialog skin or only its
    // factory) goes before the new one is built.
    if (!m_controls.empty() || m_factory != NULL || m_skinDlg != NULL) {
        DetachFromDialog();
        ReleaseSkin();
    }
    m_factory = std::make_unique<CSkinCtrlFactory>(this, iniPath);
    return m_factory->Build();
}

void CSkinManager::AttachToDialog(CWnd* dialog)
{
    if (dialog == NULL || dialog->m_hWnd == NULL)
        return;
    DetachFromDialog();
    m_dialog = dialog->m_hWnd;
    for (Control& c : m_controls) {
        c.before = std::make_unique<CSkinWindowState>();
        c.before->Capture(::GetDlgItem(m_dialog, (int)c.id), CSkinWindowState::kControl);
        if (c.before->IsCaptured() && c.control->SubclassDlgItem(c.id, dialog))
            c.before->NoteSkinStyle();
        else
            c.before.reset(); // no such control in the template: this one shows nothing
    }
    if (m_skinDlg != NULL)
        m_skinDlg->Attach(m_dialog);
    ::RedrawWindow(m_dialog, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CSkinManager::DetachFromDialog()
{
    if (m_dialog == NULL)
        return;
    for (Control& c : m_controls) {
        if (c.control->m_hWnd != NULL && ::IsWindow(c.control->m_hWnd))
            c.control->UnsubclassWindow();
        if (c.before) {
            c.before->Restore();
            c.before.reset();
        }
    }
    if (m_skinDlg != NULL)
        m_skinDlg->Detach();
    if (::IsWindow(m_dialog))
        ::RedrawWindow(m_dialog, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    m_dialog = NULL;
}

void CSkinManager::ReleaseSkin()
{
    DetachFromDialog(); // a control deleted while it holds a window would destroy it
    m_factory.reset();
    m_skinDlg.reset();
    m_controls.clear();
}

void CSkinManager::AddControl(std::unique_ptr<CWnd> control, UINT id)
{
    if (control)
        m_controls.push_back(Control{std::move(control), id, nullptr});
}

void CSkinManager::SetSkinDlg(std::unique_ptr<CSkinDlg> skinDlg)
{
    m_skinDlg = std::move(skinDlg);
}

CWnd* CSkinManager::FindControl(UINT id) const
{
    for (const Control& c : m_controls) {
        if (c.id == id)
            return c.control.get();
    }
    return NULL;
}

namespace {

bool FileExists(const CString& path)
{
    DWORD attributes = ::GetFileAttributesA(path);
    return !path.IsEmpty() && attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A catalogue path is relative to the application folder unless it names a
// drive or a share itself.
CString InFolder(LPCSTR folder, const CString& path)
{
    const bool absolute = (path.GetLength() > 1 && path[1] == ':') || (path.GetLength() > 0 && path[0] == '\\');
    return absolute ? path : CString(folder) + "\\" + path;
}

CString FolderOf(const CString& path)
{
    int slash = path.ReverseFind('\\');
    return slash < 0 ? CString() : path.Left(slash);
}

// Makes the skin library the resource module for one scope and frees it
// after: bitmaps and cursors of the skin are found in it while it builds.
class SkinLibraryInUse
{
public:
    explicit SkinLibraryInUse(LPCSTR path)
        // Read as data: a skin's library holds pictures only, and no code
        // of a skin someone dropped into the folder runs.
        : m_library(::LoadLibraryExA(path, NULL, LOAD_LIBRARY_AS_DATAFILE)),
          m_previous(AfxGetResourceHandle())
    {
        if (m_library != NULL)
            AfxSetResourceHandle(m_library);
    }
    ~SkinLibraryInUse()
    {
        if (m_library != NULL) {
            AfxSetResourceHandle(m_previous);
            ::FreeLibrary(m_library);
        }
    }
    SkinLibraryInUse(const SkinLibraryInUse&) = delete;
    SkinLibraryInUse& operator=(const SkinLibraryInUse&) = delete;
    bool Loaded() const { return m_library != NULL; }

private:
    HMODULE m_library;
    HINSTANCE m_previous;
};

} // namespace

BOOL GetSkinFiles(LPCSTR skinName, LPCSTR defaultSkinName, CSkinSet* catalogue, LPCSTR appFolder,
                  SkinFiles& files)
{
    const CString folder(appFolder ? appFolder : "");
    CString ini, library;
    if (skinName != NULL && defaultSkinName != NULL && lstrcmpiA(skinName, defaultSkinName) == 0) {
        ini = folder + "\\Skin.ini";
        library = folder + "\\Nistle.dll";
    } else {
        // The catalogue's own spelling of the name: names are compared
        // without case, and the catalogue is asked only for names it lists.
        CStringList names;
        CString listed;
        if (catalogue != NULL && skinName != NULL && catalogue->GetSkinNames(names)) {
            for (POSITION pos = names.GetHeadPosition(); pos != NULL && listed.IsEmpty();) {
                const CString name = names.GetNext(pos);
                if (name.CompareNoCase(skinName) == 0)
                    listed = name;
            }
        }
        CString iniName, libraryName;
        if (listed.IsEmpty() || !catalogue->GetSkinFiles(listed, iniName, libraryName) || iniName.IsEmpty() ||
            libraryName.IsEmpty())
            return FALSE; // a name the catalogue does not know is no skin
        ini = InFolder(folder, iniName);
        library = InFolder(folder, libraryName);
    }
    files.panelIni = ini;
    files.panelLibrary = library;
    files.pictureIni = FolderOf(ini) + "\\ColorSkin.ini";
    files.pictureLibrary = FolderOf(ini) + "\\Orbane.dll";
    return TRUE;
}

SkinLoadResult LoadDialogSkin(CWnd* dialog, std::unique_ptr<CSkinManager>& manager, LPCSTR iniPath,
                              LPCSTR library)
{
    if (iniPath == NULL || library == NULL || !FileExists(iniPath) || !FileExists(library))
        return kSkinFilesMissing;
    SkinLibraryInUse resources(library);
    if (!resources.Loaded())
        return kSkinLibraryFailed;
    auto built = std::make_unique<CSkinManager>();
    if (!built->LoadSkin(iniPath))
        return kSkinUnreadable;
    if (manager) {
        manager->DetachFromDialog();
        manager->ReleaseSkin();
    }
    manager = std::move(built);
    manager->AttachToDialog(dialog);
    return kSkinLoaded;
}
