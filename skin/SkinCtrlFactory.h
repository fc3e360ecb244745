// CSkinCtrlFactory: builds one skin's objects from its ini file, one object
// per section in file order, and hands them to the skin manager: buttons,
// sliders, the range bar and texts as controls to take over by id, and the
// dialog's background and shape. A section that lacks a required key, whose
// bitmaps do not load or whose values are out of bounds is skipped; the rest
// of the skin is built. Owned by its manager; UI thread.
#pragma once
#include "store/SkinIniFile.h"
#include "skin/SkinBitmap.h"

class CSkinManager;
class CSkinBtn;
class CSkinSlider;
class CSkinMultiSlider;
class CSkinText;

class CSkinCtrlFactory
{
public:
    // Bitmap files named by the ini are looked for in its folder.
    CSkinCtrlFactory(CSkinManager* manager, LPCSTR iniPath);
    virtual ~CSkinCtrlFactory();
    CSkinCtrlFactory(const CSkinCtrlFactory&) = delete;
    CSkinCtrlFactory& operator=(const CSkinCtrlFactory&) = delete;

    // FALSE only when the ini cannot be read (GetErrorText says why); TRUE
    // whether or not any section made an object.
    BOOL Build();
    // The object of one section, or NULL (also for a Dialog section, whose
    // object goes to the manager itself); `id` is the section's control id.
    CWnd* CreateFromSection(CSkinSection* section, UINT& id);
    const CString& GetErrorText() const { return m_ini.GetErrorText(); }
    const CString& GetSkinFolder() const { return m_folder; }

    virtual BOOL CreateDialogSkin(CSkinSection* section);
    virtual CSkinSlider* CreateSlider(CSkinSection* section);
    virtual CSkinMultiSlider* CreateMultiSlider(CSkinSection* section);
    virtual CSkinBtn* CreateButton(CSkinSection* section);
    virtual CSkinText* CreateStatic(CSkinSection* section);

private:
    CSkinIniFile m_ini;
    CSkinManager* m_manager; // not owned: the manager owns us
    CString m_folder;
};
