// libFuzzer target for the settings store's text format.
//
// Input: the bytes of a settings file as they lie on disk. A file that holds
// a zero byte is refused by the loader before it is parsed, so such inputs
// are skipped. Each input is
//   1. turned into the text in memory (CR LF to LF) and loaded;
//   2. saved, taken to disk form (LF to CR LF) and back, and loaded again;
//   3. saved again.
// Besides crashes, sanitizer reports and exceptions, the target checks:
//   - the disk form gives back exactly the saved text;
//   - a saved text always loads without failure;
//   - the second tree equals the first: the same sections and keys in the
//     same iteration order, and the same values, except that a lead byte
//     alone before a line feed is lost (saving leaves it out, since it would
//     take the backslash of the escape behind it);
//   - the second save gives the same text as the first;
//   - loading the saved text once more into the second tree (a merge) and
//     into a cleared tree changes nothing;
//   - every section of the first tree is reached by its absolute path, and
//     every value whose key a path can name by its path.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "foundation/text_file.h"
#include "settings/settings_store.h"

namespace {

using Store = CSettingsStore;
using Element = Store::Element;

std::string Saved(const Store& store)
{
    CStr_base<16384> text;
    store.SaveText(text);
    return std::string(text.GetBuffer(), text.GetLength());
}

// What a value reads back as after a save.
std::string AsSaved(const char* value)
{
    std::string text;
    for (const char* p = value; *p; p += SjisCharLength(p)) {
        if (!IsSjisLeadByte(static_cast<unsigned char>(*p)) || p[1] != '\n')
            text.append(p, SjisCharLength(p));
    }
    return text;
}

// The second tree holds the first as saved.
void CheckSame(const Element& first, const Element& second)
{
    auto values = second.values.Iterate();
    for (auto [key, value] : first.values) {
        const char* otherKey;
        const CStr_base<64>* otherValue;
        if (!values.Next(&otherKey, &otherValue) || std::strcmp(key, otherKey) != 0)
            Fail("the keys of a section differ after saving and loading");
        if (AsSaved(value) != otherValue->GetBuffer())
            Fail("a value differs after saving and loading");
    }
    const char* otherKey;
    const CStr_base<64>* otherValue;
    if (values.Next(&otherKey, &otherValue))
        Fail("a section has more keys after saving and loading");

    auto sections = second.sections.Iterate();
    for (auto [name, child] : first.sections) {
        const char* otherName;
        Element* const* otherChild;
        if (!sections.Next(&otherName, &otherChild) || std::strcmp(name, otherName) != 0)
            Fail("the sections of a section differ after saving and loading");
        if ((*otherChild)->parent != &second)
            Fail("a section does not point at its parent");
        CheckSame(*child, **otherChild);
    }
    const char* otherName;
    Element* const* otherChild;
    if (sections.Next(&otherName, &otherChild))
        Fail("a section has more sections after saving and loading");
}

// Every section is reached by its path, and every value whose key a path can
// name (a key without "/" that lookups accept).
void CheckPaths(Store& store, const Element& section, const std::string& path)
{
    if (!store.ChangeSection(path.empty() ? "/" : path.c_str()) || store.GetCurrentSection() != &section ||
        path != store.GetCurrentPath().GetBuffer())
        Fail("a section is not reached by its path");
    if (store.GetSectionValues(path.empty() ? "/" : path.c_str()) != &section.values)
        Fail("the values of a section are not reached by its path");
    for (auto [key, value] : section.values) {
        if (std::strchr(key, '/') || !IsStorableIniKey(key))
            continue;
        if (store.GetValue((path + "/" + key).c_str()) != &value)
            Fail("a value is not reached by its path");
    }
    for (auto [name, child] : section.sections)
        CheckPaths(store, *child, path + "/" + name);
}

void Run(const std::string& disk)
{
    std::string text = disk;
    CollapseCrLf(text);
    Store first;
    first.LoadText(text.c_str());
    CheckPaths(first, *first.GetRoot(), "");
    first.ChangeSection("/");

    const std::string saved = Saved(first);
    std::string onDisk;
    AppendWithCrLf(onDisk, saved.data(), saved.size());
    std::string back = onDisk;
    CollapseCrLf(back);
    if (back != saved)
        Fail("the disk form does not give back the saved text");

    Store second;
    if (!second.LoadText(back.c_str()))
        Fail("a saved text does not load");
    CheckSame(*first.GetRoot(), *second.GetRoot());
    if (Saved(second) != saved)
        Fail("the second save differs from the first");

    if (!second.LoadText(back.c_str()) || Saved(second) != saved)
        Fail("loading the saved text into its own tree changed it");
    second.Clear();
    if (!second.LoadText(back.c_str()) || Saved(second) != saved)
        Fail("loading the saved text into a cleared store differs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string disk(reinterpret_cast<const char*>(data), size);
    if (disk.find('\0') != std::string::npos)
        return 0;
    SetFuzzInput("settings_fuzzer", &disk);
    try {
        Run(disk);
    } catch (uint32_t index) {
        std::fprintf(stderr, "exception: index %u\n", index);
        Fail("the store raised an exception");
    } catch (int32_t value) {
        std::fprintf(stderr, "exception: int32 %d\n", value);
        Fail("the store raised an exception");
    }
    SetFuzzInput("settings_fuzzer", nullptr);
    return 0;
}
