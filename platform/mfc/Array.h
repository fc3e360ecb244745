// The framework's arrays: CArray<TYPE, ARG_TYPE> and its named instances, and
// CTypedPtrArray over the pointer arrays. Not synchronised: each array
// belongs to one thread at a time, as its owner decides.
#pragma once
#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"

#include <algorithm>
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() {}

    INT_PTR GetSize() const { return (INT_PTR)m_data.size(); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_data.empty(); }
    // The grow-by hint of the framework has no effect on what callers see.
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1)
    {
        (void)growBy;
        m_data.resize(newSize > 0 ? (size_t)newSize : 0);
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    // Callers check the index (IsValidIndex style) as the framework demands.
    const TYPE& GetAt(INT_PTR index) const { return m_data[(size_t)index]; }
    TYPE& ElementAt(INT_PTR index) { return m_data[(size_t)index]; }
    void SetAt(INT_PTR index, ARG_TYPE element) { m_data[(size_t)index] = element; }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }
    const TYPE* GetData() const { return m_data.empty() ? NULL : &m_data[0]; }
    TYPE* GetData() { return m_data.empty() ? NULL : &m_data[0]; }

    void SetAtGrow(INT_PTR index, ARG_TYPE element)
    {
        if (index < 0)
            return;
        if ((size_t)index >= m_data.size())
            m_data.resize((size_t)index + 1);
        m_data[(size_t)index] = element;
    }
    INT_PTR Add(ARG_TYPE element)
    {
        m_data.push_back(element);
        return GetSize() - 1;
    }
    INT_PTR Append(const CArray& src)
    {
        INT_PTR old = GetSize();
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        return old;
    }
    void Copy(const CArray& src)
    {
        if (this != &src)
            m_data = src.m_data;
    }
    void InsertAt(INT_PTR index, ARG_TYPE element, INT_PTR count = 1)
    {
        if (index < 0 || count <= 0)
            return;
        if ((size_t)index > m_data.size())
            m_data.resize((size_t)index);
        m_data.insert(m_data.begin() + index, (size_t)count, element);
    }
    // Out-of-range parts of the span are ignored.
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        if (index < 0 || count <= 0 || (size_t)index >= m_data.size())
            return;
        size_t end = std::min(m_data.size(), (size_t)(index + count));
        m_data.erase(m_data.begin() + index, m_data.begin() + end);
    }

private:
    std::vector<TYPE> m_data;
};

class CPtrArray : public CArray<void*, void*> {};
class CObArray : public CArray<CObject*, CObject*> {};
class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CDWordArray : public CArray<DWORD, DWORD>
{
public:
    // A count (see CArchive::WriteCount), then each value as 32 bits.
    void Serialize(CArchive& ar) override;
};

class CStringArray : public CArray<CString, const CString&>
{
public:
    // A count (see CArchive::WriteCount), then each string.
    void Serialize(CArchive& ar) override;
};

// An array of pointers of one type over CPtrArray or CObArray.
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR index) const { return (TYPE)BASE_CLASS::GetAt(index); }
    TYPE& ElementAt(INT_PTR index) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(index)); }
    void SetAt(INT_PTR index, TYPE element) { BASE_CLASS::SetAt(index, element); }
    void SetAtGrow(INT_PTR index, TYPE element) { BASE_CLASS::SetAtGrow(index, element); }
    INT_PTR Add(TYPE element) { return BASE_CLASS::Add(element); }
    void InsertAt(INT_PTR index, TYPE element, INT_PTR count = 1) { BASE_CLASS::InsertAt(index, element, count); }
    TYPE operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }
};
