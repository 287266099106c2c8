// Self-growing array whose elements never move in memory.
//
// Elements live in blocks that are linked in a list; positions are slots of a
// pointer table. Removing an element keeps its storage: the element moves to
// the first slot past the used range and is handed out again by the next
// append. Exchanging two positions swaps two slot pointers.
//
// Programming errors are raised by value: an index out of range raises the
// index (uint32_t); storage exhaustion while growing raises a null pointer of
// the element type; a construct hook that refuses raises the requested count.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>

template <class T>
class CArrayAuto {
public:
    // (first slot, number of slots, hook data, the array) -> success
    using Hook = bool (*)(T** slots, uint32_t count, uint32_t data, CArrayAuto<T>* array);

    CArrayAuto() = default;
    CArrayAuto(const CArrayAuto&) = delete;
    CArrayAuto& operator=(const CArrayAuto&) = delete;

    virtual ~CArrayAuto()
    {
        Block* b = m_pFirst;
        while (b) {
            Block* next = b->next;
            delete[] b->elements;
            delete b;
            b = next;
        }
        delete[] m_ppTable;
    }

    uint32_t GetCount() const { return m_nCount; }
    uint32_t GetAllocated() const { return m_nAllocated; }
    uint32_t GetTableCapacity() const { return m_nTableCapacity; }
    uint32_t GetGrowthStep() const { return m_nGrowStep; }

    bool IsOwning() const { return m_bOwning != 0; }
    void SetOwning(bool owning) { m_bOwning = owning ? 1 : 0; }

    void SetHooks(Hook construct, Hook destruct, uint32_t data)
    {
        m_pConstructHook = construct;
        m_pDestructHook = destruct;
        m_nHookData = data;
    }

    // Sets the number of elements in use to n (n >= count): grows the storage
    // and constructs the new slots.
    void SetCount(uint32_t n)
    {
        if (n <= m_nCount)
            return;
        if (n > m_nAllocated)
            Grow(n);
        uint32_t old = m_nCount;
        m_nCount = n;
        if (!ConstructElements(m_ppTable + old, n - old)) {
            m_nCount = old;
            throw static_cast<uint32_t>(n);
        }
    }

    // Appends one element and returns it (the element in slot count - 1).
    T* Add()
    {
        SetCount(m_nCount + 1);
        return m_ppTable[m_nCount - 1];
    }

    T& operator[](uint32_t i) { return *GetAt(i); }
    const T& operator[](uint32_t i) const { return *GetAt(i); }

    T* GetAt(uint32_t i) const
    {
        if (i >= m_nCount)
            throw static_cast<uint32_t>(i);
        return m_ppTable[i];
    }

    T* GetLast() const { return m_nCount ? m_ppTable[m_nCount - 1] : nullptr; }

    // Removes position i; returns the new count.
    uint32_t RemoveAt(uint32_t i)
    {
        if (i >= m_nCount)
            throw static_cast<uint32_t>(i);
        T* removed = m_ppTable[i];
        std::memmove(m_ppTable + i, m_ppTable + i + 1, (m_nCount - i - 1) * sizeof(T*));
        --m_nCount;
        m_ppTable[m_nCount] = removed;
        DestructElements(m_ppTable + m_nCount, 1);
        return m_nCount;
    }

    // As RemoveAt(0), but returns -1 for an empty array.
    int32_t RemoveHead()
    {
        if (m_nCount == 0)
            return -1;
        return static_cast<int32_t>(RemoveAt(0));
    }

    // Removes the last element; returns the new count or -1 when empty.
    int32_t RemoveTail()
    {
        if (m_nCount == 0)
            return -1;
        --m_nCount;
        DestructElements(m_ppTable + m_nCount, 1);
        return static_cast<int32_t>(m_nCount);
    }

    // Removes elements from the end until `n` remain (n <= count).
    void Truncate(uint32_t n)
    {
        if (n >= m_nCount)
            return;
        uint32_t old = m_nCount;
        m_nCount = n;
        DestructElements(m_ppTable + n, old - n);
    }

    void RemoveAll() { Truncate(0); }

    // Swaps the slot pointers of two positions; the elements stay in place.
    void Exchange(uint32_t a, uint32_t b)
    {
        if (a >= m_nCount)
            throw static_cast<uint32_t>(a);
        if (b >= m_nCount)
            throw static_cast<uint32_t>(b);
        T* t = m_ppTable[a];
        m_ppTable[a] = m_ppTable[b];
        m_ppTable[b] = t;
    }

    // Cursor over the elements in use: Next() yields the element at the
    // cursor and advances, and returns null at the end.
    class Cursor {
    public:
        explicit Cursor(const CArrayAuto& a) : m_a(a) {}
        T* Next() { return m_nPos < m_a.m_nCount ? m_a.m_ppTable[m_nPos++] : nullptr; }
        uint32_t Position() const { return m_nPos; }

    private:
        const CArrayAuto& m_a;
        uint32_t m_nPos = 0;
    };
    Cursor Iterate() const { return Cursor(*this); }

    // Range-for support over the elements in use.
    class Iter {
    public:
        Iter(T* const* p) : m_p(p) {}
        T& operator*() const { return **m_p; }
        Iter& operator++()
        {
            ++m_p;
            return *this;
        }
        bool operator!=(const Iter& o) const { return m_p != o.m_p; }

    private:
        T* const* m_p;
    };
    Iter begin() const { return Iter(m_ppTable); }
    Iter end() const { return Iter(m_ppTable + m_nCount); }

protected:
    virtual bool ConstructElements(T** slots, uint32_t count)
    {
        if (m_pConstructHook)
            return m_pConstructHook(slots, count, m_nHookData, this);
        return true;
    }

    virtual void DestructElements(T** slots, uint32_t count)
    {
        if (m_pDestructHook)
            m_pDestructHook(slots, count, m_nHookData, this);
    }

private:
    struct Block {
        T* elements = nullptr;
        uint32_t count = 0;
        Block* next = nullptr;
    };

    void Grow(uint32_t n)
    {
        uint32_t size = n - m_nAllocated;
        if (size < m_nGrowStep)
            size = m_nGrowStep;

        Block* block = new (std::nothrow) Block;
        if (!block)
            throw static_cast<T*>(nullptr);
        try {
            block->elements = new (std::nothrow) T[size];
        } catch (...) {
            delete block;
            throw;
        }
        if (!block->elements) {
            delete block;
            throw static_cast<T*>(nullptr);
        }
        block->count = size;

        // The pointer table grows geometrically from the size it needs, so
        // that the many small arrays of a large document stay small.
        uint64_t needed = static_cast<uint64_t>(m_nAllocated) + size;
        if (m_nTableCapacity < needed) {
            uint64_t slots = needed > 2ull * m_nTableCapacity ? needed : 2ull * m_nTableCapacity;
            T** table = slots > UINT32_MAX ? nullptr : new (std::nothrow) T*[slots];
            if (!table) {
                delete[] block->elements;
                delete block;
                throw static_cast<T*>(nullptr);
            }
            if (m_ppTable)
                std::memcpy(table, m_ppTable, m_nAllocated * sizeof(T*));
            delete[] m_ppTable;
            m_ppTable = table;
            m_nTableCapacity = static_cast<uint32_t>(slots);
        }

        if (m_pLast)
            m_pLast->next = block;
        else
            m_pFirst = block;
        m_pLast = block;
        for (uint32_t i = 0; i < size; ++i)
            m_ppTable[m_nAllocated + i] = &block->elements[i];
        m_nAllocated += size;
        if (m_nAllocated > 10 * m_nGrowStep)
            m_nGrowStep *= 5;
    }

    uint32_t m_nAllocated = 0;
    uint32_t m_nCount = 0;
    uint32_t m_nTableCapacity = 0;
    uint32_t m_nGrowStep = 10;
    Block* m_pFirst = nullptr;
    Block* m_pLast = nullptr;
    T** m_ppTable = nullptr;
    Hook m_pConstructHook = nullptr;
    Hook m_pDestructHook = nullptr;
    uint32_t m_nHookData = 0;
    uint8_t m_bOwning = 1;
};
