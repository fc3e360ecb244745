#include "engine/CustomFMFormat.h"

typedef CTypedPtrArray<CPtrArray, FMParam*> FMParamArray;

FMParam* CCustomFMFormat::GetAt(INT_PTR index)
{
    if (IsValidIndex(index))
        return FMParamArray::GetAt(index);
    if (index == GetSize()) {
        FMParam* added = new FMParam;
        Add(added);
        return added;
    }
    return NULL;
}

const FMParam* CCustomFMFormat::GetAt(INT_PTR index) const
{
    return IsValidIndex(index) ? FMParamArray::GetAt(index) : NULL;
}

void CCustomFMFormat::RemoveAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete FMParamArray::GetAt(i);
    FMParamArray::RemoveAll();
    m_nSelected = -1;
}

void CCustomFMFormat::Copy(const CCustomFMFormat& other)
{
    if (this == &other)
        return;
    RemoveAll();
    for (INT_PTR i = 0; i < other.GetSize(); ++i)
        Add(new FMParam(*other.GetAt(i)));
    m_nSelected = other.m_nSelected;
}

void CCustomFMFormat::RemoveAt(INT_PTR index)
{
    if (!IsValidIndex(index))
        return;
    delete FMParamArray::GetAt(index);
    FMParamArray::RemoveAt(index);
}
