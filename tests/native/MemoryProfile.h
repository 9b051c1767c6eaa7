// In-memory stand-in for the Windows profile functions, following the rules the store relies on:
// section and key names are case-insensitive, anything missing gives the default, the result is cut to
// bufferSize-1 bytes, a write creates or replaces the entry, and writes can be made to fail.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "password/PasswordStore.h"

class MemoryProfile : public Profile {
public:
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def,
                           std::size_t bufferSize, const std::string& file) override {
        if (bufferSize == 0) {
            return {};
        }
        std::string result = def;
        if (const Entry* entry = Find(section, key, file)) {
            result = entry->value;
        }
        return result.substr(0, bufferSize - 1);
    }

    bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) override {
        ++writeAttempts;
        if (failWrites) {
            return false;
        }
        if (Entry* entry = Find(section, key, file)) {
            entry->value = value;  // the existing spelling of section and key stays, as in a real file
            return true;
        }
        std::vector<Section>& sections = files_[file];
        auto it = std::find_if(sections.begin(), sections.end(),
                               [&](const Section& s) { return SameName(s.name, section); });
        if (it == sections.end()) {
            it = sections.insert(sections.end(), Section{section, {}});
        }
        it->entries.push_back(Entry{key, value});
        return true;
    }

    // The file as it would appear on disk, or "" when it was never written.
    std::string FileText(const std::string& file) const {
        std::string text;
        if (auto found = files_.find(file); found != files_.end()) {
            for (const Section& section : found->second) {
                text += "[" + section.name + "]\n";
                for (const Entry& entry : section.entries) {
                    text += entry.key + "=" + entry.value + "\n";
                }
            }
        }
        return text;
    }

    bool failWrites = false;
    int writeAttempts = 0;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    static bool SameName(const std::string& a, const std::string& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
            return std::tolower(x) == std::tolower(y);
        });
    }

    Entry* Find(const std::string& section, const std::string& key, const std::string& file) {
        auto found = files_.find(file);
        if (found == files_.end()) {
            return nullptr;
        }
        for (Section& s : found->second) {
            if (SameName(s.name, section)) {
                for (Entry& e : s.entries) {
                    if (SameName(e.key, key)) {
                        return &e;
                    }
                }
            }
        }
        return nullptr;
    }

    // File names are compared exactly: the store always builds the same path, so a mismatch is a fault.
    std::map<std::string, std::vector<Section>> files_;
};
