// Settings store: a tree of sections holding text values, kept in a text file.
//
// Values are addressed by slash paths: "/Custom/SaveAutoBackup" starts at the
// root, "SaveAutoBackup" at the current section. Empty names are skipped and
// ".." is the parent section; the last name of a value path is the key.
//
// The file holds one line per value, "key=value" with the value escaped
// (settings/ini_value_escape.h), and each child section between a line
// "[name]" and a line "[EndSection]", indented by one tab per level. Values
// come before child sections, both in their map's iteration order. Reading
// merges into the tree; a section left open at the end of the text is closed
// there.
//
// Looking up or writing a key that a file cannot hold (IsStorableIniKey: for
// one, a key with "="), or a value in a section that does not exist, is a
// programming error: it raises the 32-bit signed value 0.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "foundation/array_auto.h"
#include "foundation/native_path.h"
#include "foundation/str_array.h"
#include "foundation/str_base.h"
#include "foundation/text_file.h"
#include "settings/ini_default_path.h"
#include "settings/ini_ex_element.h"
#include "settings/ini_line.h"
#include "settings/ini_value_escape.h"

template <unsigned SectionKey, unsigned ValueKey, unsigned ValueUnit>
class CIniExCtrl_base {
public:
    using Element = IniExElement<SectionKey, ValueKey, ValueUnit>;
    using Value = CStr_base<ValueUnit>;
    using ValueMap = CMapElement<Value, ValueKey>;

    CIniExCtrl_base() { Clear(); }
    CIniExCtrl_base(const CIniExCtrl_base&) = delete;
    CIniExCtrl_base& operator=(const CIniExCtrl_base&) = delete;

    // The file that Load and Save use when they are given no path; empty by
    // default, and then the file beside the program (IniPathBesideProgram).
    // Load and Save never change it.
    void SetFilePath(const char* path) { m_strFilePath = path; }
    const CStr_base<64>& GetFilePath() const { return m_strFilePath; }

    // Reads a settings file (a path text of the system, "\" allowed) into the
    // tree: with `clear` the store is emptied first (also when the file then
    // cannot be read), otherwise the file is merged into it. False when no path can be chosen, the file cannot be
    // read or holds a zero byte, or its text is refused (LoadText); the tree
    // keeps what was read until then.
    bool Load(const char* path = nullptr, bool clear = false)
    {
        CStr_base<64> chosen;
        if (!ChoosePath(path, chosen))
            return false;
        if (clear)
            Clear();
        std::string text;
        if (ReadTextFileBytes(NativePath(chosen).c_str(), text) != TextFileStatus::kOk)
            return false;
        return LoadText(text.c_str());
    }

    // Writes the whole tree to a settings file, replacing it safely. False
    // when no path can be chosen or the file cannot be written; the previous
    // file then stays as it was.
    bool Save(const char* path = nullptr) const
    {
        CStr_base<64> chosen;
        if (!ChoosePath(path, chosen))
            return false;
        CStr_base<16384> text;
        SaveText(text);
        return WriteTextFile(NativePath(chosen).c_str(), text.GetBuffer(), text.GetLength());
    }

    // Merges a settings text (lines end in "\n") into the tree, starting at
    // the root. Refuses, with false, an "[EndSection]" line at the root and a
    // section name holding "/" or "."; what was read before stays. Afterwards
    // the root is the current section. The text is read where it stands, a
    // line at a time, so it must not be a value of this store.
    bool LoadText(const char* text)
    {
        const uint32_t length = static_cast<uint32_t>(std::strlen(text));
        CStr_base<64> line;
        CStrRegexMatchStruct captures;
        Element* section = m_pRoot;
        bool accepted = true;
        for (int32_t from = 0; from >= 0;) {
            const int32_t end = SjisFind(text, length, "\n", from);
            line.Assign(text + from, (end >= 0 ? end : static_cast<int32_t>(length)) - from);
            from = end >= 0 ? end + 1 : -1;
            const IniLineKind kind = ReadIniLine(line, captures);
            if (kind == IniLineKind::kValue) {
                UnescapeIniValue(captures[1], *section->values.GetOrInsert(captures[0]));
            } else if (kind == IniLineKind::kEndSection) {
                if (!section->parent) {
                    accepted = false;
                    break;
                }
                section = section->parent;
            } else if (kind == IniLineKind::kSection) {
                if (!IsIniPathName(captures[0])) {
                    accepted = false;
                    break;
                }
                section = Child(section, captures[0]);
            }
        }
        m_pCurrent = m_pRoot;
        m_strCurrentPath.Truncate(0);
        return accepted;
    }

    // Replaces `out` with the text of the whole tree.
    void SaveText(CStr_base<16384>& out) const
    {
        out.Truncate(0);
        WriteValues(out, *m_pRoot, 0);
        // Sections whose children are being written, each with its cursor.
        struct Open {
            const Element* section;
            typename CMapElement<Element*, SectionKey>::Cursor children;
        };
        std::vector<Open> open;
        open.push_back({m_pRoot, m_pRoot->sections.Iterate()});
        while (!open.empty()) {
            const uint32_t level = static_cast<uint32_t>(open.size() - 1);
            const char* name;
            Element** child;
            if (open.back().children.Next(&name, &child)) {
                Indent(out, level);
                out.Append('[');
                out.Append(name);
                out.Append("]\n");
                WriteValues(out, **child, level + 1);
                open.push_back({*child, (*child)->sections.Iterate()});
            } else {
                open.pop_back();
                if (!open.empty()) {
                    Indent(out, level - 1);
                    out.Append("[EndSection]\n");
                }
            }
        }
    }

    // Empties the store: a new, empty root becomes the current section.
    void Clear()
    {
        for (Element& section : m_sections) {
            section.~Element();
            new (&section) Element();
        }
        m_sections.RemoveAll();
        m_pRoot = m_sections.Add();
        m_pCurrent = m_pRoot;
        m_strCurrentPath.Truncate(0);
    }

    // Makes the section at `path` current; false, with nothing changed, when
    // it does not exist or ".." would leave the root.
    bool ChangeSection(const char* path)
    {
        CStrArray_base<64> names, trail;
        names.Split(path, "/");
        const bool absolute = path[0] == '/';
        if (!absolute)
            trail.Split(m_strCurrentPath, "/");
        Element* section = Follow(absolute ? m_pRoot : m_pCurrent, names, names.GetCount(), &trail);
        if (!section)
            return false;
        m_pCurrent = section;
        m_strCurrentPath.Truncate(0);
        for (const CStr_base<64>& name : trail) {
            if (!name.IsEmpty()) {
                m_strCurrentPath.Append('/');
                m_strCurrentPath.Append(name);
            }
        }
        return true;
    }

    // Makes sure the current section has a child `name`. False for a name
    // that a settings file could not give back (IsStorableIniSectionName).
    bool CreateSection(const char* name)
    {
        if (!IsStorableIniSectionName(name))
            return false;
        Child(m_pCurrent, name);
        return true;
    }

    // The value at `path`, or null when its key does not exist.
    const Value* GetValue(const char* path) const
    {
        CStr_base<64> key;
        return Section(path, key)->values.Lookup(key);
    }

    // The value at `path`, created empty when its key does not exist.
    Value* GetValueForWrite(const char* path)
    {
        CStr_base<64> key;
        return Section(path, key)->values.GetOrInsert(key);
    }

    // Stores "ON" or "OFF".
    void SetSwitch(const char* path, bool on) { GetValueForWrite(path)->Assign(on ? "ON" : "OFF"); }

    // True when the value is "true"; `fallback` when it is missing.
    bool GetFlag(const char* path, bool fallback) const
    {
        const Value* value = GetValue(path);
        return value ? *value == "true" : fallback;
    }

    // Appends to `out` the values of the keys `path` "[0]", "[1]", … as long
    // as they exist; returns their number.
    template <unsigned M>
    uint32_t GetList(const char* path, CStrArray_base<M>& out) const
    {
        CStr_base<64> element;
        uint32_t count = 0;
        for (;; ++count) {
            element.Format("%s[%d]", path, static_cast<int>(count));
            const Value* value = GetValue(element);
            if (!value)
                return count;
            out.Add()->Assign(*value);
        }
    }

    // The values of the section at `path`, or null when it does not exist.
    const ValueMap* GetSectionValues(const char* path) const
    {
        CStrArray_base<64> names;
        names.Split(path, "/");
        Element* section = Follow(path[0] == '/' ? m_pRoot : m_pCurrent, names, names.GetCount(), nullptr);
        return section ? &section->values : nullptr;
    }

    Element* GetRoot() const { return m_pRoot; }
    Element* GetCurrentSection() const { return m_pCurrent; }
    // "" for the root, otherwise "/" before each name: "/Custom".
    const CStr_base<64>& GetCurrentPath() const { return m_strCurrentPath; }

private:
    // Follows the first `count` of `names` from `section`. With a trail, the
    // names of the sections entered are appended to it and ".." removes the
    // last. Null when a section is missing or ".." would leave the root.
    static Element* Follow(Element* section, const CStrArray_base<64>& names, uint32_t count,
                           CStrArray_base<64>* trail)
    {
        for (uint32_t i = 0; i < count; ++i) {
            const CStr_base<64>& name = names[i];
            if (name.IsEmpty())
                continue;
            if (name == "..") {
                if (!section->parent)
                    return nullptr;
                section = section->parent;
                if (trail)
                    trail->RemoveTail();
                continue;
            }
            Element* const* child = section->sections.Lookup(name);
            if (!child)
                return nullptr;
            section = *child;
            if (trail)
                trail->Add()->Assign(name);
        }
        return section;
    }

    // The section that holds the value at `path`, with the key in `key`.
    Element* Section(const char* path, CStr_base<64>& key) const
    {
        CStrArray_base<64> names;
        names.Split(path, "/");
        const uint32_t last = names.GetCount() - 1;
        key = names[last];
        if (!IsStorableIniKey(key))
            throw static_cast<int32_t>(0);
        Element* section = last == 0 ? m_pCurrent : Follow(path[0] == '/' ? m_pRoot : m_pCurrent, names, last, nullptr);
        if (!section)
            throw static_cast<int32_t>(0);
        return section;
    }

    // The child `name` of `section`, created when missing.
    Element* Child(Element* section, const char* name)
    {
        Element** slot = section->sections.GetOrInsert(name);
        if (!*slot) {
            *slot = m_sections.Add();
            (*slot)->parent = section;
        }
        return *slot;
    }

    bool ChoosePath(const char* path, CStr_base<64>& chosen) const
    {
        if (path && *path) {
            chosen = path;
            return true;
        }
        if (!m_strFilePath.IsEmpty()) {
            chosen = m_strFilePath;
            return true;
        }
        return IniPathBesideProgram(PathTextFromNative(ProgramFilePath()).GetBuffer(), chosen);
    }

    static void Indent(CStr_base<16384>& out, uint32_t level)
    {
        for (uint32_t i = 0; i < level; ++i)
            out.Append('\t');
    }

    static void WriteValues(CStr_base<16384>& out, const Element& section, uint32_t level)
    {
        for (auto [key, value] : section.values) {
            Indent(out, level);
            out.Append(key);
            out.Append('=');
            AppendEscapedIniValue(out, value);
            out.Append('\n');
        }
    }

    CArrayAuto<Element> m_sections;  // owns every section of the store
    Element* m_pCurrent = nullptr;
    CStr_base<64> m_strCurrentPath;
    Element* m_pRoot = nullptr;
    CStr_base<64> m_strFilePath;
};
