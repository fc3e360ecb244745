// CSkinManager: one skin's objects and their dialog. It builds the objects
// from a skin ini (through CSkinCtrlFactory), dresses a dialog made from a
// template in them (each control takes over the template's control of its
// id) and takes them off again, giving every control and the dialog back
// their own place, shape and style. One manager per skinned dialog, owned by
// that dialog's window object; UI thread.
//
// Changing a dialog's skin (LoadDialogSkin below): a new manager builds
// from the new files, and only when it has built does it replace the old.
#pragma once
#include "skin/SkinWindowState.h"

#include <memory>
#include <vector>

class CSkinCtrlFactory;
class CSkinDlg;
class CSkinSet;

class CSkinManager
{
public:
    CSkinManager();
    // Releases the skin (taking it off a dialog still dressed).
    virtual ~CSkinManager();
    CSkinManager(const CSkinManager&) = delete;
    CSkinManager& operator=(const CSkinManager&) = delete;

    // Builds the skin of the ini at `iniPath` (a skin held before is taken
    // off and released first); bitmap and cursor ids are looked for in the
    // current resource module. FALSE when the ini cannot be read.
    BOOL LoadSkin(LPCSTR iniPath);
    // Each control takes over the dialog's control of its id, in list order;
    // then the dialog gets the skin's size, shape and background.
    void AttachToDialog(CWnd* dialog);
    // Gives every control that still exists, and the dialog, back what the
    // skin changed.
    void DetachFromDialog();
    void ReleaseSkin();
    void AddControl(std::unique_ptr<CWnd> control, UINT id);
    void SetSkinDlg(std::unique_ptr<CSkinDlg> skinDlg);

    int GetControlCount() const { return (int)m_controls.size(); }
    CWnd* GetControl(int index) const { return m_controls[index].control.get(); }
    UINT GetControlId(int index) const { return m_controls[index].id; }
    // The control of that id, or NULL.
    CWnd* FindControl(UINT id) const;
    CSkinDlg* GetSkinDlg() const { return m_skinDlg.get(); }
    CSkinCtrlFactory* GetFactory() const { return m_factory.get(); }
    BOOL IsAttached() const { return m_dialog != NULL; }

private:
    struct Control
    {
        std::unique_ptr<CWnd> control;
        UINT id;
        std::unique_ptr<CSkinWindowState> before; // the template control's own look
    };

    std::vector<Control> m_controls;
    std::unique_ptr<CSkinCtrlFactory> m_factory;
    std::unique_ptr<CSkinDlg> m_skinDlg;
    HWND m_dialog; // the dialog dressed, NULL when none
};

// The four files of a skin: the control panel's ini and resource library
// and the picture dialog's.
struct SkinFiles
{
    CString panelIni;
    CString panelLibrary;
    CString pictureIni;
    CString pictureLibrary;
};

// The files of the skin `skinName` in the application folder `appFolder`:
// the default skin's "Skin.ini" with "Nistle.dll"; another skin's ini and
// library from the catalogue (names compared without case, paths relative to the application folder),
// with the picture dialog's "ColorSkin.ini" and "Orbane.dll" from the
// folder of that ini. FALSE when the catalogue gives no files for the name.
BOOL GetSkinFiles(LPCSTR skinName, LPCSTR defaultSkinName, CSkinSet* catalogue, LPCSTR appFolder,
                  SkinFiles& files);

enum SkinLoadResult
{
    kSkinLoaded,          // the dialog wears the new skin
    kSkinFilesMissing,    // the ini or the library does not exist: nothing changed
    kSkinLibraryFailed,   // the library does not load: nothing changed
    kSkinUnreadable,      // the ini cannot be read: the old skin stays
};

// Dresses `dialog` in the skin of `iniPath` with the bitmaps of `library`:
// while the library is the resource module a new manager builds; when it
// has built, the old one (`manager`, may be empty) is taken off and
// released and the new one put on and stored in `manager`. The library is
// read as data and freed again at once; the skin keeps its bitmaps.
SkinLoadResult LoadDialogSkin(CWnd* dialog, std::unique_ptr<CSkinManager>& manager, LPCSTR iniPath,
                              LPCSTR library);
