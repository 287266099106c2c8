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
//
// A document holds a great many small arrays, most of them with one block
// whose slots never change order. The array therefore keeps its first
// block's record in itself, and builds the pointer table only once the slots
// no longer follow the elements of that one block (a second block, an
// exchange, a removal before the last position); until then slot i is the
// block's element i. The table capacity it reports is the one the table
// has or will have when it is built. What few arrays need (the table, the
// list of further blocks, hooks, the owning flag turned off) lives in a
// record of its own, so that an array takes 40 bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

template <class T>
class CArrayAuto {
public:
    // (first slot, number of slots, hook data, the array) -> success
    using Hook = bool (*)(T** slots, uint32_t count, uint32_t data, CArrayAuto<T>* array);

    CArrayAuto() = default;
    // An array whose growth step starts at `growthStep` instead of 10, for
    // containers that know their elements come in smaller numbers.
    explicit CArrayAuto(uint32_t growthStep) : m_nGrowStep(growthStep ? growthStep : 1) {}
    CArrayAuto(const CArrayAuto&) = delete;
    CArrayAuto& operator=(const CArrayAuto&) = delete;

    virtual ~CArrayAuto()
    {
        delete[] m_pFirstElements;
        Block* b = m_pRare ? m_pRare->more : nullptr;
        while (b) {
            Block* next = b->next;
            delete[] b->elements;
            delete b;
            b = next;
        }
        if (m_pRare)
            delete[] m_pRare->table;
        delete m_pRare;
    }

    uint32_t GetCount() const { return m_nCount; }
    uint32_t GetAllocated() const { return m_nAllocated; }
    uint32_t GetTableCapacity() const { return Table() ? m_pRare->tableCapacity : m_nAllocated; }
    uint32_t GetGrowthStep() const { return m_nGrowStep; }

    bool IsOwning() const { return !m_pRare || m_pRare->owning; }
    void SetOwning(bool owning)
    {
        if (owning != IsOwning())
            MakeRare().owning = owning;
    }

    void SetHooks(Hook construct, Hook destruct, uint32_t data)
    {
        Rare& rare = MakeRare();
        rare.construct = construct;
        rare.destruct = destruct;
        rare.data = data;
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
        bool constructed = true;
        WithSlots(old, n - old, [&](T** slots, uint32_t count) {
            constructed = constructed && ConstructElements(slots, count);
        });
        if (!constructed) {
            m_nCount = old;
            throw static_cast<uint32_t>(n);
        }
    }

    // Grows the storage to hold n elements (as setting the count to n
    // would), without using them.
    void Reserve(uint32_t n)
    {
        if (n > m_nAllocated)
            Grow(n);
    }

    // Grows the storage to hold n elements and builds the slot table, so
    // that up to n elements can then be appended, exchanged and removed
    // without more memory: a change that must not stop half-way reserves
    // first.
    void ReserveSlots(uint32_t n)
    {
        Reserve(n);
        BuildTable();
    }

    // Exchanges the contents of two arrays of the same kind, hooks and
    // owning flag included; no element moves.
    void Swap(CArrayAuto& other) noexcept
    {
        std::swap(m_nAllocated, other.m_nAllocated);
        std::swap(m_nCount, other.m_nCount);
        std::swap(m_nGrowStep, other.m_nGrowStep);
        std::swap(m_pFirstElements, other.m_pFirstElements);
        std::swap(m_pRare, other.m_pRare);
    }

    // Appends one element and returns it (the element in slot count - 1).
    T* Add()
    {
        SetCount(m_nCount + 1);
        return Slot(m_nCount - 1);
    }

    T& operator[](uint32_t i) { return *GetAt(i); }
    const T& operator[](uint32_t i) const { return *GetAt(i); }

    T* GetAt(uint32_t i) const
    {
        if (i >= m_nCount)
            throw static_cast<uint32_t>(i);
        return Slot(i);
    }

    T* GetLast() const { return m_nCount ? Slot(m_nCount - 1) : nullptr; }

    // Removes position i; returns the new count.
    uint32_t RemoveAt(uint32_t i)
    {
        if (i >= m_nCount)
            throw static_cast<uint32_t>(i);
        if (i + 1 < m_nCount) {
            T** table = BuildTable();
            T* removed = table[i];
            std::memmove(table + i, table + i + 1, (m_nCount - i - 1) * sizeof(T*));
            table[m_nCount - 1] = removed;
        }
        --m_nCount;
        WithSlots(m_nCount, 1, [this](T** slots, uint32_t count) { DestructElements(slots, count); });
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
        WithSlots(m_nCount, 1, [this](T** slots, uint32_t count) { DestructElements(slots, count); });
        return static_cast<int32_t>(m_nCount);
    }

    // Removes elements from the end until `n` remain (n <= count).
    void Truncate(uint32_t n)
    {
        if (n >= m_nCount)
            return;
        uint32_t old = m_nCount;
        m_nCount = n;
        WithSlots(n, old - n, [this](T** slots, uint32_t count) { DestructElements(slots, count); });
    }

    void RemoveAll() { Truncate(0); }

    // Swaps the slot pointers of two positions; the elements stay in place.
    void Exchange(uint32_t a, uint32_t b)
    {
        if (a >= m_nCount)
            throw static_cast<uint32_t>(a);
        if (b >= m_nCount)
            throw static_cast<uint32_t>(b);
        if (a == b)
            return;
        T** table = BuildTable();
        T* t = table[a];
        table[a] = table[b];
        table[b] = t;
    }

    // Cursor over the elements in use: Next() yields the element at the
    // cursor and advances, and returns null at the end.
    class Cursor {
    public:
        explicit Cursor(const CArrayAuto& a) : m_a(a) {}
        T* Next() { return m_nPos < m_a.m_nCount ? m_a.Slot(m_nPos++) : nullptr; }
        uint32_t Position() const { return m_nPos; }

    private:
        const CArrayAuto& m_a;
        uint32_t m_nPos = 0;
    };
    Cursor Iterate() const { return Cursor(*this); }

    // Range-for support over the elements in use.
    class Iter {
    public:
        Iter(const CArrayAuto* a, uint32_t i) : m_pA(a), m_nPos(i) {}
        T& operator*() const { return *m_pA->Slot(m_nPos); }
        Iter& operator++()
        {
            ++m_nPos;
            return *this;
        }
        bool operator!=(const Iter& o) const { return m_nPos != o.m_nPos; }

    private:
        const CArrayAuto* m_pA;
        uint32_t m_nPos;
    };
    Iter begin() const { return Iter(this, 0); }
    Iter end() const { return Iter(this, m_nCount); }

protected:
    virtual bool ConstructElements(T** slots, uint32_t count)
    {
        if (m_pRare && m_pRare->construct)
            return m_pRare->construct(slots, count, m_pRare->data, this);
        return true;
    }

    virtual void DestructElements(T** slots, uint32_t count)
    {
        if (m_pRare && m_pRare->destruct)
            m_pRare->destruct(slots, count, m_pRare->data, this);
    }

private:
    // A block after the first.
    struct Block {
        T* elements = nullptr;
        uint32_t count = 0;
        Block* next = nullptr;
    };

    // What few arrays need, kept apart: the pointer table, the blocks
    // after the first, hooks, the owning flag turned off.
    struct Rare {
        T** table = nullptr;
        uint32_t tableCapacity = 0;
        Block* more = nullptr; // in order
        Hook construct = nullptr;
        Hook destruct = nullptr;
        uint32_t data = 0;
        bool owning = true;
    };

    Rare& MakeRare()
    {
        if (!m_pRare) {
            m_pRare = new (std::nothrow) Rare;
            if (!m_pRare)
                throw static_cast<T*>(nullptr);
        }
        return *m_pRare;
    }

    // The element in slot i (i < allocated).
    T* Slot(uint32_t i) const
    {
        T** table = Table();
        return table ? table[i] : m_pFirstElements + i;
    }

    // The pointer table; null while slot i is element i of the first block.
    T** Table() const { return m_pRare ? m_pRare->table : nullptr; }

    // Calls work(slots, count) with the slots from `first` on: the table's,
    // or, while there is none, lists of the first block's elements, a few
    // at a time, so that removing elements needs no memory. Hooks see all
    // the slots of an operation at once.
    template <class Work>
    void WithSlots(uint32_t first, uint32_t count, Work&& work)
    {
        constexpr uint32_t kListed = 32;
        const bool hooked = m_pRare && (m_pRare->construct || m_pRare->destruct);
        if (T** table = hooked && count > kListed ? BuildTable() : Table()) {
            work(table + first, count);
            return;
        }
        T* listed[kListed];
        for (uint32_t done = 0; done < count;) {
            const uint32_t n = count - done < kListed ? count - done : kListed;
            for (uint32_t i = 0; i < n; ++i)
                listed[i] = m_pFirstElements + first + done + i;
            work(listed, n);
            done += n;
        }
    }

    // Builds the table of a one-block array (slot i: element i) and
    // returns the table.
    T** BuildTable()
    {
        if (Table() || !m_pFirstElements)
            return Table();
        Rare& rare = MakeRare();
        T** table = new (std::nothrow) T*[m_nAllocated];
        if (!table)
            throw static_cast<T*>(nullptr);
        for (uint32_t i = 0; i < m_nAllocated; ++i)
            table[i] = m_pFirstElements + i;
        rare.table = table;
        rare.tableCapacity = m_nAllocated;
        return table;
    }

    void Grow(uint32_t n)
    {
        uint32_t size = n - m_nAllocated;
        if (size < m_nGrowStep)
            size = m_nGrowStep;

        // A block after the first needs a record, the table and the list of
        // such blocks.
        Block* block = nullptr;
        if (m_pFirstElements) {
            BuildTable();
            block = new (std::nothrow) Block;
            if (!block)
                throw static_cast<T*>(nullptr);
        }
        T* elements = nullptr;
        try {
            elements = new (std::nothrow) T[size];
        } catch (...) {
            delete block;
            throw;
        }
        if (!elements) {
            delete block;
            throw static_cast<T*>(nullptr);
        }

        // The pointer table grows geometrically from the size it needs, so
        // that the many small arrays of a large document stay small.
        uint64_t needed = static_cast<uint64_t>(m_nAllocated) + size;
        uint32_t tableCapacity = GetTableCapacity();
        if (tableCapacity < needed) {
            uint64_t slots = needed > 2ull * tableCapacity ? needed : 2ull * tableCapacity;
            if (slots > UINT32_MAX) {
                delete[] elements;
                delete block;
                throw static_cast<T*>(nullptr);
            }
            tableCapacity = static_cast<uint32_t>(slots);
            if (T** old = Table()) {
                T** table = new (std::nothrow) T*[tableCapacity];
                if (!table) {
                    delete[] elements;
                    delete block;
                    throw static_cast<T*>(nullptr);
                }
                std::memcpy(table, old, m_nAllocated * sizeof(T*));
                delete[] old;
                m_pRare->table = table;
                m_pRare->tableCapacity = tableCapacity;
            }
        }

        if (!block) {
            m_pFirstElements = elements;
        } else {
            block->elements = elements;
            block->count = size;
            Block** link = &m_pRare->more;
            while (*link)
                link = &(*link)->next;
            *link = block;
            for (uint32_t i = 0; i < size; ++i)
                m_pRare->table[m_nAllocated + i] = &elements[i];
        }
        m_nAllocated += size;
        if (m_nAllocated > 10 * m_nGrowStep)
            m_nGrowStep *= 5;
    }

    uint32_t m_nAllocated = 0;
    uint32_t m_nCount = 0;
    uint32_t m_nGrowStep = 10;
    T* m_pFirstElements = nullptr; // the first block
    Rare* m_pRare = nullptr;
};
