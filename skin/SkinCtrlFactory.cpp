#include "skin/SkinCtrlFactory.h"

#include "skin/SkinBtn.h"
#include "skin/SkinDlg.h"
#include "skin/SkinManager.h"
#include "skin/SkinMultiSlider.h"
#include "skin/SkinShare.h"
#include "skin/SkinSlider.h"
#include "skin/SkinText.h"

#include <memory>

namespace {

// Skin files are outside input: places, sizes and pixel offsets beyond a
// screen's worth, and resource ids outside the 16 bits a resource number
// has, make the section unusable.
const int kMaxPixels = 16384;
const UINT kMaxResourceId = 0xFFFF;
const int kMaxFontCell = 1000;
const COLORREF kDefaultTransparent = RGB(0, 255, 0);

// The values of one section, read by the rules of the skin file: a missing
// or malformed required value makes the whole section unusable (ok() false);
// an optional one falls back to its default.
class SectionReader
{
public:
    SectionReader(CSkinSection* section, const CString& folder) : m_section(section), m_folder(folder) {}

    bool ok() const { return m_ok; }
    void Require(bool condition) { m_ok = m_ok && condition; }

    int Int(LPCSTR key, int low = INT_MIN, int high = INT_MAX)
    {
        int value = 0;
        Require(m_section->GetInt(key, value) && value >= low && value <= high);
        return value;
    }
    int IntOr(LPCSTR key, int fallback)
    {
        int value;
        return m_section->GetInt(key, value) ? value : fallback;
    }
    CPoint Point(LPCSTR key, int low, int high)
    {
        POINT p = {0, 0};
        Require(m_section->GetPoint(key, p) && Within(p.x, low, high) && Within(p.y, low, high));
        return CPoint(p);
    }
    // An optional pair: false, with nothing read, when missing, malformed
    // or out of bounds.
    bool PointIf(LPCSTR key, int low, int high, CPoint& value)
    {
        POINT p;
        if (!m_section->GetPoint(key, p) || !Within(p.x, low, high) || !Within(p.y, low, high))
            return false;
        value = p;
        return true;
    }
    bool IntIf(LPCSTR key, int low, int high, int& value)
    {
        int v;
        if (!m_section->GetInt(key, v) || !Within(v, low, high))
            return false;
        value = v;
        return true;
    }
    COLORREF ColourOr(LPCSTR key, COLORREF fallback)
    {
        RGBTriple c;
        return m_section->GetColor(key, c) ? RGB(c.red, c.green, c.blue) : fallback;
    }
    // A colour word written as one decimal number, red in the low byte.
    COLORREF PlainColour(LPCSTR key)
    {
        LONG value = 0;
        Require(m_section->GetLong(key, value));
        return (COLORREF)value & 0xFFFFFF;
    }
    // The first of `count` consecutive bitmap resource ids.
    UINT ResourceId(LPCSTR key, UINT count)
    {
        UINT id = 0;
        Require(m_section->GetUInt(key, id) && id != 0 && id <= kMaxResourceId - (count - 1));
        return id;
    }
    // A file of the skin's folder: the key's text with `suffix` after it.
    CString File(LPCSTR key, LPCSTR suffix)
    {
        CString name;
        Require(m_section->GetString(key, name) && !name.IsEmpty());
        return m_folder.IsEmpty() ? name + suffix : m_folder + "\\" + name + suffix;
    }
    // A bitmap named by `key`: a file with LOADFROM 1, else a resource id.
    CSkinPicture Picture(LPCSTR key, int loadFrom)
    {
        if (loadFrom == 1)
            return CSkinPicture((LPCSTR)File(key, ".bmp"));
        return CSkinPicture(ResourceId(key, 1));
    }

private:
    static bool Within(int v, int low, int high) { return v >= low && v <= high; }

    CSkinSection* m_section;
    const CString& m_folder;
    bool m_ok = true;
};

// Keeps the object only when the whole section was usable.
template <class T> T* Kept(std::unique_ptr<T>& object, bool usable)
{
    return usable ? object.release() : NULL;
}

} // namespace

CSkinCtrlFactory::CSkinCtrlFactory(CSkinManager* manager, LPCSTR iniPath)
    : m_ini(iniPath), m_manager(manager), m_folder(CSkinShare::GetFileFolder(iniPath))
{
}

CSkinCtrlFactory::~CSkinCtrlFactory() {}

BOOL CSkinCtrlFactory::Build()
{
    if (!m_ini.Load())
        return FALSE;
    for (POSITION pos = m_ini.GetFirstSectionPosition(); pos != NULL;) {
        CSkinSection* section = m_ini.GetNextSection(pos);
        UINT id = 0;
        if (CWnd* control = CreateFromSection(section, id))
            m_manager->AddControl(std::unique_ptr<CWnd>(control), id);
    }
    return TRUE;
}

CWnd* CSkinCtrlFactory::CreateFromSection(CSkinSection* section, UINT& id)
{
    CString type;
    UINT sectionId = 0;
    if (section == NULL || !section->GetString("TYPE", type) || !section->GetUInt("ID", sectionId))
        return NULL;
    id = sectionId;
    if (type.CompareNoCase("BUTTON") == 0)
        return CreateButton(section);
    if (type.CompareNoCase("SLIDER") == 0)
        return CreateSlider(section);
    if (type.CompareNoCase("MULTISLIDER") == 0)
        return CreateMultiSlider(section);
    if (type.CompareNoCase("STATIC") == 0)
        return CreateStatic(section);
    if (type.CompareNoCase("Dialog") == 0)
        CreateDialogSkin(section);
    return NULL;
}

CSkinBtn* CSkinCtrlFactory::CreateButton(CSkinSection* section)
{
    SectionReader r(section, m_folder);
    auto button = std::make_unique<CSkinBtn>();
    button->SetStyle(r.IntOr("STYLE", 0));
    const BOOL transparent = r.IntOr("TRANSPARENT", 0) != 0;
    button->SetPosition(r.Point("POSITION", -kMaxPixels, kMaxPixels));
    const COLORREF key = r.ColourOr("TRANSCOLOR", kDefaultTransparent);
    if (r.IntOr("LOADFROM", 0) == 1) {
        CString base = r.File("BMPNAME", "");
        r.Require(r.ok() && button->LoadBitmaps(base + "H.bmp", base + "U.bmp", base + "D.bmp", base + "X.bmp", key,
                                                transparent));
    } else {
        UINT first = r.ResourceId("BMPNAME", 4);
        r.Require(r.ok() && button->LoadBitmaps(first, first + 1, first + 2, first + 3, key, transparent));
    }
    return Kept(button, r.ok());
}

namespace {

// What a slider and a range bar read alike.
struct TrackKeys
{
    CPoint position;
    BOOL transparent;
    BOOL horizontal;
    COLORREF key;
    CSkinPicture channel, thumb;
};

TrackKeys ReadTrack(SectionReader& r)
{
    TrackKeys t;
    t.position = r.Point("POSITION", -kMaxPixels, kMaxPixels);
    t.transparent = r.Int("TRANSPARENT") != 0;
    t.horizontal = r.IntOr("HORIZONTAL", 1) != 0;
    t.key = r.ColourOr("TRANSCOLOR", kDefaultTransparent);
    const int loadFrom = r.IntOr("LOADFROM", 0);
    t.channel = r.Picture("SLIDERBMP", loadFrom);
    t.thumb = r.Picture("THUMBBMP", loadFrom);
    return t;
}

} // namespace

CSkinSlider* CSkinCtrlFactory::CreateSlider(CSkinSection* section)
{
    SectionReader r(section, m_folder);
    auto slider = std::make_unique<CSkinSlider>();
    const TrackKeys t = ReadTrack(r);
    slider->SetPosition(t.position);
    slider->SetHorizontal(t.horizontal);
    r.Require(r.ok() && slider->LoadBitmaps(t.channel, t.thumb, t.key, t.transparent));
    return Kept(slider, r.ok());
}

CSkinMultiSlider* CSkinCtrlFactory::CreateMultiSlider(CSkinSection* section)
{
    SectionReader r(section, m_folder);
    auto bar = std::make_unique<CSkinMultiSlider>();
    UINT cursorId = 0;
    if (section->GetUInt("CURSOR", cursorId) && cursorId != 0 && cursorId <= kMaxResourceId) {
        if (HCURSOR cursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(cursorId)))
            bar->SetCursor(cursor); // the bar keeps a copy: the library is freed after building
    }
    const TrackKeys t = ReadTrack(r);
    bar->SetPosition(t.position);
    bar->SetHorizontal(t.horizontal);
    const int startEdge = r.IntOr("STARTEDGE", 0);
    const int endEdge = r.IntOr("ENDEDGE", 0);
    const int middleLine = r.IntOr("MIDDLELINE", 0);
    const int middleHeight = r.IntOr("MIDDLEHEI", 0);
    r.Require(startEdge >= 0 && endEdge <= kMaxPixels && middleLine >= -kMaxPixels && middleLine <= kMaxPixels &&
              middleHeight >= 0 && middleHeight <= kMaxPixels);
    r.Require(r.ok() && bar->LoadBitmaps(t.channel, t.thumb, startEdge, endEdge, middleLine, middleHeight, t.key,
                                         t.transparent));
    return Kept(bar, r.ok());
}

CSkinText* CSkinCtrlFactory::CreateStatic(CSkinSection* section)
{
    SectionReader r(section, m_folder);
    auto text = std::make_unique<CSkinText>();
    const int style = r.Int("STYTLE"); // spelled so in every skin file
    text->SetPosition(r.Point("POSITION", -kMaxPixels, kMaxPixels));
    const CPoint size = r.Point("SIZE", 0, kMaxPixels);
    text->SetSize(size.x, size.y);
    text->SetTextColor(r.ColourOr("TEXTCOLOR", RGB(0, 0, 0)));
    text->SetBackStyle(style == CSkinText::kColour || style == CSkinText::kBitmap ? style : CSkinText::kNone);
    LONG back;
    if (style == CSkinText::kColour && section->GetLong("BACKCOLOR", back))
        text->SetBackColor((COLORREF)back & 0xFFFFFF);
    if (style == CSkinText::kBitmap) {
        const CSkinPicture back = r.Picture("BACKBMP", r.IntOr("LOADFROM", 0));
        r.Require(r.ok() && text->LoadBackground(back));
    }
    CString value;
    if (section->GetString("TEXT", value))
        text->SetText(value);
    int charset;
    if (r.IntIf("FONTCHARSET", 0, 255, charset))
        text->SetFontCharset((BYTE)charset);
    if (section->GetString("FONTFACENAME", value))
        text->SetFontFaceName(value);
    CPoint cell;
    if (r.PointIf("FONTSIZE", -kMaxFontCell, kMaxFontCell, cell))
        text->SetFontSize(cell.x, cell.y);
    return Kept(text, r.ok());
}

BOOL CSkinCtrlFactory::CreateDialogSkin(CSkinSection* section)
{
    SectionReader r(section, m_folder);
    auto skin = std::make_unique<CSkinDlg>();
    const int style = r.Int("STYLE");
    const BOOL transparent = r.IntOr("TRANSPARENT", 0) != 0;
    const COLORREF key = r.ColourOr("TRANSCOLOR", kDefaultTransparent);
    skin->SetStyle(style);
    CPoint size;
    if (r.PointIf("SIZE", 0, kMaxPixels, size))
        skin->SetSize(size.x, size.y);
    if (style == CSkinDlg::kColour)
        skin->SetBackColor(r.PlainColour("BACKCOLOR"));
    if (style == CSkinDlg::kBitmap) {
        const CSkinPicture back = r.Picture("BACKBMP", r.IntOr("LOADFROM", 0));
        r.Require(r.ok() && skin->LoadBackground(back, key, transparent));
    }
    if (!r.ok())
        return FALSE;
    m_manager->SetSkinDlg(std::move(skin));
    return TRUE;
}
