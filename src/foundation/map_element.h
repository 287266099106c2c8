// Text-keyed hash map with 32 buckets.
//
// Iteration yields the keys by bucket (hash & 31 ascending) and, within a
// bucket, in insertion order. Settings files are written in this order.
// Values are default-constructed in place, never copied and never moved:
// a value's address holds until the map is emptied or destroyed. Entries
// are never removed.
//
// A document holds a great many maps, several per element, and every
// element of a kind has the same keys, taken in one step from the maps its
// reader builds once per parse (AddKeysOf). A map therefore holds its keys
// in a shared key layout (foundation/map_key_layout.h: keys, hashes, chains
// and index) and owns only its values: an item's fields cost their values
// instead of a key, hash and link apiece. A map holds the first `count`
// keys of its layout; taking another key, it follows the layout when the
// layout's next key is that key, appends the key when the layout ends
// where the map does, and otherwise goes on in a copy of its own keys. So
// the keys of every map stand in its layout in its own insertion order, and
// lookups and the iteration order are those of a map that added its keys
// one by one; a value written in one map never shows in another.
//
// A map is one pointer until its first entry arrives. Its values follow
// its body (the layout, the count and the size of that first block) in one
// block sized to the keys it starts with; further values go to blocks of
// doubling size, so that none ever moves, listed in a record the body then
// points to instead of the layout.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "foundation/map_key_layout.h"

template <class T, unsigned KeySize>
class CMapElement {
    using Layout = CMapKeyLayout<KeySize>;

    // The layout and the value blocks after the first, of a map whose values
    // outgrew their first block.
    struct Grown {
        Layout* layout;
        T** blocks;
    };

    struct Body {
        uintptr_t keys;         // the layout, or (marked by the low bit) the Grown record
        uint32_t count;         // the layout's first keys that are this map's
        uint32_t firstCapacity; // values in the first block, which follows the body

        Grown* GetGrown() const { return keys & 1 ? reinterpret_cast<Grown*>(keys - 1) : nullptr; }
        Layout* GetLayout() const { return keys & 1 ? GetGrown()->layout : reinterpret_cast<Layout*>(keys); }
        T** GetBlocks() const { return keys & 1 ? GetGrown()->blocks : nullptr; }
        void SetLayout(Layout* layout)
        {
            if (Grown* grown = GetGrown())
                grown->layout = layout;
            else
                keys = reinterpret_cast<uintptr_t>(layout);
        }
    };
    static_assert(alignof(T) <= alignof(Body), "values follow the body");

public:
    static constexpr uint32_t kBucketCount = Layout::kBucketCount;
    static constexpr uint32_t kInlineKeyMax = Layout::kInlineKeyMax;

    static uint32_t Hash(const char* key) { return Layout::Hash(key); }

    CMapElement() = default;
    CMapElement(const CMapElement&) = delete;
    CMapElement& operator=(const CMapElement&) = delete;
    ~CMapElement() { Free(m_pBody); }

    uint32_t GetCount() const { return m_pBody ? m_pBody->count : 0; }

    // Exchanges the keys and values of two maps; no value moves.
    void Swap(CMapElement& other) noexcept { std::swap(m_pBody, other.m_pBody); }

    // Makes room for `count` entries in all when the map has none yet, so
    // that a map whose size is known beforehand takes one block of keys and
    // one of values.
    void Reserve(uint32_t count)
    {
        if (GetCount() != 0)
            return;
        Body* body = NewBody(Layout::Create(count ? count : 1), count);
        Free(m_pBody);
        m_pBody = body;
    }

    // In every operation a hash of 0 means that the map computes it.

    // The value stored under `key`, or null.
    T* Lookup(const char* key, uint32_t hash = 0)
    {
        const uint32_t link = Find(key, hash ? hash : Hash(key));
        return link ? ValueAt(link - 1) : nullptr;
    }
    const T* Lookup(const char* key, uint32_t hash = 0) const
    {
        const uint32_t link = Find(key, hash ? hash : Hash(key));
        return link ? ValueAt(link - 1) : nullptr;
    }

    // A new default value under `key`; null, with the map unchanged, when
    // the key is present.
    T* Add(const char* key, uint32_t hash = 0)
    {
        if (!hash)
            hash = Hash(key);
        return Find(key, hash) ? nullptr : Insert(key, hash);
    }

    // A new default value under `key`; a present key is a programming error
    // and raises the key text.
    T* InsertNew(const char* key, uint32_t hash = 0)
    {
        T* value = Add(key, hash);
        if (!value)
            throw key;
        return value;
    }

    // The value under `key`, added as a default value when absent.
    T* GetOrInsert(const char* key, uint32_t hash = 0)
    {
        if (!hash)
            hash = Hash(key);
        const uint32_t link = Find(key, hash);
        return link ? ValueAt(link - 1) : Insert(key, hash);
    }

    // Adds the keys of `from` that are absent, in the order in which they
    // were added there, each with a default value (and the hash stored
    // with it): as GetOrInsert for each key in turn. An empty map takes
    // them all in one step, sharing `from`'s key layout.
    template <class U>
    void AddKeysOf(const CMapElement<U, KeySize>& from)
    {
        const uint32_t count = from.GetCount();
        if (count == 0)
            return;
        Layout* const keys = from.m_pBody->GetLayout();
        if (GetCount() != 0) {
            for (uint32_t i = 0; i < count; ++i)
                GetOrInsert(keys->KeyText(i), keys->HashAt(i));
            return;
        }
        keys->Hold();
        Body* body = NewBody(keys, count);
        Free(m_pBody);
        m_pBody = body;
        for (; body->count < count; ++body->count)
            new (FirstValues(*body) + body->count) T();
    }

    // Cursor over all entries: Next() yields the key text and the value and
    // returns false at the end.
    template <class V>
    class BasicCursor {
    public:
        explicit BasicCursor(const CMapElement& map) : m_pMap(&map), m_nLink(map.FirstFrom(0)) {}
        bool Next(const char** key, V** value)
        {
            if (!m_nLink)
                return false;
            *key = m_pMap->KeyAt(m_nLink - 1);
            *value = m_pMap->ValueAt(m_nLink - 1);
            m_nLink = m_pMap->After(m_nLink);
            return true;
        }

    private:
        const CMapElement* m_pMap;
        uint32_t m_nLink;
    };
    using Cursor = BasicCursor<T>;
    using ConstCursor = BasicCursor<const T>;
    Cursor Iterate() { return Cursor(*this); }
    ConstCursor Iterate() const { return ConstCursor(*this); }

    // Range-for support, in the cursor's order: for (auto [key, value] : map).
    template <class V>
    class BasicIterator {
    public:
        BasicIterator(const CMapElement* map, uint32_t link) : m_pMap(map), m_nLink(link) {}
        std::pair<const char*, V&> operator*() const
        {
            return {m_pMap->KeyAt(m_nLink - 1), *m_pMap->ValueAt(m_nLink - 1)};
        }
        BasicIterator& operator++()
        {
            m_nLink = m_pMap->After(m_nLink);
            return *this;
        }
        bool operator!=(const BasicIterator& other) const { return m_nLink != other.m_nLink; }

    private:
        const CMapElement* m_pMap;
        uint32_t m_nLink; // position + 1 of the entry; 0 at the end
    };
    BasicIterator<T> begin() { return {this, FirstFrom(0)}; }
    BasicIterator<T> end() { return {this, 0}; }
    BasicIterator<const T> begin() const { return {this, FirstFrom(0)}; }
    BasicIterator<const T> end() const { return {this, 0}; }

private:
    template <class, unsigned>
    friend class CMapElement;

    static T* FirstValues(const Body& body)
    {
        return reinterpret_cast<T*>(const_cast<Body*>(&body) + 1);
    }

    // A body holding `layout` (the reference passes to it) with room for
    // `capacity` values in its first block; no values yet.
    static Body* NewBody(Layout* layout, uint32_t capacity)
    {
        if (capacity == 0)
            capacity = 1;
        void* memory;
        try {
            memory = ::operator new(sizeof(Body) + capacity * sizeof(T));
        } catch (...) {
            layout->Release();
            throw;
        }
        return new (memory) Body{reinterpret_cast<uintptr_t>(layout), 0, capacity};
    }

    static void Free(Body* body)
    {
        if (!body)
            return;
        for (uint32_t i = 0; i < body->count; ++i)
            ValueAt(*body, i)->~T();
        const uint32_t blocks = BlocksFor(*body, body->count);
        for (uint32_t j = 0; j < blocks; ++j)
            ::operator delete(body->GetBlocks()[j]);
        body->GetLayout()->Release();
        if (Grown* grown = body->GetGrown()) {
            delete[] grown->blocks;
            delete grown;
        }
        ::operator delete(body);
    }

    // Block j (from 1) after the first holds positions firstCapacity *
    // 2^(j-1) up to firstCapacity * 2^j.
    static uint32_t BlockOf(const Body& body, uint32_t position)
    {
        return position < body.firstCapacity ? 0 : std::bit_width(position / body.firstCapacity);
    }
    static uint32_t BlocksFor(const Body& body, uint32_t count) { return count ? BlockOf(body, count - 1) : 0; }

    static T* ValueAt(const Body& body, uint32_t position)
    {
        const uint32_t block = BlockOf(body, position);
        if (block == 0)
            return FirstValues(body) + position;
        return body.GetBlocks()[block - 1] + (position - (body.firstCapacity << (block - 1)));
    }
    T* ValueAt(uint32_t position) const { return ValueAt(*m_pBody, position); }
    const char* KeyAt(uint32_t position) const { return m_pBody->GetLayout()->KeyText(position); }

    uint32_t Find(const char* key, uint32_t hash) const
    {
        return m_pBody ? m_pBody->GetLayout()->Find(key, hash, m_pBody->count) : 0;
    }

    uint32_t FirstFrom(uint32_t bucket) const
    {
        return m_pBody ? m_pBody->GetLayout()->FirstFrom(bucket, m_pBody->count) : 0;
    }
    uint32_t After(uint32_t link) const { return m_pBody->GetLayout()->After(link, m_pBody->count); }

    // Adds a key known to be absent with a default value. A failure leaves
    // the map's entries as they were.
    T* Insert(const char* key, uint32_t hash)
    {
        if (!m_pBody)
            m_pBody = NewBody(Layout::Create(1), 1);
        Body& body = *m_pBody;
        const uint32_t position = body.count;
        Layout* const layout = body.GetLayout();
        Layout* copy = nullptr; // this map's keys and the new one, when the layout goes on with another key
        if (position == layout->GetCount())
            layout->Append(key, hash);
        else if (!layout->Holds(position, key, hash)) {
            copy = layout->CopyFirst(position);
            try {
                copy->Append(key, hash);
            } catch (...) {
                copy->Release();
                throw;
            }
        }
        const uint32_t block = BlockOf(body, position);
        const bool newBlock = block > BlocksFor(body, position);
        bool blockAdded = false;
        T* value;
        try {
            if (newBlock) {
                AddBlock(body, block);
                blockAdded = true;
            }
            value = ValueAt(body, position);
            new (value) T();
        } catch (...) {
            if (blockAdded)
                ::operator delete(body.GetBlocks()[block - 1]);
            if (copy)
                copy->Release();
            throw;
        }
        if (copy) {
            layout->Release();
            body.SetLayout(copy);
        }
        body.count = position + 1;
        return value;
    }

    // Gives the body its value block `block` (the blocks before it exist).
    static void AddBlock(Body& body, uint32_t block)
    {
        T* values = static_cast<T*>(::operator new((size_t(body.firstCapacity) << (block - 1)) * sizeof(T)));
        T** blocks = nullptr;
        Grown* grown = body.GetGrown();
        try {
            blocks = new T*[block];
            if (!grown)
                grown = new Grown{body.GetLayout(), nullptr};
        } catch (...) {
            delete[] blocks;
            ::operator delete(values);
            throw;
        }
        if (block > 1)
            std::memcpy(blocks, grown->blocks, (block - 1) * sizeof(T*));
        blocks[block - 1] = values;
        delete[] grown->blocks;
        grown->blocks = blocks;
        body.keys = reinterpret_cast<uintptr_t>(grown) | 1;
    }

    Body* m_pBody = nullptr;
};
