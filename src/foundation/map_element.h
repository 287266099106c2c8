// Text-keyed hash map with 32 buckets.
//
// Entries live in a CArrayAuto and never move, so the bucket chains hold
// plain entry pointers. A new entry goes to the end of its bucket's chain:
// iteration yields the keys by bucket (hash & 31 ascending) and, within a
// bucket, in insertion order. Settings files are written in this order.
//
// A key of up to KeySize - 2 bytes is kept in the entry's key buffer. A
// longer key is kept once in the process-wide long-key table; its entry
// holds a zero byte, the table index and, in the buffer's last byte (which
// an inline key never reaches), a non-zero mark. The mark tells a long key
// from the empty key whatever their hashes.
//
// Values are default-constructed in place and never copied. Entries are
// never removed; the map releases them all when it is destroyed.
//
// A document holds several maps per element, many of them empty or nearly
// so. A map therefore is one pointer until its first entry arrives; then
// its entries and bucket chains get storage of their own, the chains linked
// by entry ordinals, and the entries array starts with small blocks.
//
// A chain holds about a 32nd of a map's entries, and the hash gives keys
// that differ a little (numbered keys, for one) equal values, so a large
// map walked chain by chain would take time growing with the square of its
// size to fill. A map of more than 255 entries therefore keeps an index
// beside its chains: the head and the last entry of every chain, and an
// open-addressing table of the entries by a second, well-mixed hash of the
// key text and the stored hash. The chains, and with them the iteration
// order, stay as they are.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

#include "foundation/array_auto.h"
#include "foundation/long_key_table.h"

template <class T, unsigned KeySize>
class CMapElement {
    static_assert(KeySize >= 2 + sizeof(uint32_t), "key buffer too small for a long-key reference");

    struct Entry {
        char key[KeySize] = {};
        uint32_t hash = 0;
        uint32_t next = 0; // position + 1 in the entries array of the next entry of the same bucket; 0: none
        T value{};
    };

    // Entries come one block at a time at first (most maps of a document
    // hold a known number of keys, reserved beforehand, or very few).
    static constexpr uint32_t kFirstBlock = 1;
    // Chain heads fit in a byte while the map holds at most this many
    // entries; beyond that the index keeps them.
    static constexpr uint32_t kNarrowHeadsMax = 255;

    // One place of the index table: an entry's link (0: free) and its
    // second hash, compared before the entry is touched.
    struct Slot {
        uint32_t link = 0;
        uint32_t check = 0;
    };

    struct Index {
        uint32_t heads[32] = {};
        uint32_t tails[32] = {};    // link to each bucket's last entry
        std::unique_ptr<Slot[]> slots;
        uint32_t mask = 0;          // slot count - 1; the count is a power of two
    };

    struct Body {
        CArrayAuto<Entry> entries{kFirstBlock};
        uint8_t heads[32] = {};     // link to each bucket's first entry; 0: empty bucket
        Index* index = nullptr;     // beyond kNarrowHeadsMax entries

        Body() = default;
        Body(const Body&) = delete;
        Body& operator=(const Body&) = delete;
        ~Body() { delete index; }

        uint32_t Head(uint32_t bucket) const { return index ? index->heads[bucket] : heads[bucket]; }
    };

public:
    static constexpr uint32_t kBucketCount = 32;
    static constexpr uint32_t kInlineKeyMax = KeySize - 2;

    // Sum over the bytes of (byte as a signed 8-bit value) * (257 + position),
    // in 32-bit arithmetic with wrap-around.
    static uint32_t Hash(const char* key)
    {
        uint32_t hash = 0;
        for (uint32_t i = 0; key[i]; ++i)
            hash += static_cast<uint32_t>(static_cast<int8_t>(key[i])) * (257u + i);
        return hash;
    }

    CMapElement() = default;
    CMapElement(const CMapElement&) = delete;
    CMapElement& operator=(const CMapElement&) = delete;
    ~CMapElement() { delete m_pBody; }

    uint32_t GetCount() const { return m_pBody ? m_pBody->entries.GetCount() : 0; }

    // Makes room for `count` entries in all, so that a map whose size is
    // known beforehand takes one block for them.
    void Reserve(uint32_t count) { MakeBody().entries.Reserve(count); }

    // In every operation a hash of 0 means that the map computes it.

    // The value stored under `key`, or null.
    T* Lookup(const char* key, uint32_t hash = 0)
    {
        Entry* e = Find(key, hash ? hash : Hash(key));
        return e ? &e->value : nullptr;
    }
    const T* Lookup(const char* key, uint32_t hash = 0) const
    {
        const Entry* e = Find(key, hash ? hash : Hash(key));
        return e ? &e->value : nullptr;
    }

    // A new default value under `key`; null, with the map unchanged, when
    // the key is present.
    T* Add(const char* key, uint32_t hash = 0)
    {
        if (!hash)
            hash = Hash(key);
        return Find(key, hash) ? nullptr : &Insert(key, hash)->value;
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
        Entry* e = Find(key, hash);
        return &(e ? e : Insert(key, hash))->value;
    }

    // Adds the keys of `from` that are absent, in the order in which they
    // were added there, each with a default value (and the hash stored
    // with it): as GetOrInsert for each key in turn. An empty map takes
    // them all in one step, as a copy of `from`'s entries and chains.
    template <class U>
    void AddKeysOf(const CMapElement<U, KeySize>& from)
    {
        const uint32_t count = from.GetCount();
        if (count == 0)
            return;
        if (GetCount() != 0) {
            for (uint32_t i = 0; i < count; ++i) {
                const auto& source = *from.m_pBody->entries.GetAt(i);
                GetOrInsert(from.KeyText(source), source.hash);
            }
            return;
        }
        Body& body = MakeBody();
        body.entries.Reserve(count);
        body.entries.SetCount(count);
        for (uint32_t i = 0; i < count; ++i) {
            const auto& source = *from.m_pBody->entries.GetAt(i);
            Entry* e = body.entries.GetAt(i);
            std::memcpy(e->key, source.key, KeySize);
            e->hash = source.hash;
            e->next = source.next;
        }
        if (count > kNarrowHeadsMax)
            BuildIndex(body);
        else
            std::memcpy(body.heads, from.m_pBody->heads, sizeof body.heads);
    }

    // Cursor over all entries: Next() yields the key text and the value and
    // returns false at the end.
    template <class V>
    class BasicCursor {
    public:
        explicit BasicCursor(const CMapElement& map) : m_map(map), m_pEntry(map.FirstFrom(0)) {}
        bool Next(const char** key, V** value)
        {
            if (!m_pEntry)
                return false;
            *key = KeyText(*m_pEntry);
            *value = &m_pEntry->value;
            m_pEntry = m_map.After(m_pEntry);
            return true;
        }

    private:
        const CMapElement& m_map;
        Entry* m_pEntry;
    };
    using Cursor = BasicCursor<T>;
    using ConstCursor = BasicCursor<const T>;
    Cursor Iterate() { return Cursor(*this); }
    ConstCursor Iterate() const { return ConstCursor(*this); }

    // Range-for support, in the cursor's order: for (auto [key, value] : map).
    template <class V>
    class BasicIterator {
    public:
        BasicIterator(const CMapElement* map, Entry* entry) : m_pMap(map), m_pEntry(entry) {}
        std::pair<const char*, V&> operator*() const { return {KeyText(*m_pEntry), m_pEntry->value}; }
        BasicIterator& operator++()
        {
            m_pEntry = m_pMap->After(m_pEntry);
            return *this;
        }
        bool operator!=(const BasicIterator& other) const { return m_pEntry != other.m_pEntry; }

    private:
        const CMapElement* m_pMap;
        Entry* m_pEntry;
    };
    BasicIterator<T> begin() { return {this, FirstFrom(0)}; }
    BasicIterator<T> end() { return {this, nullptr}; }
    BasicIterator<const T> begin() const { return {this, FirstFrom(0)}; }
    BasicIterator<const T> end() const { return {this, nullptr}; }

private:
    template <class, unsigned>
    friend class CMapElement;

    static bool IsLongKey(const Entry& e) { return e.key[KeySize - 1] != 0; }

    // Whether the entry's key is `key`, compared byte for byte up to the
    // terminator (an inline key ends within its buffer).
    static bool IsKey(const Entry& e, const char* key)
    {
        if (IsLongKey(e))
            return std::strcmp(KeyText(e), key) == 0;
        for (uint32_t i = 0;; ++i) {
            if (e.key[i] != key[i])
                return false;
            if (e.key[i] == 0)
                return true;
        }
    }

    static const char* KeyText(const Entry& e)
    {
        if (!IsLongKey(e))
            return e.key;
        uint32_t index;
        std::memcpy(&index, e.key + 1, sizeof index);
        return LongKeyText(index);
    }

    Body& MakeBody()
    {
        if (!m_pBody)
            m_pBody = new Body;
        return *m_pBody;
    }

    // The entry a chain link (position + 1) names; null for 0.
    Entry* Linked(uint32_t link) const { return Linked(*m_pBody, link); }
    static Entry* Linked(const Body& body, uint32_t link) { return link ? body.entries.GetAt(link - 1) : nullptr; }

    Entry* Find(const char* key, uint32_t hash) const
    {
        if (!m_pBody)
            return nullptr;
        if (const Index* index = m_pBody->index) {
            const uint32_t check = IndexHash(key, hash);
            for (uint32_t i = check & index->mask;; i = (i + 1) & index->mask) {
                const Slot& slot = index->slots[i];
                if (!slot.link)
                    return nullptr;
                Entry* e = Linked(slot.link);
                if (slot.check == check && e->hash == hash && IsKey(*e, key))
                    return e;
            }
        }
        for (Entry* e = Linked(m_pBody->Head(hash % kBucketCount)); e; e = Linked(e->next)) {
            if (e->hash == hash && IsKey(*e, key))
                return e;
        }
        return nullptr;
    }

    // The index's hash of a key with its stored hash: FNV-1a over the text,
    // then the stored hash mixed in, so that keys stored under two passed
    // hashes stay two entries as in the chains.
    static uint32_t IndexHash(const char* key, uint32_t hash)
    {
        uint32_t h = 2166136261u;
        for (const char* p = key; *p; ++p)
            h = (h ^ static_cast<unsigned char>(*p)) * 16777619u;
        h ^= hash * 0x9E3779B1u;
        h ^= h >> 16;
        h *= 0x85EBCA6Bu;
        h ^= h >> 13;
        return h;
    }

    // Appends an entry for a key known to be absent and links it at the end
    // of its bucket's chain.
    Entry* Insert(const char* key, uint32_t hash)
    {
        const size_t length = std::strlen(key);
        const bool isLong = length > kInlineKeyMax;
        const uint32_t index = isLong ? LongKeyIndex(key) : 0;

        Body& body = MakeBody();
        // The index is made or grown before the entry is added, so that a
        // failure leaves the map as it was.
        const uint32_t count = body.entries.GetCount();
        if (count + 1 > kNarrowHeadsMax) {
            if (!body.index)
                BuildIndex(body);
            else if ((count + 1) * 2 > body.index->mask + 1)
                FillSlots(*body.index, body, (body.index->mask + 1) * 2);
        }
        Entry* e = body.entries.Add();
        if (isLong) {
            e->key[0] = 0;
            std::memcpy(e->key + 1, &index, sizeof index);
            e->key[KeySize - 1] = 1;
        } else {
            std::memcpy(e->key, key, length + 1);
        }
        e->hash = hash;

        // Chains link entries by their position in the entries array + 1.
        const uint32_t bucket = hash % kBucketCount;
        const uint32_t link = count + 1;
        if (Index* ix = body.index) {
            if (ix->tails[bucket])
                Linked(ix->tails[bucket])->next = link;
            else
                ix->heads[bucket] = link;
            ix->tails[bucket] = link;
            Place(*ix, IndexHash(key, hash), link);
            return e;
        }
        if (!body.heads[bucket]) {
            body.heads[bucket] = static_cast<uint8_t>(link);
            return e;
        }
        Entry* last = Linked(body.heads[bucket]);
        while (last->next)
            last = Linked(last->next);
        last->next = link;
        return e;
    }

    // Gives the map its index, from the entries alone: a chain holds its
    // bucket's entries in the order of the entries array.
    static void BuildIndex(Body& body)
    {
        const uint32_t count = body.entries.GetCount();
        auto index = std::make_unique<Index>();
        uint32_t size = 1024;
        while (size < count * 2)
            size *= 2;
        FillSlots(*index, body, size);
        for (uint32_t link = 1; link <= count; ++link) {
            Entry* e = Linked(body, link);
            e->next = 0;
            const uint32_t bucket = e->hash % kBucketCount;
            if (index->tails[bucket])
                Linked(body, index->tails[bucket])->next = link;
            else
                index->heads[bucket] = link;
            index->tails[bucket] = link;
        }
        body.index = index.release();
    }

    // Gives the index a table of `size` places holding every entry.
    static void FillSlots(Index& ix, const Body& body, uint32_t size)
    {
        ix.slots.reset(new Slot[size]);
        ix.mask = size - 1;
        const uint32_t count = body.entries.GetCount();
        for (uint32_t link = 1; link <= count; ++link) {
            const Entry& e = *Linked(body, link);
            Place(ix, IndexHash(KeyText(e), e.hash), link);
        }
    }

    static void Place(Index& ix, uint32_t check, uint32_t link)
    {
        uint32_t i = check & ix.mask;
        while (ix.slots[i].link)
            i = (i + 1) & ix.mask;
        ix.slots[i] = {link, check};
    }

    // The first entry of the first non-empty bucket from `bucket` on.
    Entry* FirstFrom(uint32_t bucket) const
    {
        if (!m_pBody)
            return nullptr;
        for (; bucket < kBucketCount; ++bucket) {
            if (const uint32_t head = m_pBody->Head(bucket))
                return Linked(head);
        }
        return nullptr;
    }

    Entry* After(const Entry* e) const { return e->next ? Linked(e->next) : FirstFrom(e->hash % kBucketCount + 1); }

    Body* m_pBody = nullptr;
};
