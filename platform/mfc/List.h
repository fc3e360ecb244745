// The framework's doubly linked lists: CList<TYPE, ARG_TYPE>, its named
// instances and CTypedPtrList. A POSITION is a node; it stays valid until
// that node is removed. Not synchronised.
#pragma once
#include "platform/mfc/Object.h"
#include "platform/mfc/Position.h"
#include "platform/mfc/String.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
    struct Node
    {
        Node* next;
        Node* prev;
        TYPE data;
    };

public:
    // The framework's block size only tuned its allocator; nodes are
    // allocated one by one here.
    explicit CList(INT_PTR blockSize = 10) { (void)blockSize; }
    ~CList() override { RemoveAll(); }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }

    TYPE& GetHead() { return m_head->data; }
    const TYPE& GetHead() const { return m_head->data; }
    TYPE& GetTail() { return m_tail->data; }
    const TYPE& GetTail() const { return m_tail->data; }

    POSITION AddHead(ARG_TYPE element) { return InsertNode(NULL, m_head, element); }
    POSITION AddTail(ARG_TYPE element) { return InsertNode(m_tail, NULL, element); }
    // Appending a list to itself copies its elements once: the walk stops
    // at the count taken before the first append.
    void AddTail(const CList& other)
    {
        INT_PTR left = other.m_count;
        for (Node* n = other.m_head; n && left > 0; n = n->next, --left)
            AddTail(n->data);
    }
    TYPE RemoveHead()
    {
        TYPE value = m_head->data;
        FreeNode(m_head);
        return value;
    }
    TYPE RemoveTail()
    {
        TYPE value = m_tail->data;
        FreeNode(m_tail);
        return value;
    }
    void RemoveAll()
    {
        while (m_head)
            FreeNode(m_head);
    }

    POSITION GetHeadPosition() const { return (POSITION)m_head; }
    POSITION GetTailPosition() const { return (POSITION)m_tail; }
    TYPE& GetNext(POSITION& pos)
    {
        Node* n = (Node*)pos;
        pos = (POSITION)n->next;
        return n->data;
    }
    const TYPE& GetNext(POSITION& pos) const
    {
        const Node* n = (const Node*)pos;
        pos = (POSITION)n->next;
        return n->data;
    }
    TYPE& GetPrev(POSITION& pos)
    {
        Node* n = (Node*)pos;
        pos = (POSITION)n->prev;
        return n->data;
    }
    const TYPE& GetPrev(POSITION& pos) const
    {
        const Node* n = (const Node*)pos;
        pos = (POSITION)n->prev;
        return n->data;
    }
    TYPE& GetAt(POSITION pos) { return ((Node*)pos)->data; }
    const TYPE& GetAt(POSITION pos) const { return ((const Node*)pos)->data; }
    void SetAt(POSITION pos, ARG_TYPE element) { ((Node*)pos)->data = element; }
    void RemoveAt(POSITION pos) { FreeNode((Node*)pos); }
    POSITION InsertBefore(POSITION pos, ARG_TYPE element)
    {
        if (!pos)
            return AddHead(element);
        Node* n = (Node*)pos;
        return InsertNode(n->prev, n, element);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE element)
    {
        if (!pos)
            return AddTail(element);
        Node* n = (Node*)pos;
        return InsertNode(n, n->next, element);
    }
    // Searches from the node after `startAfter` (the head when NULL).
    POSITION Find(ARG_TYPE value, POSITION startAfter = NULL) const
    {
        Node* n = startAfter ? ((Node*)startAfter)->next : m_head;
        for (; n; n = n->next)
            if (n->data == value)
                return (POSITION)n;
        return NULL;
    }
    POSITION FindIndex(INT_PTR index) const
    {
        if (index < 0 || index >= m_count)
            return NULL;
        Node* n = m_head;
        while (index-- > 0)
            n = n->next;
        return (POSITION)n;
    }

private:
    POSITION InsertNode(Node* prev, Node* next, ARG_TYPE element)
    {
        Node* n = new Node{next, prev, element};
        (prev ? prev->next : m_head) = n;
        (next ? next->prev : m_tail) = n;
        ++m_count;
        return (POSITION)n;
    }
    void FreeNode(Node* n)
    {
        (n->prev ? n->prev->next : m_head) = n->next;
        (n->next ? n->next->prev : m_tail) = n->prev;
        delete n;
        --m_count;
    }

    Node* m_head = NULL;
    Node* m_tail = NULL;
    INT_PTR m_count = 0;
};

class CPtrList : public CList<void*, void*>
{
public:
    explicit CPtrList(INT_PTR blockSize = 10) : CList<void*, void*>(blockSize) {}
};

class CObList : public CList<CObject*, CObject*>
{
public:
    explicit CObList(INT_PTR blockSize = 10) : CList<CObject*, CObject*>(blockSize) {}
};

class CStringList : public CList<CString, const CString&>
{
public:
    explicit CStringList(INT_PTR blockSize = 10) : CList<CString, const CString&>(blockSize) {}
};

// A list of pointers of one type over CPtrList or CObList.
template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS
{
public:
    explicit CTypedPtrList(INT_PTR blockSize = 10) : BASE_CLASS(blockSize) {}

    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    POSITION AddHead(TYPE element) { return BASE_CLASS::AddHead(element); }
    POSITION AddTail(TYPE element) { return BASE_CLASS::AddTail(element); }
    TYPE GetNext(POSITION& pos) const { return (TYPE)BASE_CLASS::GetNext(pos); }
    TYPE GetPrev(POSITION& pos) const { return (TYPE)BASE_CLASS::GetPrev(pos); }
    TYPE GetAt(POSITION pos) const { return (TYPE)BASE_CLASS::GetAt(pos); }
    void SetAt(POSITION pos, TYPE element) { BASE_CLASS::SetAt(pos, element); }
    POSITION InsertBefore(POSITION pos, TYPE element) { return BASE_CLASS::InsertBefore(pos, element); }
    POSITION InsertAfter(POSITION pos, TYPE element) { return BASE_CLASS::InsertAfter(pos, element); }
    POSITION Find(TYPE value, POSITION startAfter = NULL) const { return BASE_CLASS::Find(value, startAfter); }
};
