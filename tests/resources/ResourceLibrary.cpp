#include "ResourceLibrary.h"

#include <cstring>

ResourceLibrary::ResourceLibrary(const char* name, LoadAs how)
    : m_module(how == Program ? ::LoadLibraryA(name)
                              : ::LoadLibraryExA(name, NULL, LOAD_LIBRARY_AS_DATAFILE))
{
}

ResourceLibrary::~ResourceLibrary()
{
    if (m_module)
        ::FreeLibrary(m_module);
}

bool ResourceLibrary::Has(LPCSTR type, unsigned id) const
{
    return m_module && ::FindResourceA(m_module, MAKEINTRESOURCEA(id), type) != NULL;
}

std::string ResourceLibrary::Bytes(LPCSTR type, unsigned id) const
{
    if (!m_module)
        return std::string();
    HRSRC found = ::FindResourceA(m_module, MAKEINTRESOURCEA(id), type);
    HGLOBAL loaded = found ? ::LoadResource(m_module, found) : NULL;
    const void* data = loaded ? ::LockResource(loaded) : NULL;
    if (!data)
        return std::string();
    return std::string(static_cast<const char*>(data), ::SizeofResource(m_module, found));
}

std::string ResourceLibrary::String(unsigned id) const
{
    char text[4096] = {0};
    int n = m_module ? ::LoadStringA(m_module, id, text, (int)sizeof text) : 0;
    return std::string(text, n > 0 ? n : 0);
}

const TemplateControl* DialogTemplate::Find(unsigned id) const
{
    for (const TemplateControl& c : controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

namespace {

// Walks the bytes of a resource with bounds checks; any read past the end
// marks the reader failed and yields zeros.
class Reader
{
public:
    explicit Reader(const std::string& bytes) : m_bytes(bytes) {}

    bool Ok() const { return m_ok; }
    bool AtEnd() const { return m_pos >= m_bytes.size(); }
    size_t Position() const { return m_pos; }

    template <typename T> T Read()
    {
        T value = T();
        if (m_pos + sizeof(T) > m_bytes.size()) {
            m_ok = false;
            m_pos = m_bytes.size();
            return value;
        }
        memcpy(&value, m_bytes.data() + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }

    // A zero-terminated UTF-16 text, narrowed (the texts are ASCII).
    std::string Text()
    {
        std::string s;
        for (;;) {
            WORD c = Read<WORD>();
            if (!m_ok || c == 0)
                return s;
            s += c < 0x80 ? (char)c : '?';
        }
    }

    // A name-or-ordinal field: empty, an ordinal ("#n", number kept), or a text.
    std::string NameOrOrdinal(unsigned* ordinal)
    {
        WORD first = Read<WORD>();
        if (first == 0x0000)
            return std::string();
        if (first == 0xFFFF) {
            WORD n = Read<WORD>();
            if (ordinal)
                *ordinal = n;
            return "#" + std::to_string(n);
        }
        m_pos -= sizeof(WORD);
        return Text();
    }

    void AlignTo4() { m_pos = (m_pos + 3) & ~size_t(3); }
    void Skip(size_t n)
    {
        if (m_pos + n > m_bytes.size()) {
            m_ok = false;
            m_pos = m_bytes.size();
        } else {
            m_pos += n;
        }
    }

private:
    const std::string& m_bytes;
    size_t m_pos = 0;
    bool m_ok = true;
};

std::string PredefinedClass(const std::string& field)
{
    static const char* const kNames[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    if (field.size() > 1 && field[0] == '#') {
        unsigned atom = (unsigned)atoi(field.c_str() + 1);
        if (atom >= 0x80 && atom <= 0x85)
            return kNames[atom - 0x80];
    }
    return field;
}

RECT DialogRect(Reader& r)
{
    RECT rc;
    rc.left = r.Read<short>();
    rc.top = r.Read<short>();
    rc.right = rc.left + r.Read<short>();
    rc.bottom = rc.top + r.Read<short>();
    return rc;
}

} // namespace

DialogTemplate ParseDialogTemplate(const std::string& bytes)
{
    DialogTemplate t;
    Reader r(bytes);
    WORD version = r.Read<WORD>();
    WORD signature = r.Read<WORD>();
    const bool extended = version == 1 && signature == 0xFFFF;
    if (extended) {
        r.Read<DWORD>();                         // help id
        t.exStyle = r.Read<DWORD>();
        t.style = r.Read<DWORD>();
    } else {
        t.style = MAKELONG(version, signature);
        t.exStyle = r.Read<DWORD>();
    }
    WORD count = r.Read<WORD>();
    t.rect = DialogRect(r);
    r.NameOrOrdinal(&t.menu);
    r.NameOrOrdinal(nullptr);                    // window class
    t.title = r.Text();
    if (t.style & (DS_SETFONT | DS_SHELLFONT)) {
        r.Read<WORD>();                          // point size
        if (extended) {
            r.Read<WORD>();                      // weight
            r.Read<WORD>();                      // italic, character set
        }
        t.font = r.Text();
    }
    for (WORD i = 0; i < count && r.Ok(); ++i) {
        r.AlignTo4();
        TemplateControl c;
        if (extended) {
            r.Read<DWORD>();                     // help id
            c.exStyle = r.Read<DWORD>();
            c.style = r.Read<DWORD>();
        } else {
            c.style = r.Read<DWORD>();
            c.exStyle = r.Read<DWORD>();
        }
        c.rect = DialogRect(r);
        c.id = extended ? r.Read<DWORD>() : r.Read<WORD>();
        c.className = PredefinedClass(r.NameOrOrdinal(nullptr));
        c.text = r.NameOrOrdinal(nullptr);
        r.Skip(r.Read<WORD>());                  // creation data
        t.controls.push_back(c);
    }
    t.valid = r.Ok() && t.controls.size() == count;
    return t;
}

// One level of a menu: items up to the one that carries MF_END; a popup's
// items follow it as the next level down.
static void ParseMenuLevel(Reader& r, int depth, std::vector<MenuEntry>* entries)
{
    while (r.Ok() && !r.AtEnd()) {
        WORD option = r.Read<WORD>();
        MenuEntry e;
        e.depth = depth;
        e.popup = (option & MF_POPUP) != 0;
        e.id = e.popup ? 0 : r.Read<WORD>();
        e.text = r.Text();
        e.separator = !e.popup && e.id == 0 && e.text.empty();
        entries->push_back(e);
        if (e.popup)
            ParseMenuLevel(r, depth + 1, entries);
        if (option & MF_END)
            return;
    }
}

std::vector<MenuEntry> ParseMenu(const std::string& bytes, bool* valid)
{
    std::vector<MenuEntry> entries;
    Reader r(bytes);
    WORD version = r.Read<WORD>();
    WORD headerSize = r.Read<WORD>();
    r.Skip(headerSize);
    if (r.Ok() && version == 0)
        ParseMenuLevel(r, 0, &entries);
    *valid = r.Ok() && version == 0 && !entries.empty();
    return entries;
}

ToolBarResource ParseToolBar(const std::string& bytes)
{
    ToolBarResource t;
    Reader r(bytes);
    WORD version = r.Read<WORD>();
    t.width = r.Read<WORD>();
    t.height = r.Read<WORD>();
    WORD count = r.Read<WORD>();
    for (WORD i = 0; i < count && r.Ok(); ++i)
        t.commands.push_back(r.Read<WORD>());
    t.valid = r.Ok() && version == 1 && t.commands.size() == count;
    return t;
}
