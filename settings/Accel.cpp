#include "settings/Accel.h"

#include "store/SafeSaveFile.h"
#include "graph/DebugHelper.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct KeyName
{
    WORD key;
    const char* name;
};

// The names the interface page shows for the keys a hot key may use; a key
// not listed here cannot be bound from the page. Each name has at most 15
// characters.
constexpr KeyName kKeyNames[] = {
    {0x01, "VK_LBUTTON"}, {0x02, "VK_RBUTTON"}, {0x03, "VK_CANCEL"}, {0x04, "VK_MBUTTON"},
    {0x08, "BACK"}, {0x09, "TAB"}, {0x0C, "VK_CLEAR"}, {0x0D, "RETURN"},
    {0x10, "SHIFT"}, {0x11, "CONTROL"}, {0x12, "MENU"}, {0x13, "PAUSE"}, {0x14, "Caps Lock"},
    {0x1B, "ESCAPE"},
    {0x20, "SPACE"}, {0x21, "PageUp"}, {0x22, "PageDown"}, {0x23, "END"}, {0x24, "HOME"},
    {0x25, "LEFT"}, {0x26, "UP"}, {0x27, "RIGHT"}, {0x28, "DOWN"}, {0x29, "VK_SELECT"},
    {0x2A, "PRINT"}, {0x2B, "EXECUTE"}, {0x2C, "SNAPSHOT"}, {0x2D, "INSERT"}, {0x2E, "DELETE"},
    {0x2F, "VK_HELP"},
    {0x30, "0"}, {0x31, "1"}, {0x32, "2"}, {0x33, "3"}, {0x34, "4"},
    {0x35, "5"}, {0x36, "6"}, {0x37, "7"}, {0x38, "8"}, {0x39, "9"},
    {0x41, "A"}, {0x42, "B"}, {0x43, "C"}, {0x44, "D"}, {0x45, "E"}, {0x46, "F"}, {0x47, "G"},
    {0x48, "H"}, {0x49, "I"}, {0x4A, "J"}, {0x4B, "K"}, {0x4C, "L"}, {0x4D, "M"}, {0x4E, "N"},
    {0x4F, "O"}, {0x50, "P"}, {0x51, "Q"}, {0x52, "R"}, {0x53, "S"}, {0x54, "T"}, {0x55, "U"},
    {0x56, "V"}, {0x57, "W"}, {0x58, "X"}, {0x59, "Y"}, {0x5A, "Z"},
    {0x5B, "VK_LWIN"}, {0x5C, "VK_RWIN"}, {0x5D, "VK_APPS"},
    {0x60, "Num 0"}, {0x61, "Num 1"}, {0x62, "Num 2"}, {0x63, "Num 3"}, {0x64, "Num 4"},
    {0x65, "Num 5"}, {0x66, "Num 6"}, {0x67, "Num 7"}, {0x68, "Num 8"}, {0x69, "Num 9"},
    {0x6A, "Num *"}, {0x6B, "Num +"}, {0x6C, "SEPARATOR"}, {0x6D, "Num -"}, {0x6E, "Num Del"},
    {0x6F, "Num /"},
    {0x70, "F1"}, {0x71, "F2"}, {0x72, "F3"}, {0x73, "F4"}, {0x74, "F5"}, {0x75, "F6"},
    {0x76, "F7"}, {0x77, "F8"}, {0x78, "F9"}, {0x79, "F10"}, {0x7A, "F11"}, {0x7B, "F12"},
    {0x7C, "F13"}, {0x7D, "F14"}, {0x7E, "F15"}, {0x7F, "F16"}, {0x80, "F17"}, {0x81, "F18"},
    {0x82, "F19"}, {0x83, "F20"}, {0x84, "F21"}, {0x85, "F22"}, {0x86, "F23"}, {0x87, "F24"},
    {0x90, "Num Lock"}, {0x91, "SCROLL lOCK"},
    {0xBA, ";"}, {0xBB, "="}, {0xBC, ","}, {0xBD, "-"}, {0xBE, "."}, {0xBF, "/"}, {0xC0, "`"},
    {0xDB, "["}, {0xDC, "\\"}, {0xDD, "]"},
    // The quote key: a name of its own, so that removing a binding by its
    // text never finds a comma binding first.
    {0xDE, "'"},
    {0xF6, "VK_ATTN"}, {0xF7, "VK_CRSEL"}, {0xF8, "VK_EXSEL"}, {0xF9, "VK_EREOF"}, {0xFA, "VK_PLAY"},
    {0xFB, "VK_ZOOM"}, {0xFC, "VK_NONAME"}, {0xFD, "VK_PA1"}, {0xFE, "VK_OEM_CLEAR"},
};
static_assert(sizeof kKeyNames / sizeof kKeyNames[0] == 131, "one row per nameable key");

// The order in which modifiers are written.
constexpr KeyName kModifierNames[] = {
    {CAccelOb::kCtrl, "Ctrl"},
    {CAccelOb::kAlt, "Alt"},
    {CAccelOb::kShift, "Shift"},
};

// What one stored item takes at the least: group index, id and two empty
// strings.
constexpr UINT kMinItemBytes = 4 + 2 + 1 + 1;
// An "Accel" archive holds a few dozen commands: a file far larger than this
// is not one.
constexpr LONGLONG kMaxArchiveBytes = 1 << 20;

// Reads a stored count or length and refuses it when what it announces
// cannot fit in the bytes left.
class BoundedLoad
{
public:
    explicit BoundedLoad(CArchive& ar) : m_ar(ar) {}

    bool Count(ULONGLONG count, UINT minBytesEach)
    {
        if (!m_ar.Failed() && count <= m_ar.GetBytesLeft() / minBytesEach)
            return true;
        Fail();
        return false;
    }
    DWORD_PTR ReadCount16()
    {
        DWORD_PTR count = m_ar.ReadCount();
        return Count(count, 1) ? count : 0;
    }
    DWORD ReadCount32(UINT minBytesEach)
    {
        DWORD count = 0;
        m_ar >> count;
        return Count(count, minBytesEach) ? count : 0;
    }
    CString ReadString()
    {
        CString text;
        const ULONGLONG left = m_ar.GetBytesLeft();
        m_ar.ReadString(text, (UINT)std::min<ULONGLONG>(left, CArchive::kMaxString));
        return text;
    }
    bool ok() const { return !m_ar.Failed(); }

private:
    // Makes the archive fail as a short read would.
    void Fail()
    {
        BYTE sink[4096];
        while (!m_ar.Failed())
            m_ar.Read(sink, sizeof sink);
    }

    CArchive& m_ar;
};

} // namespace

CAccel::CAccel() : m_bindings(10) {}

CAccel::~CAccel()
{
    if (m_hAccel)
        ::DestroyAcceleratorTable(m_hAccel);
    RemoveAll();
}

void CAccel::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        StoreArchive(ar);
    else
        LoadArchive(ar);
}

void CAccel::StoreArchive(CArchive& ar)
{
    m_groups.Serialize(ar);
    ar << (DWORD)m_items.GetSize();
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
        const CCommandItem& item = m_items[i];
        ar << (DWORD)item.m_group << item.m_id << item.m_name << item.m_description;
    }
    ar << (DWORD)m_bindings.GetCount();
    for (POSITION pos = m_bindings.GetHeadPosition(); pos;)
        m_bindings.GetNext(pos)->Serialize(ar);
}

BOOL CAccel::LoadArchive(CArchive& ar)
{
    BoundedLoad in(ar);
    for (DWORD_PTR n = in.ReadCount16(); n > 0 && in.ok(); --n) {
        CString name = in.ReadString();
        if (in.ok())
            m_groups.Add(name);
    }
    for (DWORD n = in.ReadCount32(kMinItemBytes); n > 0 && in.ok(); --n) {
        CCommandItem item;
        DWORD group = 0;
        ar >> group >> item.m_id;
        item.m_group = group;
        item.m_name = in.ReadString();
        item.m_description = in.ReadString();
        if (in.ok())
            m_items.Add(item);
    }
    for (DWORD n = in.ReadCount32(CAccelOb::kArchivedSize); n > 0 && in.ok(); --n) {
        auto binding = std::make_unique<CAccelOb>();
        binding->Serialize(ar);
        if (in.ok())
            m_bindings.AddTail(binding.release());
    }
    return in.ok();
}

int CAccel::AddGroup(LPCSTR name)
{
    if (!name || !*name)
        return -1;
    for (INT_PTR i = 0; i < m_groups.GetSize(); ++i)
        if (m_groups[i].CompareNoCase(name) == 0)
            return -1;
    return (int)m_groups.Add(name);
}

int CAccel::AddCommand(UINT group, WORD id, LPCSTR name, LPCSTR description)
{
    if (!name || !*name)
        return -1;
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        if (m_items[i].m_id == id || m_items[i].m_name.CompareNoCase(name) == 0)
            return -1;
    CCommandItem item;
    item.m_group = group;
    item.m_id = id;
    item.m_name = name;
    item.m_description = description ? description : "";
    return (int)m_items.Add(item);
}

int CAccel::GetCommandId(LPCSTR name) const
{
    if (!name)
        return -1;
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        if (m_items[i].m_name.CompareNoCase(name) == 0)
            return m_items[i].m_id;
    return -1;
}

CString CAccel::GetCommandName(WORD id) const
{
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        if (m_items[i].m_id == id)
            return m_items[i].m_name;
    return CString();
}

BOOL CAccel::SetBinding(DWORD accel, WORD id, WORD extra)
{
    const WORD key = (WORD)(accel >> 16);
    // Every binding is a virtual-key binding: flags that differ only in that
    // bit name the same key combination.
    const BYTE fVirt = (BYTE)(accel & 0xFF) | CAccelOb::kVirtKey;
    if (key == 0 || GetCommandName(id).IsEmpty())
        return FALSE;
    for (POSITION pos = m_bindings.GetHeadPosition(); pos;) {
        const CAccelOb* ob = m_bindings.GetNext(pos);
        if ((ob->m_fVirt | CAccelOb::kVirtKey) == fVirt && ob->m_key == key)
            return FALSE;
    }
    m_bindings.AddTail(new CAccelOb(fVirt, key, id, extra));
    return TRUE;
}

BOOL CAccel::RemoveBinding(LPCSTR name, LPCSTR keyText)
{
    const int id = GetCommandId(name);
    if (id < 0 || !keyText || !*keyText)
        return FALSE;
    for (POSITION pos = m_bindings.GetHeadPosition(); pos;) {
        const POSITION at = pos;
        CAccelOb* ob = m_bindings.GetNext(pos);
        if (ob->m_cmd == (WORD)id && ob->GetKeyText().CompareNoCase(keyText) == 0) {
            m_bindings.RemoveAt(at);
            delete ob;
            return TRUE;
        }
    }
    return FALSE;
}

void CAccel::GetKeyTexts(WORD id, CStringArray& texts) const
{
    texts.RemoveAll();
    for (POSITION pos = m_bindings.GetHeadPosition(); pos;) {
        const CAccelOb* ob = m_bindings.GetNext(pos);
        if (ob->m_cmd == id)
            texts.Add(ob->GetKeyText());
    }
}

BOOL CAccel::SetEnabled(DWORD_PTR value)
{
    if (m_enabled)
        return FALSE;
    m_enabled = value != 0;
    return m_enabled;
}

BOOL CAccel::CreateAccelTable()
{
    if (!m_enabled)
        return FALSE;
    if (m_bindings.IsEmpty()) {
        // The system makes no table of no entries; the old one must still
        // go, or the hot keys just removed would keep working.
        if (m_hAccel && !::DestroyAcceleratorTable(m_hAccel))
            return FALSE;
        m_hAccel = NULL;
        return TRUE;
    }
    std::vector<ACCEL> entries;
    entries.reserve((size_t)m_bindings.GetCount());
    for (POSITION pos = m_bindings.GetHeadPosition(); pos;) {
        const CAccelOb* ob = m_bindings.GetNext(pos);
        ACCEL entry;
        entry.fVirt = ob->m_fVirt;
        entry.key = ob->m_key;
        entry.cmd = ob->m_cmd;
        entries.push_back(entry);
    }
    HACCEL table = ::CreateAcceleratorTableA(entries.data(), (int)entries.size());
    if (!table) {
        DebugHelper("CAccel: no accelerator table for %d bindings (%lu)\n", (int)entries.size(), ::GetLastError());
        return FALSE;
    }
    if (m_hAccel && !::DestroyAcceleratorTable(m_hAccel)) {
        ::DestroyAcceleratorTable(table);
        return FALSE;
    }
    m_hAccel = table;
    return TRUE;
}

void CAccel::RemoveAll()
{
    m_groups.RemoveAll();
    m_items.RemoveAll();
    while (!m_bindings.IsEmpty())
        delete m_bindings.RemoveHead();
}

void CAccel::TakeContents(CAccel& other)
{
    RemoveAll();
    m_groups.Copy(other.m_groups);
    m_items.Copy(other.m_items);
    while (!other.m_bindings.IsEmpty())
        m_bindings.AddTail(other.m_bindings.RemoveHead());
    other.RemoveAll();
}

BOOL CAccel::SaveToFile(LPCSTR path)
{
    CSafeSaveFile file;
    if (!path || !file.OpenFor(path, TRUE))
        return FALSE;
    BOOL stored;
    {
        CArchive ar(&file, CArchive::store);
        Serialize(ar);
        stored = ar.Close();
    }
    if (!stored) {
        file.Discard();
        DebugHelper("CAccel: could not write %s\n", path);
        return FALSE;
    }
    return file.Commit();
}

BOOL CAccel::LoadFromFile(LPCSTR path)
{
    CFile file;
    if (!path || !file.Open(path, CFile::modeRead | CFile::typeBinary | CFile::shareDenyWrite))
        return FALSE;
    const LONGLONG length = file.GetLength();
    if (length < 0 || length > kMaxArchiveBytes) {
        DebugHelper("CAccel: %s is not a hot-key archive (%lld bytes)\n", path, (long long)length);
        return FALSE;
    }
    CAccel loaded;
    CArchive ar(&file, CArchive::load);
    if (!loaded.LoadArchive(ar)) {
        DebugHelper("CAccel: %s is damaged; the hot keys stay as they were\n", path);
        return FALSE;
    }
    TakeContents(loaded);
    return TRUE;
}

CString CAccel::GetGroupName(int index) const
{
    return index >= 0 && index < m_groups.GetSize() ? m_groups[index] : CString();
}

const CAccel::CCommandItem* CAccel::GetCommandItem(int index) const
{
    return index >= 0 && index < m_items.GetSize() ? &m_items[index] : NULL;
}

const CAccelOb* CAccel::GetBinding(int index) const
{
    POSITION pos = m_bindings.FindIndex(index);
    return pos ? m_bindings.GetAt(pos) : NULL;
}

LPCSTR CAccel::GetKeyName(WORD key)
{
    for (const KeyName& row : kKeyNames)
        if (row.key == key)
            return row.name;
    return NULL;
}

CString CAccel::GetKeyText(BYTE fVirt, WORD key)
{
    LPCSTR name = key ? GetKeyName(key) : NULL;
    if (!name)
        return CString();
    CString text;
    for (const KeyName& modifier : kModifierNames)
        if (fVirt & modifier.key) {
            text += modifier.name;
            text += "+";
        }
    return text + name;
}
