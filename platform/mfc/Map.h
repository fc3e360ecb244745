// The framework's hash maps: CMap<KEY, ARG_KEY, VALUE, ARG_VALUE> and its
// named instances. The layout decides the walk order, and files are written
// in that order: a table of 17 buckets unless InitHashTable says otherwise,
// made at the first insertion; a new entry goes to the head of its bucket's
// chain; GetNextAssoc walks the buckets in index order, each chain from its
// head. Integer and pointer keys hash as key >> 4, texts as h = h * 33 + c
// over their (signed) characters. Not synchronised.
#pragma once
#include "platform/mfc/Object.h"
#include "platform/mfc/Position.h"
#include "platform/mfc/String.h"

#include <vector>

template <class ARG_KEY>
inline UINT HashKey(ARG_KEY key)
{
    return (UINT)(((UINT_PTR)key) >> 4);
}

inline UINT HashKey(LPCSTR key)
{
    UINT hash = 0;
    for (; key && *key; ++key)
        hash = (hash << 5) + hash + (UINT)(int)(signed char)*key;
    return hash;
}

inline UINT HashKey(const CString& key)
{
    return HashKey((LPCSTR)key);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
    struct Assoc
    {
        Assoc* next;
        UINT hash;
        KEY key;
        VALUE value;
    };

public:
    // The block size only tuned the framework's allocator.
    explicit CMap(INT_PTR blockSize = 10) { (void)blockSize; }
    ~CMap() override { RemoveAll(); }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }
    UINT GetHashTableSize() const { return m_tableSize; }

    // Takes effect only while the map is empty (the walk order depends on it).
    void InitHashTable(UINT size, BOOL allocNow = TRUE)
    {
        if (m_count != 0 || size == 0)
            return;
        m_table.clear();
        m_tableSize = size;
        if (allocNow)
            m_table.assign(size, NULL);
    }

    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        const Assoc* a = Find(key);
        if (!a)
            return FALSE;
        value = a->value;
        return TRUE;
    }
    VALUE& operator[](ARG_KEY key)
    {
        Assoc* a = Find(key);
        if (!a)
            a = Insert(key);
        return a->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_table.empty())
            return FALSE;
        UINT hash = HashKey(key);
        for (Assoc** link = &m_table[hash % m_tableSize]; *link; link = &(*link)->next) {
            if ((*link)->key == key) {
                Assoc* gone = *link;
                *link = gone->next;
                delete gone;
                --m_count;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        for (Assoc* head : m_table)
            while (head) {
                Assoc* next = head->next;
                delete head;
                head = next;
            }
        m_table.clear();
        m_count = 0;
    }

    POSITION GetStartPosition() const { return m_count ? BEFORE_START_POSITION : NULL; }
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        const Assoc* a = (const Assoc*)pos;
        if (pos == BEFORE_START_POSITION)
            a = FirstFrom(0);
        if (!a) {
            pos = NULL;
            return;
        }
        key = a->key;
        value = a->value;
        const Assoc* next = a->next ? a->next : FirstFrom(a->hash % m_tableSize + 1);
        pos = (POSITION)next;
    }

private:
    Assoc* Find(ARG_KEY key) const
    {
        if (m_table.empty())
            return NULL;
        UINT hash = HashKey(key);
        for (Assoc* a = m_table[hash % m_tableSize]; a; a = a->next)
            if (a->key == key)
                return a;
        return NULL;
    }
    Assoc* Insert(ARG_KEY key)
    {
        if (m_table.empty())
            m_table.assign(m_tableSize, NULL);
        UINT hash = HashKey(key);
        Assoc*& head = m_table[hash % m_tableSize];
        head = new Assoc{head, hash, KEY(key), VALUE()};
        ++m_count;
        return head;
    }
    const Assoc* FirstFrom(UINT bucket) const
    {
        for (; bucket < m_table.size(); ++bucket)
            if (m_table[bucket])
                return m_table[bucket];
        return NULL;
    }

    std::vector<Assoc*> m_table;
    UINT m_tableSize = 17;
    INT_PTR m_count = 0;
};

#define PELLAMAR_NAMED_MAP(Name, K, AK, V, AV)                       \
    class Name : public CMap<K, AK, V, AV>                          \
    {                                                               \
    public:                                                         \
        explicit Name(INT_PTR blockSize = 10) : CMap<K, AK, V, AV>(blockSize) {} \
    };

PELLAMAR_NAMED_MAP(CMapStringToString, CString, LPCSTR, CString, LPCSTR)
PELLAMAR_NAMED_MAP(CMapStringToPtr, CString, LPCSTR, void*, void*)
PELLAMAR_NAMED_MAP(CMapStringToOb, CString, LPCSTR, CObject*, CObject*)
PELLAMAR_NAMED_MAP(CMapPtrToPtr, void*, void*, void*, void*)
PELLAMAR_NAMED_MAP(CMapPtrToWord, void*, void*, WORD, WORD)
PELLAMAR_NAMED_MAP(CMapWordToPtr, WORD, WORD, void*, void*)
PELLAMAR_NAMED_MAP(CMapWordToOb, WORD, WORD, CObject*, CObject*)

#undef PELLAMAR_NAMED_MAP
