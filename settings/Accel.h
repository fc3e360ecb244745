// CAccel: the control panel's bindable commands, in groups, and the keyboard
// hot keys bound to them; kept in the "Accel" archive beside the program and
// turned into a Win32 accelerator table. The control panel owns one; the
// interface page reads and edits it through the panel. UI thread only.
#pragma once
#include "platform/mfc/Afx.h"
#include "settings/AccelOb.h"

class CAccel : public CObject
{
public:
    struct CCommandItem
    {
        UINT m_group = 0;
        WORD m_id = 0;
        CString m_name;
        CString m_description;
    };

    CAccel();
    ~CAccel() override;
    CAccel(const CAccel&) = delete;
    CAccel& operator=(const CAccel&) = delete;

    // The archive: group names, command items, bindings. Loading appends to
    // what the table holds and checks every stored count and length against
    // the bytes left; a damaged archive fails it (ar.Failed()).
    void Serialize(CArchive& ar) override;

    // Index of the new group, or -1 for an empty or known name (any case).
    int AddGroup(LPCSTR name);
    // Index of the new item, or -1 for an empty name or when an item with
    // the same id or name (any case) exists.
    int AddCommand(UINT group, WORD id, LPCSTR name, LPCSTR description);
    // The first item's id by name (any case), or -1.
    int GetCommandId(LPCSTR name) const;
    // The item's name, or the empty text.
    CString GetCommandName(WORD id) const;

    // `accel`: fVirt in the low byte, the virtual key in the high 16 bits.
    // 1 when bound; 0 for key 0, an unknown command or a key combination
    // already bound (to any command).
    BOOL SetBinding(DWORD accel, WORD id, WORD extra);
    // Removes the first binding of the named command whose key text equals
    // `keyText` (any case); 1 when one was removed.
    BOOL RemoveBinding(LPCSTR name, LPCSTR keyText);
    // The key texts of a command's bindings, in binding order.
    void GetKeyTexts(WORD id, CStringArray& texts) const;

    // Switches the table's use on once: 1 when `value` is non-zero and the
    // switch was still off; after that the switch stays and the result is 0.
    BOOL SetEnabled(DWORD_PTR value);
    BOOL IsEnabled() const { return m_enabled; }
    // Builds the Win32 table from the bindings in order and replaces the
    // previous one; with no bindings the previous one is destroyed and none
    // is kept. 0, with the previous table kept, when the switch is off or
    // the system refuses.
    BOOL CreateAccelTable();
    HACCEL GetAccelTable() const { return m_hAccel; }

    void RemoveAll();

    // 1, or 0 on any file or archive error. Saving writes a temporary file
    // and replaces the archive; loading reads into a table of its own and
    // takes it over only when the whole archive was read, so a failed load
    // leaves this table as it was.
    BOOL SaveToFile(LPCSTR path);
    BOOL LoadFromFile(LPCSTR path);

    int GetGroupCount() const { return (int)m_groups.GetSize(); }
    CString GetGroupName(int index) const;
    int GetCommandCount() const { return (int)m_items.GetSize(); }
    // NULL outside 0 .. count - 1.
    const CCommandItem* GetCommandItem(int index) const;
    int GetBindingCount() const { return (int)m_bindings.GetCount(); }
    // NULL outside 0 .. count - 1.
    const CAccelOb* GetBinding(int index) const;

    // "Ctrl", "Alt", "Shift" as present, each followed by "+", then the key's
    // name; empty when the key is 0 or has no name.
    static CString GetKeyText(BYTE fVirt, WORD key);
    // The key-name table's name, or NULL.
    static LPCSTR GetKeyName(WORD key);

private:
    BOOL LoadArchive(CArchive& ar);
    void StoreArchive(CArchive& ar);
    void TakeContents(CAccel& other);

    CStringArray m_groups;
    CArray<CCommandItem> m_items;
    CTypedPtrList<CObList, CAccelOb*> m_bindings; // owned
    HACCEL m_hAccel = NULL;
    BOOL m_enabled = FALSE;
};
