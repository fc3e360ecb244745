// CHandleMap: the one place where a window's or a menu's object is found from
// its handle. Permanent entries belong to objects that own their handle
// (created, attached or subclassed); temporary entries are plain wrappers
// made on demand for handles nobody owns (a parent, a dialog item, a popup
// menu) and kept, one per handle, until their handle dies.
// UI thread only: each thread's windows are dispatched on that thread.
#pragma once
#include <windows.h>

#include <memory>
#include <unordered_map>

template <class HANDLE_TYPE, class OBJECT>
class CHandleMap
{
public:
    // `isAlive` tells whether a handle still names a live system object;
    // temporary wrappers of dead handles are swept when the map grows.
    typedef BOOL (WINAPI* IsAliveFn)(HANDLE_TYPE);
    explicit CHandleMap(IsAliveFn isAlive) : m_isAlive(isAlive) {}

    OBJECT* LookupPermanent(HANDLE_TYPE h) const
    {
        if (h == NULL)
            return NULL;
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? NULL : it->second;
    }
    void SetPermanent(HANDLE_TYPE h, OBJECT* object)
    {
        m_permanent[h] = object;
        m_temporary.erase(h);
    }
    void RemovePermanent(HANDLE_TYPE h) { m_permanent.erase(h); }

    // `object` becomes the owner of `h` and keeps it in `slot`; FALSE when
    // `h` is null, the object already holds a handle or `h` has an owner.
    BOOL Attach(HANDLE_TYPE h, OBJECT* object, HANDLE_TYPE& slot)
    {
        if (h == NULL || slot != NULL || LookupPermanent(h) != NULL)
            return FALSE;
        SetPermanent(h, object);
        slot = h;
        return TRUE;
    }
    // The handle in `slot`, no longer owned by `object`.
    HANDLE_TYPE Detach(OBJECT* object, HANDLE_TYPE& slot)
    {
        HANDLE_TYPE h = slot;
        if (h != NULL && LookupPermanent(h) == object)
            RemovePermanent(h);
        slot = NULL;
        return h;
    }

    // The owning object, else a temporary wrapper; NULL for a null or dead handle.
    OBJECT* FromHandle(HANDLE_TYPE h)
    {
        if (h == NULL)
            return NULL;
        if (OBJECT* object = LookupPermanent(h))
            return object;
        auto it = m_temporary.find(h);
        if (it != m_temporary.end())
            return it->second.get();
        if (!m_isAlive(h))
            return NULL;
        if (m_temporary.size() >= m_sweepAt)
            SweepTemporary();
        std::unique_ptr<OBJECT, Release>& slot = m_temporary[h];
        slot.reset(new OBJECT);
        slot->AttachTemporary(h);
        return slot.get();
    }

    size_t TemporaryCount() const { return m_temporary.size(); }

private:
    struct Release
    {
        void operator()(OBJECT* object) const
        {
            object->DetachTemporary();
            delete object;
        }
    };

    // Drops the wrappers of handles that died; the next sweep comes when the
    // live ones have doubled, so the cost per look-up stays constant.
    void SweepTemporary()
    {
        for (auto it = m_temporary.begin(); it != m_temporary.end();) {
            if (m_isAlive(it->first))
                ++it;
            else
                it = m_temporary.erase(it);
        }
        m_sweepAt = m_temporary.size() * 2 + kFirstSweep;
    }

    static const size_t kFirstSweep = 64;
    IsAliveFn m_isAlive;
    size_t m_sweepAt = kFirstSweep;
    std::unordered_map<HANDLE_TYPE, OBJECT*> m_permanent;
    std::unordered_map<HANDLE_TYPE, std::unique_ptr<OBJECT, Release>> m_temporary;
};
