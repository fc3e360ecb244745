// CObject: the common base of the framework's serialisable objects. Owned by
// whoever creates the derived object; no thread affinity of its own.
#pragma once
#include <windows.h>

class CArchive;

class CObject
{
public:
    virtual ~CObject() {}
    // Stores or loads the object's state; the default has nothing to archive.
    virtual void Serialize(CArchive& ar);

protected:
    CObject() {}
};
