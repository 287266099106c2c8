// The keys of text-keyed hash maps with 32 buckets, kept apart from their
// values so that maps with the same keys hold them once.
//
// A layout is a sequence of keys, each with its hash and the link (position
// + 1) of the next key of its bucket. A map holds a layout and a count: its
// keys are the layout's first `count` keys, its values an array in the same
// order. Keys are only ever appended, and a chain links its bucket's keys in
// position order, so a map sees its own keys by cutting the chains at its
// count; keys beyond it belong to other maps sharing the layout. Within
// those first keys every key stands once: a key is appended only to a map
// whose count is the layout's, and only when that map lacks it.
//
// A key of up to KeySize - 2 bytes is kept in the entry's key buffer. A
// longer key is kept once in the process-wide long-key table; its entry
// holds a zero byte, the table index and, in the buffer's last byte (which
// an inline key never reaches), a non-zero mark. The mark tells a long key
// from the empty key whatever their hashes.
//
// A chain holds about a 32nd of the keys, and the hash gives keys that
// differ a little (numbered keys, for one) equal values, so a large map
// walked chain by chain would take time growing with the square of its size
// to fill. A layout of more than 255 keys therefore keeps an index beside
// its chains: the head and the last key of every chain, and an
// open-addressing table of the keys by a second, well-mixed hash of the key
// text and the stored hash. The chains stay as they are.
//
// Layouts are counted references. The counts are atomic: a map that takes
// the keys of a document's map may be made on the find worker while the
// window thread waits, and go on the window thread. Keys are appended on
// one thread at a time only.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>

#include "foundation/long_key_table.h"

template <unsigned KeySize>
class CMapKeyLayout {
    static_assert(KeySize >= 2 + sizeof(uint32_t), "key buffer too small for a long-key reference");

    struct Entry {
        char key[KeySize];
        uint32_t hash;
        uint32_t next; // link of the next key of the same bucket; 0: none
    };

    // Chain heads fit in a byte while the layout holds at most this many
    // keys; beyond that the index keeps them.
    static constexpr uint32_t kNarrowHeadsMax = 255;

    // One place of the index table: a key's link (0: free) and its second
    // hash, compared before the entry is touched.
    struct Slot {
        uint32_t link = 0;
        uint32_t check = 0;
    };

    struct Index {
        uint32_t heads[32] = {};
        uint32_t tails[32] = {}; // link to each bucket's last key
        std::unique_ptr<Slot[]> slots;
        uint32_t mask = 0; // slot count - 1; the count is a power of two
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

    // A layout without keys, with room for `capacity`, held once.
    static CMapKeyLayout* Create(uint32_t capacity) { return new CMapKeyLayout(capacity); }

    CMapKeyLayout(const CMapKeyLayout&) = delete;
    CMapKeyLayout& operator=(const CMapKeyLayout&) = delete;

    void Hold() { m_nHolders.fetch_add(1, std::memory_order_relaxed); }
    void Release()
    {
        if (m_nHolders.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }

    uint32_t GetCount() const { return m_nCount; }

    // Links are positions + 1; 0 stands for none.

    // The link of `key` stored under `hash` among the first `limit` keys; 0
    // when they lack it.
    uint32_t Find(const char* key, uint32_t hash, uint32_t limit) const
    {
        if (const Index* index = m_pIndex) {
            const uint32_t check = IndexHash(key, hash);
            for (uint32_t i = check & index->mask;; i = (i + 1) & index->mask) {
                const Slot& slot = index->slots[i];
                if (!slot.link)
                    return 0;
                if (slot.check == check && Holds(slot.link - 1, key, hash))
                    return slot.link <= limit ? slot.link : 0;
            }
        }
        for (uint32_t link = Head(hash % kBucketCount); link && link <= limit; link = m_pEntries[link - 1].next) {
            if (Holds(link - 1, key, hash))
                return link;
        }
        return 0;
    }

    // Whether the key at `position` is `key` stored under `hash`.
    bool Holds(uint32_t position, const char* key, uint32_t hash) const
    {
        const Entry& e = m_pEntries[position];
        return e.hash == hash && IsKey(e, key);
    }

    const char* KeyText(uint32_t position) const { return KeyText(m_pEntries[position]); }
    uint32_t HashAt(uint32_t position) const { return m_pEntries[position].hash; }

    // Iteration over the first `limit` keys, by bucket, then by position:
    // the first link from `bucket` on, and the link after `link`.
    uint32_t FirstFrom(uint32_t bucket, uint32_t limit) const
    {
        for (; bucket < kBucketCount; ++bucket) {
            // A chain's head is its bucket's first position.
            const uint32_t head = Head(bucket);
            if (head && head <= limit)
                return head;
        }
        return 0;
    }
    uint32_t After(uint32_t link, uint32_t limit) const
    {
        const Entry& e = m_pEntries[link - 1];
        return e.next && e.next <= limit ? e.next : FirstFrom(e.hash % kBucketCount + 1, limit);
    }

    // Appends `key` under `hash` at the end of its bucket's chain; the key
    // must be absent. A failure leaves the layout as it was.
    void Append(const char* key, uint32_t hash)
    {
        const size_t length = std::strlen(key);
        const bool isLong = length > kInlineKeyMax;
        const uint32_t longIndex = isLong ? LongKeyIndex(key) : 0;

        if (m_nCount == m_nCapacity)
            Reserve(m_nCapacity < 4 ? 4 : m_nCapacity * 2);
        if (m_nCount + 1 > kNarrowHeadsMax) {
            if (!m_pIndex)
                BuildIndex(m_nCount);
            else if ((m_nCount + 1) * 2 > m_pIndex->mask + 1)
                FillSlots(*m_pIndex, (m_pIndex->mask + 1) * 2);
        }
        Entry& e = m_pEntries[m_nCount];
        std::memset(e.key, 0, KeySize);
        if (isLong) {
            std::memcpy(e.key + 1, &longIndex, sizeof longIndex);
            e.key[KeySize - 1] = 1;
        } else {
            std::memcpy(e.key, key, length + 1);
        }
        e.hash = hash;
        e.next = 0;

        const uint32_t bucket = hash % kBucketCount;
        const uint32_t link = ++m_nCount;
        if (Index* ix = m_pIndex) {
            if (ix->tails[bucket])
                m_pEntries[ix->tails[bucket] - 1].next = link;
            else
                ix->heads[bucket] = link;
            ix->tails[bucket] = link;
            Place(*ix, IndexHash(key, hash), link);
            return;
        }
        if (!m_aHeads[bucket]) {
            m_aHeads[bucket] = static_cast<uint8_t>(link);
            return;
        }
        uint32_t last = m_aHeads[bucket];
        while (m_pEntries[last - 1].next)
            last = m_pEntries[last - 1].next;
        m_pEntries[last - 1].next = link;
    }

    // A layout of the first `count` keys with room for one more, held once.
    CMapKeyLayout* CopyFirst(uint32_t count) const
    {
        CMapKeyLayout* copy = new CMapKeyLayout(count + 1);
        std::memcpy(copy->m_pEntries.get(), m_pEntries.get(), count * sizeof(Entry));
        copy->m_nCount = count;
        if (count <= kNarrowHeadsMax) {
            uint32_t tails[kBucketCount] = {};
            copy->LinkChains(copy->m_aHeads, tails);
            return copy;
        }
        try {
            copy->BuildIndex(count);
        } catch (...) {
            delete copy;
            throw;
        }
        return copy;
    }

    // Makes room for `count` keys in all.
    void Reserve(uint32_t count)
    {
        if (count <= m_nCapacity)
            return;
        std::unique_ptr<Entry[]> entries(new Entry[count]);
        std::memcpy(entries.get(), m_pEntries.get(), m_nCount * sizeof(Entry));
        m_pEntries = std::move(entries);
        m_nCapacity = count;
    }

private:
    explicit CMapKeyLayout(uint32_t capacity) : m_pEntries(new Entry[capacity]), m_nCapacity(capacity) {}
    ~CMapKeyLayout() { delete m_pIndex; }

    uint32_t Head(uint32_t bucket) const { return m_pIndex ? m_pIndex->heads[bucket] : m_aHeads[bucket]; }

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

    // Links every key at the end of its bucket's chain, in position order.
    template <class Head>
    void LinkChains(Head* heads, uint32_t* tails)
    {
        for (uint32_t link = 1; link <= m_nCount; ++link) {
            Entry& e = m_pEntries[link - 1];
            e.next = 0;
            const uint32_t bucket = e.hash % kBucketCount;
            if (tails[bucket])
                m_pEntries[tails[bucket] - 1].next = link;
            else
                heads[bucket] = static_cast<Head>(link);
            tails[bucket] = link;
        }
    }

    // Gives the layout its index, sized for `count` keys.
    void BuildIndex(uint32_t count)
    {
        auto index = std::make_unique<Index>();
        uint32_t size = 1024;
        while (size < count * 2)
            size *= 2;
        FillSlots(*index, size);
        LinkChains(index->heads, index->tails);
        m_pIndex = index.release();
    }

    // Gives the index a table of `size` places holding every key.
    void FillSlots(Index& ix, uint32_t size) const
    {
        ix.slots.reset(new Slot[size]);
        ix.mask = size - 1;
        for (uint32_t link = 1; link <= m_nCount; ++link) {
            const Entry& e = m_pEntries[link - 1];
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

    std::unique_ptr<Entry[]> m_pEntries;
    uint32_t m_nCount = 0;
    uint32_t m_nCapacity;
    std::atomic<uint32_t> m_nHolders{1};
    uint8_t m_aHeads[kBucketCount] = {}; // link to each bucket's first key; 0: empty bucket
    Index* m_pIndex = nullptr;          // beyond kNarrowHeadsMax keys
};

// The first `count` keys of a layout (held), shared by the maps that hold
// values for only some of them, or none (foundation/map_element.h).
// Counted references, counted as the layouts are.
template <unsigned KeySize>
struct CMapKeySet {
    CMapKeyLayout<KeySize>* layout;
    uint32_t count;
    std::atomic<uint32_t> holders;
};
