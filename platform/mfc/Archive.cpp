#include "platform/mfc/Archive.h"

#include "platform/mfc/Array.h"

#include <algorithm>
#include <cstring>
#include <vector>

void CObject::Serialize(CArchive&) {}

CArchive::CArchive(CFile* file, UINT mode)
    : m_file(file), m_loading((mode & load) != 0), m_failed(file == NULL), m_used(0), m_pos(0)
{
}

CArchive::~CArchive()
{
    if (!m_loading)
        Flush();
}

BOOL CArchive::FillBuffer()
{
    m_pos = 0;
    m_used = m_failed ? 0 : m_file->Read(m_buffer, sizeof m_buffer);
    if (m_file && m_file->HasError())
        m_failed = true;
    return m_used > 0;
}

UINT CArchive::Read(void* buffer, UINT count)
{
    if (!m_loading || m_failed) {
        m_failed = true;
        return 0;
    }
    BYTE* out = (BYTE*)buffer;
    UINT got = 0;
    while (got < count) {
        if (m_pos == m_used && !FillBuffer())
            break;
        UINT n = std::min(count - got, m_used - m_pos);
        std::memcpy(out + got, m_buffer + m_pos, n);
        m_pos += n;
        got += n;
    }
    if (got < count)
        m_failed = true;
    return got;
}

ULONGLONG CArchive::GetBytesLeft() const
{
    if (!m_loading || m_failed)
        return 0;
    const LONGLONG length = m_file->GetLength();
    const LONGLONG position = m_file->GetPosition();
    if (length < 0 || position < 0 || position > length)
        return 0;
    return (ULONGLONG)(length - position) + (m_used - m_pos);
}

void CArchive::ReadValue(void* value, UINT size)
{
    BYTE tmp[8];
    if (Read(tmp, size) == size)
        std::memcpy(value, tmp, size);
}

void CArchive::Write(const void* buffer, UINT count)
{
    if (m_loading || m_failed) {
        m_failed = true;
        return;
    }
    const BYTE* in = (const BYTE*)buffer;
    while (count > 0) {
        if (m_used == sizeof m_buffer && !Flush())
            return;
        UINT n = std::min(count, (UINT)sizeof m_buffer - m_used);
        std::memcpy(m_buffer + m_used, in, n);
        m_used += n;
        in += n;
        count -= n;
    }
}

BOOL CArchive::Flush()
{
    if (!m_loading && !m_failed && m_used > 0) {
        if (!m_file->Write(m_buffer, m_used))
            m_failed = true;
        m_used = 0;
    }
    return !m_failed;
}

BOOL CArchive::Close()
{
    return Flush();
}

void CArchive::WriteCount(DWORD_PTR count)
{
    if (count < 0xFFFF) {
        *this << (WORD)count;
    } else {
        *this << (WORD)0xFFFF << (DWORD)count;
    }
}

DWORD_PTR CArchive::ReadCount()
{
    WORD small = 0;
    *this >> small;
    if (small != 0xFFFF)
        return small;
    DWORD big = 0;
    *this >> big;
    return big;
}

void CArchive::WriteString(const CString& text)
{
    DWORD length = (DWORD)text.GetLength();
    if (length < 0xFF) {
        *this << (BYTE)length;
    } else if (length < 0xFFFE) {
        *this << (BYTE)0xFF << (WORD)length;
    } else {
        *this << (BYTE)0xFF << (WORD)0xFFFF << length;
    }
    Write((LPCSTR)text, length);
}

BOOL CArchive::ReadString(CString& text, UINT maxLength)
{
    BYTE b = 0;
    *this >> b;
    DWORD length = b;
    if (b == 0xFF) {
        WORD w = 0;
        *this >> w;
        length = w;
        if (w == 0xFFFF) {
            DWORD d = 0;
            *this >> d;
            length = d;
        }
        // 0xFFFE marks a wide string, which this program never writes.
        if (w == 0xFFFE)
            m_failed = true;
    }
    if (m_failed || length > maxLength) {
        m_failed = true;
        return FALSE;
    }
    std::vector<char> chars(length);
    if (length && Read(chars.data(), length) != length)
        return FALSE;
    text = CString(chars.data(), (int)length);
    return TRUE;
}

namespace {

// A count, then each element; loading replaces the array's elements and ends
// at the first short read, so a damaged count reserves nothing ahead of the
// data.
template <class ARRAY, class ELEMENT>
void SerializeElements(ARRAY& array, CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD_PTR)array.GetSize());
        for (INT_PTR i = 0; i < array.GetSize(); ++i)
            ar << array.GetAt(i);
        return;
    }
    array.RemoveAll();
    DWORD_PTR count = ar.ReadCount();
    for (DWORD_PTR i = 0; i < count && !ar.Failed(); ++i) {
        ELEMENT element = ELEMENT();
        ar >> element;
        if (!ar.Failed())
            array.Add(element);
    }
}

} // namespace

void CStringArray::Serialize(CArchive& ar)
{
    SerializeElements<CStringArray, CString>(*this, ar);
}

void CDWordArray::Serialize(CArchive& ar)
{
    SerializeElements<CDWordArray, DWORD>(*this, ar);
}
