// Reading the game's settings file as it stands on disk: its sections in file order and their keys.
#include "tests/e2e/settings_text.h"

#include <windows.h>

namespace e2e {

bool ParseSettingsText(const std::string& text, std::vector<SettingsSection>* sections) {
    sections->clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            sections->push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || sections->empty()) {
            return false;
        }
        sections->back().keys.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    return true;
}

std::string Describe(const std::vector<SettingsSection>& sections) {
    std::string text;
    for (const SettingsSection& section : sections) {
        text += (text.empty() ? "[" : " [") + section.name + "]";
        for (const auto& [key, value] : section.keys) {
            text += " " + key + "=" + value;
        }
    }
    return text.empty() ? "(empty)" : text;
}

}  // namespace e2e
