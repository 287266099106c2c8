// Text-keyed hash map with 32 buckets.
//
// Iteration yields the keys by bucket (hash & 31 ascending) and, within a
// bucket, in insertion order. Settings files are written in this order.
// Values are default-constructed in place, never copied and never moved:
// the address of a value the map gave for writing holds until the map is
// emptied or destroyed. Entries are never removed.
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
// Most of those values are never written (a field the element does not
// give, a list it does not have). A map whose keys are all default values
// can hold them virtually (MakeValuesVirtual): it keeps only a shared key
// set, and maps that take its keys (AddKeysOf) cost one pointer. Such a map
// gives its keys values when one is asked for writing (a non-const lookup
// or insertion, a non-const iteration), the keys before it included, in
// one block for all its keys; reading one that has none gives a default
// value that all maps share. Values are never moved while a map gives
// them, but TrimValues, which the reader calls on the elements it has just
// made, moves them into a block of the size they need and lets the default
// values at the end go virtual again. A pointer to a value read through a
// const path may therefore show the default value after the map gave that
// key a value of its own.
//
// A map is one pointer until its first entry arrives. Its values follow
// its body (its keys, the count and the size of that first block) in one
// block sized to the keys it starts with; further values go to blocks of
// doubling size, so that none ever moves, listed in a record the body then
// points to instead of its keys.
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

    using KeySet = CMapKeySet<KeySize>;

    // A reference to a map's keys: a layout (held), or, marked by this bit,
    // a key set (held).
    static constexpr uintptr_t kKeySetMark = 2;

    // The keys and the value blocks after the first, of a map whose values
    // outgrew their first block.
    struct Grown {
        uintptr_t keys;
        T** blocks;
    };

    struct Body {
        uintptr_t keys;         // the keys, or (marked by the low bit) the Grown record
        uint32_t count;         // values: with a layout, its first keys that are this map's;
                                // with a key set, its first keys that have their values
        uint32_t firstCapacity; // values in the first block, which follows the body

        Grown* GetGrown() const { return keys & 1 ? reinterpret_cast<Grown*>(keys - 1) : nullptr; }
        uintptr_t KeysRef() const { return keys & 1 ? GetGrown()->keys : keys; }
        T** GetBlocks() const { return keys & 1 ? GetGrown()->blocks : nullptr; }
        void SetKeysRef(uintptr_t ref)
        {
            if (Grown* grown = GetGrown())
                grown->keys = ref;
            else
                keys = ref;
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
    ~CMapElement() { Free(m_nRep); }

    uint32_t GetCount() const
    {
        if (!m_nRep)
            return 0;
        if (const KeySet* keys = VirtualKeys())
            return keys->count;
        const Body& body = *GetBody();
        const KeySet* keys = KeySetOf(body.KeysRef());
        return keys ? keys->count : body.count;
    }

    // Exchanges the keys and values of two maps; no value moves.
    void Swap(CMapElement& other) noexcept { std::swap(m_nRep, other.m_nRep); }

    // Makes room for `count` entries in all when the map has none yet, so
    // that a map whose size is known beforehand takes one block of keys and
    // one of values.
    void Reserve(uint32_t count)
    {
        if (GetCount() != 0)
            return;
        Body* body = NewBody(reinterpret_cast<uintptr_t>(Layout::Create(count ? count : 1)), count);
        Free(m_nRep);
        m_nRep = reinterpret_cast<uintptr_t>(body);
    }

    // In every operation a hash of 0 means that the map computes it.

    // The value stored under `key`, or null; for writing, so a key without
    // a value of its own is given one.
    T* Lookup(const char* key, uint32_t hash = 0)
    {
        const uint32_t link = Find(key, hash ? hash : Hash(key));
        return link ? Writable(link - 1) : nullptr;
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
        return link ? Writable(link - 1) : Insert(key, hash);
    }

    // Adds the keys of `from` that are absent, in the order in which they
    // were added there, each with a default value (and the hash stored
    // with it): as GetOrInsert for each key in turn. An empty map takes
    // them all in one step, sharing `from`'s keys; when `from` holds its
    // keys in a key set (MakeValuesVirtual), their values are virtual.
    template <class U>
    void AddKeysOf(const CMapElement<U, KeySize>& from)
    {
        const uint32_t count = from.GetCount();
        if (count == 0)
            return;
        Layout* const keys = from.KeysLayout();
        if (GetCount() != 0) {
            for (uint32_t i = 0; i < count; ++i)
                GetOrInsert(keys->KeyText(i), keys->HashAt(i));
            return;
        }
        if (auto* shared = from.SharedKeySet()) {
            ++shared->holders;
            Free(m_nRep);
            m_nRep = reinterpret_cast<uintptr_t>(shared) | 1;
            return;
        }
        keys->Hold();
        Body* body = NewBody(reinterpret_cast<uintptr_t>(keys), count);
        Free(m_nRep);
        m_nRep = reinterpret_cast<uintptr_t>(body);
        for (; body->count < count; ++body->count)
            new (FirstValues(*body) + body->count) T();
    }

    // Copies into this map, which took the keys of `from` (AddKeysOf on an
    // empty map), the values `from` holds of its own, by copy(value here,
    // value there); the others stay default.
    template <class U, class Copy>
    void CopyValuesOf(const CMapElement<U, KeySize>& from, Copy copy)
    {
        const auto* there = from.GetBody();
        const uint32_t count = there ? there->count : 0;
        if (count == 0)
            return;
        if (VirtualKeys())
            GiveValues(count, count);
        for (uint32_t i = 0; i < count; ++i)
            copy(*ValueAt(*GetBody(), i), *from.ValueAt(i));
    }

    // Lets every value be virtual; the values must all be default ones.
    // Maps that then take this map's keys (AddKeysOf) share them and hold
    // no values until one is written.
    void MakeValuesVirtual()
    {
        Body* body = GetBody();
        if (!body)
            return;
        const uintptr_t keys = body->KeysRef();
        KeySet* shared = KeySetOf(keys);
        if (shared) {
            ++shared->holders;
        } else {
            shared = new KeySet{reinterpret_cast<Layout*>(keys), body->count, 1};
            shared->layout->Hold();
        }
        Free(m_nRep);
        m_nRep = reinterpret_cast<uintptr_t>(shared) | 1;
    }

    // For a map with virtual values: moves the values it holds into a
    // block of the size they need, the trailing values for which
    // isDefault(value) holds going virtual again. Pointers to the values no
    // longer hold. When memory runs out, the map stays as it was.
    void TrimValues(bool (*isDefault)(const T&))
    {
        Body* body = GetBody();
        KeySet* shared = body ? KeySetOf(body->KeysRef()) : nullptr;
        if (!shared)
            return;
        uint32_t needed = body->count;
        while (needed > 0 && isDefault(*ValueAt(*body, needed - 1)))
            --needed;
        if (needed == body->count && needed == body->firstCapacity)
            return;
        ++shared->holders;
        if (needed == 0) {
            Free(m_nRep);
            m_nRep = reinterpret_cast<uintptr_t>(shared) | 1;
            return;
        }
        Body* trimmed = NewBody(reinterpret_cast<uintptr_t>(shared) | kKeySetMark, needed);
        for (; trimmed->count < needed; ++trimmed->count) {
            T* value = new (FirstValues(*trimmed) + trimmed->count) T();
            value->Swap(*ValueAt(*body, trimmed->count));
        }
        Free(m_nRep);
        m_nRep = reinterpret_cast<uintptr_t>(trimmed);
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
    // The non-const forms give every key its value first.
    Cursor Iterate()
    {
        GiveAllValues();
        return Cursor(*this);
    }
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
    BasicIterator<T> begin()
    {
        GiveAllValues();
        return {this, FirstFrom(0)};
    }
    BasicIterator<T> end() { return {this, 0}; }
    BasicIterator<const T> begin() const { return {this, FirstFrom(0)}; }
    BasicIterator<const T> end() const { return {this, 0}; }

private:
    template <class, unsigned>
    friend class CMapElement;

    // The value of every key that has none of its own, read-only.
    static const T& DefaultValue()
    {
        static const T value{};
        return value;
    }

    static KeySet* KeySetOf(uintptr_t keys)
    {
        return keys & kKeySetMark ? reinterpret_cast<KeySet*>(keys - kKeySetMark) : nullptr;
    }
    static Layout* LayoutOf(uintptr_t keys)
    {
        return keys & kKeySetMark ? KeySetOf(keys)->layout : reinterpret_cast<Layout*>(keys);
    }
    static void ReleaseKeySet(KeySet* shared)
    {
        if (--shared->holders == 0) {
            shared->layout->Release();
            delete shared;
        }
    }
    static void ReleaseKeys(uintptr_t keys)
    {
        if (keys & kKeySetMark)
            ReleaseKeySet(reinterpret_cast<KeySet*>(keys - kKeySetMark));
        else
            reinterpret_cast<Layout*>(keys)->Release();
    }

    // The map is null (no keys), a body, or (marked by the low bit) a key
    // set all of whose values are virtual.
    Body* GetBody() const { return m_nRep & 1 ? nullptr : reinterpret_cast<Body*>(m_nRep); }
    KeySet* VirtualKeys() const { return m_nRep & 1 ? reinterpret_cast<KeySet*>(m_nRep - 1) : nullptr; }
    Layout* KeysLayout() const
    {
        if (const KeySet* shared = VirtualKeys())
            return shared->layout;
        return LayoutOf(GetBody()->KeysRef());
    }
    // The key set whose keys this map holds with virtual values, if any.
    KeySet* SharedKeySet() const
    {
        if (KeySet* shared = VirtualKeys())
            return shared;
        const Body* body = GetBody();
        return body ? KeySetOf(body->KeysRef()) : nullptr;
    }

    static T* FirstValues(const Body& body)
    {
        return reinterpret_cast<T*>(const_cast<Body*>(&body) + 1);
    }

    // A body holding `keys` (the reference passes to it) with room for
    // `capacity` values in its first block; no values yet.
    static Body* NewBody(uintptr_t keys, uint32_t capacity)
    {
        if (capacity == 0)
            capacity = 1;
        void* memory;
        try {
            memory = ::operator new(sizeof(Body) + capacity * sizeof(T));
        } catch (...) {
            ReleaseKeys(keys);
            throw;
        }
        return new (memory) Body{keys, 0, capacity};
    }

    static void Free(uintptr_t rep)
    {
        if (!rep)
            return;
        if (rep & 1) {
            ReleaseKeySet(reinterpret_cast<KeySet*>(rep - 1));
            return;
        }
        Body* body = reinterpret_cast<Body*>(rep);
        for (uint32_t i = 0; i < body->count; ++i)
            ValueAt(*body, i)->~T();
        const uint32_t blocks = BlocksFor(*body, body->count);
        for (uint32_t j = 0; j < blocks; ++j)
            ::operator delete(body->GetBlocks()[j]);
        ReleaseKeys(body->KeysRef());
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
    // The value at `position`, its own or the shared default one.
    T* ValueAt(uint32_t position) const
    {
        const Body* body = GetBody();
        if (body && position < body->count)
            return ValueAt(*body, position);
        return const_cast<T*>(&DefaultValue());
    }
    const char* KeyAt(uint32_t position) const { return KeysLayout()->KeyText(position); }

    // The value at `position`, given to the key (and the keys before it)
    // when it has none of its own.
    T* Writable(uint32_t position)
    {
        const Body* body = GetBody();
        if (!body || position >= body->count)
            GiveValues(position + 1);
        return ValueAt(*GetBody(), position);
    }
    void GiveAllValues()
    {
        if (m_nRep)
            GiveValues(GetCount());
    }

    // Gives the first `count` keys their values. A map with none takes a
    // block for `capacity` values, or for all its keys (so that a map being
    // filled takes one block); once every key has its value, the map holds
    // the layout itself. When memory runs out, the values given stay.
    void GiveValues(uint32_t count, uint32_t capacity = 0)
    {
        if (KeySet* shared = VirtualKeys()) {
            ++shared->holders;
            Body* body = NewBody(reinterpret_cast<uintptr_t>(shared) | kKeySetMark,
                                 capacity ? capacity : shared->count);
            ReleaseKeySet(shared);
            m_nRep = reinterpret_cast<uintptr_t>(body);
        }
        Body& body = *GetBody();
        while (body.count < count)
            ConstructNext(body);
        KeySet* shared = KeySetOf(body.KeysRef());
        if (shared && body.count == shared->count) {
            shared->layout->Hold();
            body.SetKeysRef(reinterpret_cast<uintptr_t>(shared->layout));
            ReleaseKeySet(shared);
        }
    }

    // Constructs the value after the last one, in a new block when it needs
    // one. A failure leaves the body as it was.
    static T* ConstructNext(Body& body)
    {
        const uint32_t position = body.count;
        const uint32_t block = BlockOf(body, position);
        const bool newBlock = block > BlocksFor(body, position);
        if (newBlock)
            AddBlock(body, block);
        T* value;
        try {
            value = new (ValueAt(body, position)) T();
        } catch (...) {
            if (newBlock)
                ::operator delete(body.GetBlocks()[block - 1]);
            throw;
        }
        body.count = position + 1;
        return value;
    }

    uint32_t Find(const char* key, uint32_t hash) const
    {
        return m_nRep ? KeysLayout()->Find(key, hash, GetCount()) : 0;
    }

    uint32_t FirstFrom(uint32_t bucket) const { return m_nRep ? KeysLayout()->FirstFrom(bucket, GetCount()) : 0; }
    uint32_t After(uint32_t link) const { return KeysLayout()->After(link, GetCount()); }

    // Adds a key known to be absent with a default value. A failure leaves
    // the map's entries as they were.
    T* Insert(const char* key, uint32_t hash)
    {
        // A key beyond the key set: every key takes its value and the map
        // its layout first.
        if (SharedKeySet())
            GiveAllValues();
        if (!m_nRep)
            m_nRep = reinterpret_cast<uintptr_t>(NewBody(reinterpret_cast<uintptr_t>(Layout::Create(1)), 1));
        Body& body = *GetBody();
        const uint32_t position = body.count;
        Layout* const layout = LayoutOf(body.KeysRef());
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
        T* value;
        try {
            value = ConstructNext(body);
        } catch (...) {
            if (copy)
                copy->Release();
            throw;
        }
        if (copy) {
            layout->Release();
            body.SetKeysRef(reinterpret_cast<uintptr_t>(copy));
        }
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
                grown = new Grown{body.keys, nullptr};
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

    uintptr_t m_nRep = 0;
};
